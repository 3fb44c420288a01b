#pragma once
// The sales and purchase journals: one fill procedure for both. registru is emptied and
// refilled with the invoices of one kind of the selected company in one month, in date,
// number and client order, then the journal's form previews it.

#include <QChar>

#include "reports/JournalReport.h"

namespace kov::reports {

struct JournalTotals {
    double total = 0, exempt = 0, base = 0, vat = 0, baseOther = 0, vatOther = 0;
};

// Refills registru in one transaction (nothing of a failed run stays). kind is 'E' for issued
// and 'I' for received invoices. Returns the number of invoices.
int fillRegister(QChar kind, int year, int month, const QString& progressText,
                 JournalTotals& totals);

// Puts the sums into LTotal ... LTVA9: the total always, the others empty when 0.
void captionTotals(JournalReport& form, const JournalTotals& totals);

void salesJournal();     // "Jurnal de vanzari"
void purchaseJournal();  // "Jurnal de cumparari"

}  // namespace kov::reports
