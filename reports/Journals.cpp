#include "reports/Journals.h"

#include <QHash>

#include "ui/Globals.h"
#include "ui/Messages.h"
#include "data/Query.h"
#include "data/Values.h"
#include "reports/JournalRates.h"
#include "reports/RaportJurCumpN.h"
#include "reports/RaportJurVanzN.h"
#include "reports/ReportCommands.h"

namespace kov::reports {

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

QString nonZero(double sum) {
    return cents(sum) == 0 ? QString() : displayAmount(sum);
}

struct Journal {
    QChar kind;
    const char* empty;
    const char* progress;
};

void runJournal(const Journal& journal, JournalReport& form) {
    Month month;
    if (!askMonth(month)) {
        return;
    }
    captionCompany(form, QStringLiteral("RLabel13"), QStringLiteral("RLabel12"));
    form.setCaption(QStringLiteral("RLabel14"), month.caption);
    form.setRates(journalRates(month.year, month.month));
    JournalTotals totals;
    if (fillRegister(journal.kind, month.year, month.month, QString::fromLatin1(journal.progress),
                     totals) == 0) {
        message(QString::fromLatin1(journal.empty), QString());
        return;
    }
    captionTotals(form, totals);
    previewReport(form);
}

}  // namespace

int fillRegister(QChar kind, int year, int month, const QString& progressText,
                 JournalTotals& totals) {
    Transaction transaction;
    emptyTable(QStringLiteral("delete from registru"));
    Query write;
    Query invoices;
    invoices.setSql(QStringLiteral("select * from facturi where felfactura='") + kind +
                    "' and codfiscal=" + quoted(SelectedFiscalCode) + inMonth(month, year) +
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
    {
        ProgressShown progress(progressText);
        progress.setMaximum(count);
        for (; !invoices.eof(); invoices.next()) {
            const auto field = [&](const char* name) {
                return invoices.fieldByName(QString::fromLatin1(name));
            };
            const Partner partner = partners.of(field("CODCLIENT").asString());
            const double sum = field("SUMA").asFloat();
            const double base = field("FARATVA").asFloat();
            const double vat = field("TVA").asFloat();
            QString exempt, base1, vat1, base2, vat2;
            totals.total += sum;
            switch (rates.column(field("PROCENTTVA").asFloat(), field("DATA").asDate())) {
                case RateColumn::Exempt:
                    exempt = displayAmount(sum);
                    totals.exempt += sum;
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
                                      vat2};
            QString sql = QStringLiteral(
                "insert into registru (DATA,NRFACTURA,DENUMIRE,CODFISCAL,SUMA,SCUTITTVA,FARATVA,"
                "VALTVA,FARATVA9,VALTVA9) values (");
            for (const QString& v : values) {
                sql += quoted(v) + u',';
            }
            sql[sql.size() - 1] = u')';
            write.setSql(sql);
            write.execSql();
            progress.step();
        }
    }
    transaction.commit();
    return count;
}

void captionTotals(JournalReport& form, const JournalTotals& totals) {
    form.setCaption(QStringLiteral("LTotal"), displayAmount(totals.total));
    form.setCaption(QStringLiteral("LScutit"), nonZero(totals.exempt));
    form.setCaption(QStringLiteral("LFaraTVA"), nonZero(totals.base));
    form.setCaption(QStringLiteral("LTVA"), nonZero(totals.vat));
    form.setCaption(QStringLiteral("LFaraTVA9"), nonZero(totals.baseOther));
    form.setCaption(QStringLiteral("LTVA9"), nonZero(totals.vatOther));
}

void salesJournal() {
    runJournal({u'E', "Nu exista inregistrari la vanzari pe luna selectata!",
                "Se genereaza jurnalul de vanzari. Va rugam asteptati..."},
               *RaportJurVanzN);
}

void purchaseJournal() {
    runJournal({u'I', "Nu exista inregistrari la cumparari pe luna selectata!",
                "Se genereaza jurnalul de cumparari. Va rugam asteptati..."},
               *RaportJurCumpN);
}

}  // namespace kov::reports
