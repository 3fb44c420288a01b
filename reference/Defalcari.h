#pragma once
// Expense breakdown categories ("Administrare defalcari cheltuieli").

#include "reference/CategoryWindow.h"

class TFormDefalcari : public CategoryWindow {
    Q_OBJECT
  public:
    explicit TFormDefalcari(QWidget* parent = nullptr);
};
