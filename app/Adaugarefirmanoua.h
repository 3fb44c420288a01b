#pragma once
// Adds an own company, or deletes one with all its documents and counters.

#include "ui/FormBase.h"

#include "app/CompanyLists.h"
#include "ui_Adaugarefirmanoua.h"

class TFormAdaugModificFirmaNoua : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormAdaugModificFirmaNoua(QWidget* parent = nullptr);
    Ui::TFormAdaugModificFirmaNoua ui;

    void FormShow() override;
    void ComboBox2Change();
    void ComboBox3Change();
    void BitBtn1Click();  // Adaugare
    void BitBtn2Click();  // Stergere

  private:
    CompanyLists lists_;
};
