#pragma once
// Choice of the own company whose books are kept. The caller reads ComboBox3 (fiscal code),
// ComboBox2 (name) and Edit1 (description) after the OK result.

#include "ui/FormBase.h"

#include "app/CompanyLists.h"
#include "ui_Selectarefirma.h"

class TFormSelectFirma : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormSelectFirma(QWidget* parent = nullptr);
    Ui::TFormSelectFirma ui;

    void FormShow() override;
    void ComboBox2Change();
    void ComboBox3Change();

  private:
    CompanyLists lists_;
};
