#include "reports/CashRegister.h"

#include "ui/Globals.h"
#include "ui/Messages.h"
#include "data/Query.h"
#include "data/Values.h"
#include "reports/RaportJurnal.h"
#include "reports/ReportCommands.h"

namespace kov::reports {

int fillCashJournal(int year, int month, bool vatPayer, RegisterTotals& totals) {
    Transaction transaction;
    emptyTable(QStringLiteral("delete from jurnal"));
    Query write;
    ProgressShown progress(
        QStringLiteral("Se genereaza jurnalul de incasari si plati. Va rugam asteptati..."));
    Query rows;
    rows.setSql("select * from operatiuni where codfiscal=" + quoted(SelectedFiscalCode) +
                inMonth(month, year) + " and REGISTRU=1 order by data, nrdoc");
    rows.open();
    progress.setMaximum(rows.recordCount());
    totals = {};
    const QString amountField = vatPayer ? QStringLiteral("FARATVA") : QStringLiteral("SUMA");
    for (; !rows.eof(); rows.next()) {
        const double amount = rows.fieldByName(amountField).asFloat();
        // TIP is compared exactly: only "plata" is a payment.
        const bool payment = rows.fieldByName(QStringLiteral("TIP")).asString() == "plata";
        const bool bank = rows.fieldByName(QStringLiteral("BANCA")).asInteger() != 0;
        QString columns[4];
        const int column = (payment ? 2 : 0) + (bank ? 1 : 0);
        columns[column] = displayAmount(amount);
        double* sums[] = {&totals.cashIn, &totals.bankIn, &totals.cashOut, &totals.bankOut};
        *sums[column] += amount;
        write.setSql(
            "insert into jurnal (DATA,NRDOC,FELOPERATIE,INCASARIN,INCASARIB,PLATIN,"
            "PLATIB) values(" +
            quoted(rows.fieldByName(QStringLiteral("DATA")).asString()) + u',' +
            quoted(rows.fieldByName(QStringLiteral("NRDOC")).asString()) + u',' +
            quoted(rows.fieldByName(QStringLiteral("FELOPERATIE")).asString()) + u',' +
            quoted(columns[0]) + u',' + quoted(columns[1]) + u',' + quoted(columns[2]) + u',' +
            quoted(columns[3]) + u')');
        write.execSql();
        progress.step();
    }
    transaction.commit();
    return rows.recordCount();
}

void cashRegister() {
    Month month;
    if (!askMonth(month)) {
        return;
    }
    TRaportJurnal& form = *RaportJurnal;
    const Company company =
        captionCompany(form, QStringLiteral("RLabel1"), QStringLiteral("RLabel2"));
    RegisterTotals totals;
    fillCashJournal(month.year, month.month, company.vatPayer, totals);
    form.setCaption(QStringLiteral("RLabel4"), month.caption);
    form.setCaption(QStringLiteral("RLabel8"), displayAmount(totals.cashIn));
    form.setCaption(QStringLiteral("RLabel9"), displayAmount(totals.bankIn));
    form.setCaption(QStringLiteral("RLabel12"), displayAmount(totals.cashOut));
    form.setCaption(QStringLiteral("RLabel13"), displayAmount(totals.bankOut));
    form.query().setSql(QStringLiteral("select * from jurnal"));
    if (!previewReport(form)) {
        message(QStringLiteral("Nu exista inregistrari pe luna selectata!"), QString());
    }
}

}  // namespace kov::reports
