#pragma once
// The ledger card's page (A4 portrait): the documents of one breakdown category in a month
// or a range of months, their amounts without VAT and the total.

#include "reports/ListReport.h"

class TRaportOperatiuniDiverse : public kov::reports::ListReport {
    Q_OBJECT
  public:
    explicit TRaportOperatiuniDiverse(QObject* parent = nullptr);
};
