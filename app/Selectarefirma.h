#pragma once
// Choice of the own company whose books are kept. The caller reads ComboBox3 (fiscal code),
// ComboBox2 (name) and Edit1 (description) after the OK result.

#include <QDialog>

#include "app/CompanyLists.h"
#include "ui_Selectarefirma.h"

class TFormSelectFirma : public QDialog {
    Q_OBJECT
  public:
    explicit TFormSelectFirma(QWidget* parent = nullptr);
    Ui::TFormSelectFirma ui;

    void FormShow();
    void ComboBox2Change();
    void ComboBox3Change();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    CompanyLists lists_;
};
