#pragma once
// Money paid by bank for received invoices, by payment order.

#include "documents/SettleWindow.h"

class TFormPlataOrdine : public SettleWindow {
    Q_OBJECT
  public:
    explicit TFormPlataOrdine(QWidget* parent = nullptr);
};
