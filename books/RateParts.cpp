#include "books/RateParts.h"

#include "books/Periods.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

QString ratePartsKey(const QString& supplier, const QString& number, const QDate& date) {
    return supplier + u'\n' + number + u'\n' + isoDate(date);
}

void insertRateParts(const QString& company, const QString& supplier, const QString& number,
                     const QDate& date, const std::vector<RatePart>& parts) {
    Query q;
    for (const RatePart& p : parts) {
        q.setSql(QStringLiteral("insert into cotefacturi (CODFISCAL,CODCLIENT,NRFACTURA,DATA,"
                                "PROCENTTVA,FARATVA,TVA) values(") +
                 quoted(company) + u',' + quoted(supplier) + u',' + quoted(number) + u',' +
                 quoted(isoDate(date)) + u',' + bare(plainNumber(p.rate)) + u',' +
                 formatAmount(p.base) + u',' + formatAmount(p.vat) + u')');
        q.execSql();
    }
}

QHash<QString, std::vector<RatePart>> monthRateParts(const QString& company, int year, int month) {
    QHash<QString, std::vector<RatePart>> out;
    Query q;
    q.setSql("select * from cotefacturi where codfiscal=" + quoted(company) + inMonth(month, year) +
             " order by procenttva desc");
    for (q.open(); !q.eof(); q.next()) {
        const auto field = [&q](const char* name) {
            return q.fieldByName(QString::fromLatin1(name));
        };
        out[ratePartsKey(field("CODCLIENT").asString(), field("NRFACTURA").asString(),
                         field("DATA").asDate())]
            .push_back({field("PROCENTTVA").asFloat(), field("FARATVA").asFloat(),
                        field("TVA").asFloat()});
    }
    return out;
}

}  // namespace kov
