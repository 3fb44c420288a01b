#pragma once
// The purchase journal's page: the invoices received in a month, supplier, total, exempt
// purchases and the taxable pairs.

#include "reports/JournalReport.h"

class TRaportJurCumpN : public kov::reports::JournalReport {
    Q_OBJECT
  public:
    explicit TRaportJurCumpN(QObject* parent = nullptr);
};
