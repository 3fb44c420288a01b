#pragma once
// Cash paid for received invoices, against a receipt ("Achitare chitanta").

#include "documents/SettleWindow.h"

class TFormPlataChitanta : public SettleWindow {
    Q_OBJECT
  public:
    explicit TFormPlataChitanta(QWidget* parent = nullptr);
};
