#pragma once
// "Introducere factura": an invoice received from a supplier, optionally paid in cash on the
// spot against a receipt or a fiscal receipt. The amounts follow the total, the amount without
// VAT or a VAT typed by hand. The save writes the invoice with its paid flag and outstanding
// amount and, with a cash payment, the payment "F." + invoice + " + CH." (or " + BF.") +
// receipt under the chosen expense category.

#include "purchases/PurchaseWindow.h"
#include "ui_Facturiintrare.h"

class TFormFacturaIntrare : public PurchaseWindow {
    Q_OBJECT
  public:
    explicit TFormFacturaIntrare(QWidget* parent = nullptr);
    Ui::TFormFacturaIntrare ui;

    void FormShow() override;
    void CheckBox1Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void Edit5KeyUp();
    void Edit15Exit();
    void Edit5Exit();

  protected:
    void amountsChanged() override;
    bool check() override;
    void write() override;
    QString question() const override;
    // The reset for the next invoice keeps the lists as loaded and chooses no supplier.
    void reset() override;

  private:
    // What opening and the reset for the next invoice both set.
    void openingState();
    void setCashPayment(bool on);
    // With a cash payment the amount paid follows the total.
    void followTotal();
};
