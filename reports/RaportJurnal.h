#pragma once
// The cash receipts and payments register's page (A4 portrait): one line per jurnal row in
// insertion order, receipts and payments in cash and through the bank, the four totals in
// RLabel8, RLabel9, RLabel12 and RLabel13.

#include "report_engine/ReportForm.h"

class TRaportJurnal : public kov::report::ReportForm {
    Q_OBJECT
  public:
    explicit TRaportJurnal(QObject* parent = nullptr);
};
