#pragma once
// The statements of the four document lists: issued and received invoices, paid and collected
// receipts and payment orders of a company, for a day or a range of days.

#include <QString>

#include "books/Periods.h"

namespace kov {

enum class DocumentList { IssuedInvoices, ReceivedInvoices, PaidReceipts, CollectedReceipts };

bool isInvoiceList(DocumentList list);

// The statement of a list for the period dialog's choice: one day (dateOn, which may be empty)
// or the condition of a range.
QString listStatement(const QString& company, DocumentList list, bool oneDayMode,
                      const QString& dateOn, const DateCondition& condition);

}  // namespace kov
