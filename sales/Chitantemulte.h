#pragma once
// Several receipts paying one issued invoice ("Introducere mai multe chitante/factura").

#include "sales/DocumentRunWindow.h"

class TFormChitanteMulte : public DocumentRunWindow {
    Q_OBJECT
  public:
    explicit TFormChitanteMulte(QWidget* parent = nullptr);
};
