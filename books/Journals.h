#pragma once
// The sales and purchase journals: one fill for both. registru is emptied and refilled with
// the invoices of one kind of a company in one month, in date, number and client order.

#include <QChar>
#include <QString>

#include "books/ReportFill.h"

namespace kov {

struct JournalTotals {
    double total = 0, exempt = 0, base = 0, vat = 0, baseOther = 0, vatOther = 0;
    double exemptNoDeduction = 0;
};

// Refills registru in one transaction (nothing of a failed run stays). kind is 'E' for issued
// and 'I' for received invoices. Returns the number of invoices; progress is not called when
// there are none.
int fillRegister(const QString& company, QChar kind, int year, int month, JournalTotals& totals,
                 const FillProgress& progress = {});

}  // namespace kov
