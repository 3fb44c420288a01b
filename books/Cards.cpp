#include "books/Cards.h"

#include "books/Categories.h"
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
    Query sum;
    const auto total = [&](const QString& id, const char* monthTest) {
        sum.setSql(
            "select sum(FaraTVA) as s from operatiuni where codfiscal=" + quoted(company) +
            " and defalcare=" + id +
            QStringLiteral(" and month(data)%1%2 and year(data)=%3")
                .arg(QLatin1String(monthTest), QString::number(month), QString::number(year)));
        sum.open();
        return sum.fieldByName(QStringLiteral("s")).asFloat();
    };
    for (int done = 1; !categories.eof(); categories.next(), ++done) {
        const QString id =
            QString::number(categories.fieldByName(QStringLiteral("ID")).asInteger());
        const double inMonth = total(id, "=");
        const double toDate = total(id, "<=");
        write.setSql("insert into fisecumulate (denumire,sumaluna,sumaan) values(" +
                     quoted(categories.fieldByName(QStringLiteral("DENUMIRE")).asString()) + u',' +
                     plainNumber(inMonth) + u',' + plainNumber(toDate) + u')');
        write.execSql();
        tell(progress, done, count);
    }
    transaction.commit();
    return count;
}

}  // namespace kov
