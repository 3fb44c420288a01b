#include "books/CashRegister.h"

#include "books/Periods.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

int fillCashJournal(const QString& company, int year, int month, bool vatPayer,
                    RegisterTotals& totals, const FillProgress& progress) {
    Transaction transaction;
    emptyScratch(QStringLiteral("delete from jurnal"));
    Query write;
    write.setSql(QStringLiteral(
        "insert into jurnal (DATA,NRDOC,FELOPERATIE,INCASARIN,INCASARIB,PLATIN,PLATIB) "
        "values(?,?,?,?,?,?,?)"));
    Query rows;
    rows.setSql("select * from operatiuni where codfiscal=" + quoted(company) +
                inMonth(month, year) + " and REGISTRU=1 order by data, nrdoc");
    rows.open();
    const int count = rows.recordCount();
    tell(progress, 0, count);
    totals = {};
    const QString amountField = vatPayer ? QStringLiteral("FARATVA") : QStringLiteral("SUMA");
    for (int done = 1; !rows.eof(); rows.next(), ++done) {
        const double amount = rows.fieldByName(amountField).asFloat();
        // TIP is compared exactly: only "plata" is a payment.
        const bool payment = rows.fieldByName(QStringLiteral("TIP")).asString() == "plata";
        const bool bank = rows.fieldByName(QStringLiteral("BANCA")).asInteger() != 0;
        QString columns[4];
        const int column = (payment ? 2 : 0) + (bank ? 1 : 0);
        columns[column] = displayAmount(amount);
        double* sums[] = {&totals.cashIn, &totals.bankIn, &totals.cashOut, &totals.bankOut};
        *sums[column] += amount;
        write.execSql({rows.fieldByName(QStringLiteral("DATA")).asString(),
                       rows.fieldByName(QStringLiteral("NRDOC")).asString(),
                       rows.fieldByName(QStringLiteral("FELOPERATIE")).asString(), columns[0],
                       columns[1], columns[2], columns[3]});
        tell(progress, done, count);
    }
    transaction.commit();
    return count;
}

}  // namespace kov
