#pragma once
// The sales journal's page: the invoices issued in a month, buyer, total, exempt amounts and
// the taxable pairs.

#include "reports/JournalReport.h"

class TRaportJurVanzN : public kov::reports::JournalReport {
    Q_OBJECT
  public:
    explicit TRaportJurVanzN(QObject* parent = nullptr);
};
