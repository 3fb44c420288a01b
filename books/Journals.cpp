#include "books/Journals.h"

#include <QHash>
#include <optional>
#include <vector>

#include "books/JournalRates.h"
#include "books/Periods.h"
#include "books/RateParts.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

namespace {

struct Partner {
    QString name;
    QString fiscalCode;
};

// The partner of a client code; a code without a partner row is a private person's "PF "
// followed by the personal numeric code. Looked up once per code and run, through one statement
// given each code.
class Partners {
  public:
    Partners() { query_.setSql(QStringLiteral("select * from firme where cod=?")); }

    Partner of(const QString& code) {
        if (const auto it = known_.constFind(code); it != known_.cend()) {
            return *it;
        }
        query_.open({code});
        Partner p = query_.eof()
                        ? Partner{QStringLiteral("Persoana fizica"), code.mid(3)}
                        : Partner{query_.fieldByName(QStringLiteral("DENUMIRE")).asString(),
                                  query_.fieldByName(QStringLiteral("CODFISCAL")).asString()};
        known_.insert(code, p);
        return p;
    }

  private:
    Query query_;
    QHash<QString, Partner> known_;
};

// A month's invoices share a few days: each stored day is read and written out once.
class Days {
  public:
    struct Day {
        QDate date;
        QString text;  // as the journal shows it
    };
    const Day& of(const Field& field) {
        const auto* stored = std::get_if<QString>(&field.value());
        if (!stored) {
            other_ = make(field);
            return other_;
        }
        auto it = known_.find(*stored);
        if (it == known_.end()) {
            it = known_.insert(*stored, make(field));
        }
        return *it;
    }

  private:
    static Day make(const Field& field) {
        const QDate date = field.asDate();
        return {date, formatDate(date)};
    }
    QHash<QString, Day> known_;
    Day other_;
};

// The journal's cells of one invoice: each part's amounts in the column of its rate, parts of
// one column added. An exempt invoice of one rate shows its total as the exempt amount.
struct Cells {
    QString exempt, base1, vat1, base2, vat2, exemptNoDeduction;
};

Cells place(const JournalRates& rates, const QDate& day, double sum,
            const std::vector<RatePart>& parts, ExemptionBasis basis, JournalTotals& totals) {
    std::optional<double> exempt, base1, vat1, base2, vat2, exemptNoDeduction;
    const auto add = [](std::optional<double>& cell, double amount) {
        cell = cell.value_or(0) + amount;
    };
    for (const RatePart& part : parts) {
        switch (rates.column(part.rate, day, basis)) {
            case RateColumn::Exempt:
                add(exempt, parts.size() == 1 ? sum : part.base);
                break;
            case RateColumn::ExemptNoDeduction:
                add(exemptNoDeduction, parts.size() == 1 ? sum : part.base);
                break;
            case RateColumn::First:
                add(base1, part.base);
                add(vat1, part.vat);
                break;
            case RateColumn::Other:
                add(base2, part.base);
                add(vat2, part.vat);
                break;
        }
    }
    totals.exempt += exempt.value_or(0);
    totals.exemptNoDeduction += exemptNoDeduction.value_or(0);
    totals.base += base1.value_or(0);
    totals.vat += vat1.value_or(0);
    totals.baseOther += base2.value_or(0);
    totals.vatOther += vat2.value_or(0);
    const auto text = [](const std::optional<double>& cell) {
        return cell ? displayAmount(*cell) : QString();
    };
    return {text(exempt), text(base1), text(vat1),
            text(base2),  text(vat2),  text(exemptNoDeduction)};
}

}  // namespace

int fillRegister(const QString& company, QChar kind, int year, int month, JournalTotals& totals,
                 const FillProgress& progress) {
    Transaction transaction;
    emptyScratch(QStringLiteral("delete from registru"));
    Query write;
    write.setSql(QStringLiteral(
        "insert into registru (DATA,NRFACTURA,DENUMIRE,CODFISCAL,SUMA,SCUTITTVA,FARATVA,"
        "VALTVA,FARATVA9,VALTVA9,SCUTITFARA) values (?,?,?,?,?,?,?,?,?,?,?)"));
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
    // A received invoice of several rates has its parts; any other is one part.
    const QHash<QString, std::vector<RatePart>> received =
        kind == u'I' ? monthRateParts(company, year, month)
                     : QHash<QString, std::vector<RatePart>>{};
    Partners partners;
    Days days;
    totals = {};
    tell(progress, 0, count);
    // The columns by position, looked up once for the whole month.
    enum { Date, Number, Client, Sum, Rate, Net, Vat, Basis };
    std::vector<int> at;
    for (const char* name :
         {"DATA", "NRFACTURA", "CODCLIENT", "SUMA", "PROCENTTVA", "FARATVA", "TVA", "TEMEI"}) {
        at.push_back(invoices.fieldIndex(QString::fromLatin1(name)));
    }
    for (int done = 1; !invoices.eof(); invoices.next(), ++done) {
        const auto field = [&](int column) { return invoices.field(at[column]); };
        const QString client = field(Client).asString();
        const QString number = field(Number).asString();
        const Days::Day& stored = days.of(field(Date));
        const QDate day = stored.date;
        const Partner partner = partners.of(client);
        const double sum = field(Sum).asFloat();
        const auto parts = received.isEmpty()
                               ? received.cend()
                               : received.constFind(ratePartsKey(client, number, day));
        totals.total += sum;
        const Cells cells =
            place(rates, day, sum,
                  parts != received.cend()
                      ? *parts
                      : std::vector<RatePart>{{field(Rate).asFloat(), field(Net).asFloat(),
                                               field(Vat).asFloat()}},
                  exemptionBasis(field(Basis).asString()), totals);
        write.execSql({stored.text, number, partner.name, partner.fiscalCode, displayAmount(sum),
                       cells.exempt, cells.base1, cells.vat1, cells.base2, cells.vat2,
                       cells.exemptNoDeduction});
        tell(progress, done, count);
    }
    transaction.commit();
    return count;
}

}  // namespace kov
