#include "books/Cards.h"

#include "books/Categories.h"
#include "books/Periods.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

QString cardStatement(const QString& company, long long category, const QString& period) {
    return "select * from operatiuni where codfiscal=" + quoted(company) +
           " and defalcare=" + QString::number(category) + period + " order by data, nrdoc";
}

int fillCumulative(const QString& company, QChar kind, int year, int month,
                   const FillProgress& progress) {
    Transaction transaction;
    emptyScratch(QStringLiteral("delete * from fisecumulate"));
    Query write;
    Query categories;
    categories.setSql(categoriesStatement(QString(kind)));
    categories.open();
    const int count = categories.recordCount();
    tell(progress, 0, count);
    const QDate first(year, month, 1);
    const QDate next = first.addMonths(1);
    // The month, and the year up to the month's end: one statement each, run per category.
    Query monthSum, yearSum;
    const QString sum =
        "select sum(FaraTVA) as s from operatiuni where codfiscal=" + quoted(company) +
        " and defalcare=?";
    monthSum.setSql(sum + inPeriod(first, next));
    yearSum.setSql(sum + inPeriod(QDate(year, 1, 1), next));
    const auto total = [](Query& q, long long id) {
        q.open({id});
        return q.fieldByName(QStringLiteral("s")).asFloat();
    };
    write.setSql(
        QStringLiteral("insert into fisecumulate (denumire,sumaluna,sumaan) values(?,?,?)"));
    for (int done = 1; !categories.eof(); categories.next(), ++done) {
        const long long id = categories.fieldByName(QStringLiteral("ID")).asInteger();
        write.execSql({categories.fieldByName(QStringLiteral("DENUMIRE")).asString(),
                       total(monthSum, id), total(yearSum, id)});
        tell(progress, done, count);
    }
    transaction.commit();
    return count;
}

}  // namespace kov
