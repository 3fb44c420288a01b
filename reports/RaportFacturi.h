#pragma once
// The invoice lists' page (A4 portrait): date, number, partner code and the amounts with
// and without VAT of the invoices the program's query selects, with their totals.

#include "reports/ListReport.h"

class TRaportFacturi : public kov::reports::ListReport {
    Q_OBJECT
  public:
    explicit TRaportFacturi(QObject* parent = nullptr);
};
