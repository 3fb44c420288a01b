#pragma once
// "Registru jurnal de incasari si plati": the register documents of a company in one month go
// into jurnal. A VAT payer's register shows the amounts without VAT, any other company's the
// amounts with VAT.

#include <QString>

#include "books/ReportFill.h"

namespace kov {

struct RegisterTotals {
    double cashIn = 0, bankIn = 0, cashOut = 0, bankOut = 0;
};

// Refills jurnal in one transaction; returns the number of lines.
int fillCashJournal(const QString& company, int year, int month, bool vatPayer,
                    RegisterTotals& totals, const FillProgress& progress = {});

}  // namespace kov
