#pragma once
// Income breakdown categories ("Administrare defalcari venituri").

#include "reference/CategoryWindow.h"

class TFormDefalcariVenituri : public CategoryWindow {
    Q_OBJECT
  public:
    explicit TFormDefalcariVenituri(QWidget* parent = nullptr);
};
