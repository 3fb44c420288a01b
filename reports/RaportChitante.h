#pragma once
// The receipt and payment order lists' page (A4 landscape): date, number, explanation and
// the amounts with and without VAT of the operations the program's query selects.

#include "reports/ListReport.h"

class TRaportChitante : public kov::reports::ListReport {
    Q_OBJECT
  public:
    explicit TRaportChitante(QObject* parent = nullptr);
};
