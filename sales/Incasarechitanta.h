#pragma once
// Cash received for issued invoices, against a receipt ("Incasare chitanta").

#include "documents/SettleWindow.h"

class TFormIncasareChitanta : public SettleWindow {
    Q_OBJECT
  public:
    explicit TFormIncasareChitanta(QWidget* parent = nullptr);
};
