#pragma once
// Several payment orders paying one issued invoice ("Introducere mai multe OP-uri/factura").

#include "sales/DocumentRunWindow.h"

class TFormOPuriMulte : public DocumentRunWindow {
    Q_OBJECT
  public:
    explicit TFormOPuriMulte(QWidget* parent = nullptr);
};
