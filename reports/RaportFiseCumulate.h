#pragma once
// The cumulative cards' page (A4 portrait): one line per category from fisecumulate, its
// month total and its total from January, and the sums of both.

#include "reports/ListReport.h"

class TRaportFiseCumulate : public kov::reports::ListReport {
    Q_OBJECT
  public:
    explicit TRaportFiseCumulate(QObject* parent = nullptr);
};
