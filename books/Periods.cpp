#include "books/Periods.h"

#include <QDate>

#include "data/Values.h"

namespace kov {

namespace {

QDate dateOf(const QString& text) {
    return parseDate(text).value_or(QDate());
}

// The day itself, then the later days of its month, then the later months of its year, then
// the later years; with "<" the mirror. Compared field by field: the time of day never counts.
QString fromOrUntil(const QDate& d, const char* same, const char* other) {
    // All at once: a number put in first could run into the digits of a later marker.
    return QStringLiteral(
               "((day(data)%1%2 and month(data)=%3 and year(data)=%4) or "
               "(month(data)%5%3 and year(data)=%4) or (year(data)%5%4))")
        .arg(QLatin1String(same), QString::number(d.day()), QString::number(d.month()),
             QString::number(d.year()), QLatin1String(other));
}

}  // namespace

QString inMonth(int month, int year) {
    return QStringLiteral(" and month(data)=%1 and year(data)=%2").arg(month).arg(year);
}

QString monthRange(int firstMonth, int firstYear, int lastMonth, int lastYear) {
    return QStringLiteral(
               " and ((month(data)>=%1 and year(data)=%2) or (year(data)>%2))"
               " and ((month(data)<=%3 and year(data)=%4) or (year(data)<%4))")
        .arg(QString::number(firstMonth), QString::number(firstYear), QString::number(lastMonth),
             QString::number(lastYear));
}

QString dayCondition(const QString& date) {
    const QDate d = dateOf(date);
    return QStringLiteral("day(data)=%1 and month(data)=%2 and year(data)=%3")
        .arg(d.day())
        .arg(d.month())
        .arg(d.year());
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
    if (from.isEmpty()) {
        return {" and " + fromOrUntil(dateOf(to), "<=", "<"), "pana la data de " + to};
    }
    if (to.isEmpty()) {
        return {" and " + fromOrUntil(dateOf(from), ">=", ">"), "din data de " + from};
    }
    return {" and (" + fromOrUntil(dateOf(from), ">=", ">") + " and " +
                fromOrUntil(dateOf(to), "<=", "<") + ")",
            "din data de " + from + " pana la data de " + to};
}

}  // namespace kov
