#pragma once
// Money received by bank for issued invoices, against the payer's payment order.

#include "documents/SettleWindow.h"

class TFormIncasareOrdine : public SettleWindow {
    Q_OBJECT
  public:
    explicit TFormIncasareOrdine(QWidget* parent = nullptr);
};
