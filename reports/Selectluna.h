#pragma once
// Asks which calendar month of which year a report covers. After the OK result the caller
// reads SelectedMonth and SelectedYear, and the texts of ComboBox1 (month name) and ComboBox2
// (year) to print the period.

#include "ui/FormBase.h"

#include "ui_Selectluna.h"

class TFormSelectLuna : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormSelectLuna(QWidget* parent = nullptr);
    Ui::TFormSelectLuna ui;

    int SelectedMonth = 0;  // 1 to 12
    int SelectedYear = 0;

    void FormShow() override;
    void BitBtn1Click();  // Acceptare
};
