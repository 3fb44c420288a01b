#pragma once
// The cashiers who sign receipts, with their personal numeric codes (CNP).

#include "ui/FormBase.h"

#include "ui_Casieri.h"

class TFormCasieri : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormCasieri(QWidget* parent = nullptr);
    Ui::TFormCasieri ui;

    bool ExistingCashier = false;  // the name field holds a stored cashier's name

    void FormShow() override;
    void ComboBox1Select();  // a name picked from the list
    void ComboBox1KeyUp();   // a name typed
    void Edit2KeyUp();
    void BitBtn1Click();  // Adaugare
    void BitBtn2Click();  // Stergere
    void BitBtn3Click();  // Modificare

  private:
    void fill();
    void findCashier();
    void setButtons(bool add, bool change);
    // Runs a database step; an error shows the dialog's own message.
    template <class Action>
    void guardedStep(Action&& action);
};
