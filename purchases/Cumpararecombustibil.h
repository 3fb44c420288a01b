#pragma once
// "Cumparare combustibil": fuel paid in cash against a fiscal receipt. The excise duty is taken
// out of the total; only the rest, the VAT base, is split into the amount without VAT and the
// VAT. One save writes the purchase of the base, the excise as a purchase of its own, and the
// payment of the whole total under the fuel expense category.

#include "purchases/PurchaseWindow.h"
#include "ui_Cumpararecombustibil.h"

class TFormCumparareCombustibil : public PurchaseWindow {
    Q_OBJECT
  public:
    explicit TFormCumparareCombustibil(QWidget* parent = nullptr);
    Ui::TFormCumparareCombustibil ui;

    void Edit1KeyUp() { amountsChanged(); }

  protected:
    void amountsChanged() override;
    QLineEdit* vatBase() const override { return ui.Edit4; }
    bool check() override;
    void write() override;
    QString question() const override;
    void reset() override;
};
