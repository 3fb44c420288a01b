#pragma once
// Asks for one day or a range of days whose ends may be left open. After the OK result the
// caller reads RadioButton1 (checked: one day) and DateOn, or DateFrom and DateTo. A stored
// date is the text as typed and known to convert; an empty one means no limit.

#include "ui/FormBase.h"

#include "ui_Selectperioada.h"

class QLineEdit;

class TFormSelectData : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormSelectData(QWidget* parent = nullptr);
    Ui::TFormSelectData ui;

    QString DateOn;
    QString DateFrom;
    QString DateTo;

    void FormShow() override;
    void RadioButton1Click();
    void RadioButton2Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void BitBtn4Click();  // Acceptare

  private:
    void setOneDayMode(bool oneDay);
    // Stores a valid or empty edit into its field; otherwise says so and focuses the edit.
    bool takeDate(QLineEdit* edit, QString& field);
};
