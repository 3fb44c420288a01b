#include "books/Periods.h"

#include <QDate>

#include "data/Values.h"

namespace kov {

namespace {

QDate dateOf(const QString& text) {
    return parseDate(text).value_or(QDate());
}

QString stored(const QDate& d) {
    return quoted(isoDate(d));
}

}  // namespace

QString inPeriod(const QDate& first, const QDate& afterLast) {
    return " and data>=" + stored(first) + " and data<" + stored(afterLast);
}

QString inMonth(int month, int year) {
    const QDate first(year, month, 1);
    return inPeriod(first, first.addMonths(1));
}

QString monthRange(int firstMonth, int firstYear, int lastMonth, int lastYear) {
    return inPeriod(QDate(firstYear, firstMonth, 1), QDate(lastYear, lastMonth, 1).addMonths(1));
}

QString dayCondition(const QString& date) {
    return "data=" + stored(dateOf(date));
}

DateCondition oneDay(const QString& date) {
    if (date.isEmpty()) {
        return {};
    }
    return {" and " + dayCondition(date), "la data de " + date};
}

DateCondition dateRange(const QString& from, const QString& to) {
    if (from.isEmpty() && to.isEmpty()) {
        return {};
    }
    const QString since = "data>=" + stored(dateOf(from));
    const QString until = "data<=" + stored(dateOf(to));
    if (from.isEmpty()) {
        return {" and " + until, "pana la data de " + to};
    }
    if (to.isEmpty()) {
        return {" and " + since, "din data de " + from};
    }
    return {" and " + since + " and " + until, "din data de " + from + " pana la data de " + to};
}

}  // namespace kov
