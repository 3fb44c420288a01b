#pragma once
// "Plati diverse": any other payment of the company, with no invoice and no partner: cash or
// bank, an expense category, and whether it enters the cash register. There is no VAT: the
// amount without VAT is the amount.

#include <memory>

#include "ui/FormBase.h"
#include "purchases/PurchaseParts.h"
#include "ui_Platidiverse.h"

class TFormPlatiDiverse : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormPlatiDiverse(QWidget* parent = nullptr);
    Ui::TFormPlatiDiverse ui;

    void FormShow() override;
    void Button1Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void BitBtn1Click();

  private:
    bool check();
    void write();

    std::unique_ptr<kov::CategoryChoice> category_;
};
