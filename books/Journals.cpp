#include "books/Journals.h"

#include <QHash>

#include "books/JournalRates.h"
#include "books/Periods.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

namespace {

struct Partner {
    QString name;
    QString fiscalCode;
};

// The partner of a client code; a code without a partner row is a private person's "PF "
// followed by the personal numeric code. Looked up once per code and run.
class Partners {
  public:
    Partner of(const QString& code) {
        if (const auto it = known_.constFind(code); it != known_.cend()) {
            return *it;
        }
        Query q;
        q.setSql("select * from firme where cod=" + quoted(code));
        q.open();
        Partner p = q.eof() ? Partner{QStringLiteral("Persoana fizica"), code.mid(3)}
                            : Partner{q.fieldByName(QStringLiteral("DENUMIRE")).asString(),
                                      q.fieldByName(QStringLiteral("CODFISCAL")).asString()};
        known_.insert(code, p);
        return p;
    }

  private:
    QHash<QString, Partner> known_;
};

}  // namespace

int fillRegister(const QString& company, QChar kind, int year, int month, JournalTotals& totals,
                 const FillProgress& progress) {
    Transaction transaction;
    emptyScratch(QStringLiteral("delete from registru"));
    Query write;
    Query invoices;
    invoices.setSql(QStringLiteral("select * from facturi where felfactura='") + kind +
                    "' and codfiscal=" + quoted(company) + inMonth(month, year) +
                    " order by data, nrfactura, codclient");
    invoices.open();
    const int count = invoices.recordCount();
    if (count == 0) {
        transaction.commit();
        return 0;
    }
    const JournalRates rates = journalRates(year, month);
    Partners partners;
    totals = {};
    tell(progress, 0, count);
    for (int done = 1; !invoices.eof(); invoices.next(), ++done) {
        const auto field = [&](const char* name) {
            return invoices.fieldByName(QString::fromLatin1(name));
        };
        const Partner partner = partners.of(field("CODCLIENT").asString());
        const double sum = field("SUMA").asFloat();
        const double base = field("FARATVA").asFloat();
        const double vat = field("TVA").asFloat();
        QString exempt, exemptNoDeduction, base1, vat1, base2, vat2;
        totals.total += sum;
        switch (rates.column(field("PROCENTTVA").asFloat(), field("DATA").asDate(),
                             exemptionBasis(field("TEMEI").asString()))) {
            case RateColumn::Exempt:
                exempt = displayAmount(sum);
                totals.exempt += sum;
                break;
            case RateColumn::ExemptNoDeduction:
                exemptNoDeduction = displayAmount(sum);
                totals.exemptNoDeduction += sum;
                break;
            case RateColumn::First:
                base1 = displayAmount(base);
                vat1 = displayAmount(vat);
                totals.base += base;
                totals.vat += vat;
                break;
            case RateColumn::Other:
                base2 = displayAmount(base);
                vat2 = displayAmount(vat);
                totals.baseOther += base;
                totals.vatOther += vat;
                break;
        }
        const QString values[] = {field("DATA").asString(),
                                  field("NRFACTURA").asString(),
                                  partner.name,
                                  partner.fiscalCode,
                                  displayAmount(sum),
                                  exempt,
                                  base1,
                                  vat1,
                                  base2,
                                  vat2,
                                  exemptNoDeduction};
        QString sql = QStringLiteral(
            "insert into registru (DATA,NRFACTURA,DENUMIRE,CODFISCAL,SUMA,SCUTITTVA,FARATVA,"
            "VALTVA,FARATVA9,VALTVA9,SCUTITFARA) values (");
        for (const QString& v : values) {
            sql += quoted(v) + u',';
        }
        sql[sql.size() - 1] = u')';
        write.setSql(sql);
        write.execSql();
        tell(progress, done, count);
    }
    transaction.commit();
    return count;
}

}  // namespace kov
