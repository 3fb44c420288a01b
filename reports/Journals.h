#pragma once
// The sales and purchase journal commands: the month, the refill of registru for the selected
// company, then the journal's form previews it.

#include "books/Journals.h"
#include "reports/JournalReport.h"

namespace kov::reports {

// Puts the sums into LTotal ... LTVA9: the total always, the others empty when 0.
void captionTotals(JournalReport& form, const JournalTotals& totals);

void salesJournal();     // "Jurnal de vanzari"
void purchaseJournal();  // "Jurnal de cumparari"

}  // namespace kov::reports
