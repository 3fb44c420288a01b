#pragma once
// Asks for a breakdown category of the kind the menu command set in CardKind ('c' expenses,
// 'v' incomes) and for one month or a range of months, then previews the ledger card of that
// category.

#include "ui/FormBase.h"
#include "ui_Selectarefisa.h"

class TFormSelectareFisa : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormSelectareFisa(QWidget* parent = nullptr);
    Ui::TFormSelectareFisa ui;

    QString CardKind = QStringLiteral("c");

    void FormShow() override;
    void RadioButton1Click();
    void RadioButton2Click();
    void BitBtn1Click();  // Acceptare

  private:
    void setMonthMode(bool oneMonth);
};
