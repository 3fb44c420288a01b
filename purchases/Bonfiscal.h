#pragma once
// "Bon fiscal": a purchase paid in cash against a fiscal receipt. One received invoice row,
// already paid, and its payment with an explanation, an expense category and the choice
// whether it enters the cash register.

#include "purchases/PurchaseWindow.h"
#include "ui_Bonfiscal.h"

class TFormBonFiscal : public PurchaseWindow {
    Q_OBJECT
  public:
    explicit TFormBonFiscal(QWidget* parent = nullptr);
    Ui::TFormBonFiscal ui;

  protected:
    void amountsChanged() override { splitTotal(); }
    bool check() override;
    void write() override;
    QString question() const override;
};
