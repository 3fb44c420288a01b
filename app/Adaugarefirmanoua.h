#pragma once
// Adds an own company, or deletes one with all its documents and counters.

#include <QDialog>

#include "app/CompanyLists.h"
#include "ui_Adaugarefirmanoua.h"

class TFormAdaugModificFirmaNoua : public QDialog {
    Q_OBJECT
  public:
    explicit TFormAdaugModificFirmaNoua(QWidget* parent = nullptr);
    Ui::TFormAdaugModificFirmaNoua ui;

    void FormShow();
    void ComboBox2Change();
    void ComboBox3Change();
    void BitBtn1Click();  // Adaugare
    void BitBtn2Click();  // Stergere

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    CompanyLists lists_;
};
