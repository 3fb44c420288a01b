#pragma once
// Confirmation before a company is deleted with all its documents.

#include "ui/FormBase.h"

#include "ui_Atentie.h"

class TFormAtentie : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormAtentie(QWidget* parent = nullptr);
    Ui::TFormAtentie ui;
};
