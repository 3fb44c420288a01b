#pragma once
// The four document lists: issued and received invoices, paid and collected receipts and
// payment orders, for the day or range of days chosen in the period dialog.

#include <QString>

namespace kov::reports {

// The condition on data that follows the company's code in a list's statement, and the
// period line printed under the title. A day given alone, a range open at either end or
// closed; both ends of a range are included. The dates are known to convert.
struct DateCondition {
    QString sql;  // empty: no limit
    QString label;
};
DateCondition oneDay(const QString& date);
DateCondition dateRange(const QString& from, const QString& to);

enum class DocumentList { IssuedInvoices, ReceivedInvoices, PaidReceipts, CollectedReceipts };

// The statement of a list for the period dialog's choice.
QString listStatement(DocumentList list, bool oneDayMode, const QString& dateOn,
                      const DateCondition& condition);

void documentList(DocumentList list);

}  // namespace kov::reports
