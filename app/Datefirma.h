#pragma once
// The selected own company's registration, office address and bank account, which the
// e-Factura file carries for the seller.

#include "ui/FormBase.h"

#include "ui_Datefirma.h"

class TFormDateFirma : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormDateFirma(QWidget* parent = nullptr);
    Ui::TFormDateFirma ui;

    void FormShow() override;
    void BitBtn1Click();  // Salvare
};
