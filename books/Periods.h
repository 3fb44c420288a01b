#pragma once
// The period conditions of the reports' statements, each following the company's code: one
// month, a range of months, one day, a range of days.

#include <QDate>
#include <QString>

namespace kov {

// " and data>='2004-03-01' and data<'2004-04-01'": the documents from the first day to before
// the second. Ranges of the stored dates, so that the company-and-date index serves them.
QString inPeriod(const QDate& first, const QDate& afterLast);

// The documents of one month.
QString inMonth(int month, int year);

// The documents whose month lies from the first month to the last, both included.
QString monthRange(int firstMonth, int firstYear, int lastMonth, int lastYear);

// "data='2004-03-05'" for a day typed as dd.mm.yyyy.
QString dayCondition(const QString& date);

// The condition on data that follows the company's code in a list's statement, and the
// period line printed under the title. A day given alone, a range open at either end or
// closed; both ends of a range are included. The dates are known to convert.
struct DateCondition {
    QString sql;  // empty: no limit
    QString label;
};
DateCondition oneDay(const QString& date);
DateCondition dateRange(const QString& from, const QString& to);

}  // namespace kov
