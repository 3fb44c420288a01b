#pragma once
// Confirmation before a company is deleted with all its documents.

#include <QDialog>

#include "ui_Atentie.h"

class TFormAtentie : public QDialog {
    Q_OBJECT
  public:
    explicit TFormAtentie(QWidget* parent = nullptr);
    Ui::TFormAtentie ui;
};
