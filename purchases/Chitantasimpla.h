#pragma once
// "Plata cu chitanta simpla": a cash payment against a simple receipt, with no invoice behind
// it. The fiscal receipt window without the invoice row and without the register choice: the
// payment always enters the cash register. The supplier must be chosen, but is not stored.

#include "purchases/PurchaseWindow.h"
#include "ui_Chitantasimpla.h"

class TFormChitantaSimpla : public PurchaseWindow {
    Q_OBJECT
  public:
    explicit TFormChitantaSimpla(QWidget* parent = nullptr);
    Ui::TFormChitantaSimpla ui;

  protected:
    void amountsChanged() override { splitTotal(); }
    bool check() override;
    void write() override;
    QString question() const override;
};
