#include <gtest/gtest.h>

#include <functional>

#include "books/Cards.h"
#include "books/CashRegister.h"
#include "books/Categories.h"
#include "books/Journals.h"
#include "books/Lists.h"
#include "data/Query.h"
#include "data/Values.h"
#include "tests/Support.h"

using namespace kov;

namespace {

// The company asked for, RO100, against another company's documents, other months and kinds.
class ReportFills : public ::testing::Test {
  protected:
    ReportFills() {
        db.exec("insert into firme (COD,DENUMIRE,CODFISCAL) values('A1','O''NEIL SRL','RO555')");
        invoice("E", "1", "05.03.2004", "A1", "119", "100", "19", "19");
        invoice("E", "2", "05.03.2004", "PF 1800101123456", "50", "50", "0", "0");
        invoice("E", "3", "10.03.2004", "A1", "218", "200", "9", "18");
        invoice("I", "F7", "07.03.2004", "A1", "1190", "1000", "19", "190");
        invoice("E", "4", "10.03.2004", "A1", "357", "300", "19", "57", "RO200");
        invoice("E", "5", "01.04.2004", "A1", "357", "300", "19", "57");
        db.exec("insert into defalcari (ID,DENUMIRE,TIP) values(10001,'chirie','c')");
        db.exec("insert into defalcari (ID,DENUMIRE,TIP) values(10002,'apa','c')");
        db.exec("insert into defalcari (ID,DENUMIRE,TIP) values(10003,'onorarii','v')");
        operation("02.03.2004", "CH. 1", "incasare", 0, "119", "100", 1, 10003);
        operation("03.03.2004", "O.P. 2", "plata", 1, "238", "200", 1, 10001);
        operation("04.03.2004", "CH. 3", "plata", 0, "59.5", "50", 0, 10001);
        operation("05.01.2004", "BF. 4", "plata", 0, "11.9", "10", 1, 10001);
        operation("03.03.2004", "CH. 5", "plata", 0, "119", "100", 1, 10001, "RO200");
    }

    void invoice(const char* kind, const char* number, const char* date, const char* client,
                 const char* sum, const char* base, const char* rate, const char* vat,
                 const char* company = "RO100") {
        db.exec(QStringLiteral("insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,"
                               "PROCENTTVA,TVA,CODCLIENT,FELFACTURA) values('%1','%2','%3',%4,%5,"
                               "%6,%7,'%8','%9')")
                    .arg(company, number, storedDate(date), sum, base, rate, vat, client, kind));
    }
    void operation(const char* date, const char* number, const char* type, int bank,
                   const char* sum, const char* net, int inRegister, int category,
                   const char* company = "RO100") {
        db.exec(QStringLiteral("insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,SUMA,"
                               "FARATVA,BANCA,DEFALCARE,TIP,REGISTRU) values('%1','%2','%3',"
                               "'ONORARIU',%4,%5,%6,%7,'%8',%9)")
                    .arg(company, storedDate(date), number, sum, net, QString::number(bank),
                         QString::number(category), type, QString::number(inRegister)));
    }

    test::TempDatabase db;
};

// One column of a statement's rows, in order.
QStringList column(const QString& sql, const char* field) {
    QStringList values;
    Query q;
    q.setSql(sql);
    for (q.open(); !q.eof(); q.next()) {
        values << q.fieldByName(QString::fromLatin1(field)).asString();
    }
    return values;
}

QString sums(std::initializer_list<double> values) {
    QStringList texts;
    for (double v : values) {
        texts << QString::number(v);
    }
    return texts.join(u'|');
}

}  // namespace

TEST_F(ReportFills, ScratchRowsTotalsAndProgressOfOneCompany) {
    const QString company = QStringLiteral("RO100");
    // Each fill gives its count and totals as "count: sums"; its scratch table's rows follow.
    using Fill = std::function<QString(const FillProgress&)>;
    const auto journal = [&](QChar kind, int month) -> Fill {
        return [=](const FillProgress& p) {
            JournalTotals t;
            const int n = fillRegister(company, kind, 2004, month, t, p);
            return QString::number(n) + ": " +
                   sums({t.total, t.exempt, t.base, t.vat, t.baseOther, t.vatOther});
        };
    };
    const auto cash = [&](int month, bool vatPayer) -> Fill {
        return [=](const FillProgress& p) {
            RegisterTotals t;
            const int n = fillCashJournal(company, 2004, month, vatPayer, t, p);
            return QString::number(n) + ": " + sums({t.cashIn, t.bankIn, t.cashOut, t.bankOut});
        };
    };
    struct Case {
        const char* what;
        Fill fill;
        const char* scratch;
        QStringList rows;
        QString result;
        // Once before the first row, then after each; nothing when a journal has no invoice.
        const char* progress;
    } const cases[] = {
        {"sales journal",
         journal(u'E', 3),
         "select * from registru",
         {"05.03.2004|1|O'NEIL SRL|RO555|119.00||100.00|19.00|||",
          "05.03.2004|2|Persoana fizica|1800101123456|50.00|50.00|||||",
          "10.03.2004|3|O'NEIL SRL|RO555|218.00||||200.00|18.00|"},
         "3: 387|50|100|19|200|18",
         "0/3 1/3 2/3 3/3"},
        {"purchase journal of a month without invoices",
         journal(u'I', 4),
         "select * from registru",
         {},
         "0: 0|0|0|0|0|0",
         ""},
        {"cash register of a VAT payer",
         cash(3, true),
         "select * from jurnal",
         {"02.03.2004|CH. 1|ONORARIU|100.00|||", "03.03.2004|O.P. 2|ONORARIU||||200.00"},
         "2: 100|0|0|200",
         "0/2 1/2 2/2"},
        {"cash register of a company outside VAT",
         cash(3, false),
         "select * from jurnal",
         {"02.03.2004|CH. 1|ONORARIU|119.00|||", "03.03.2004|O.P. 2|ONORARIU||||238.00"},
         "2: 119|0|0|238",
         "0/2 1/2 2/2"},
        {"cash register of a month without documents",
         cash(6, true),
         "select * from jurnal",
         {},
         "0: 0|0|0|0",
         "0/0"},
        {"cumulative expense cards",
         [&](const FillProgress& p) {
             return QString::number(fillCumulative(company, u'c', 2004, 3, p));
         },
         "select * from fisecumulate",
         {"apa|0|0", "chirie|250|260"},
         "2",
         "0/2 1/2 2/2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList calls;
        const QString result = c.fill(
            [&](int done, int total) { calls << QStringLiteral("%1/%2").arg(done).arg(total); });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(db.rows(c.scratch), c.rows);
        EXPECT_EQ(calls.join(u' '), c.progress);
    }
}

TEST_F(ReportFills, CardAndListStatementsSelectTheCompanysDocuments) {
    const QString company = QStringLiteral("RO100");
    EXPECT_EQ(categoryNames("c"), (QStringList{"apa", "chirie"}));
    EXPECT_EQ(findCategory("c", "chirie"), 10001);
    EXPECT_EQ(findCategory("v", "chirie"), std::nullopt);
    struct {
        QString sql;
        const char* field;
        QStringList numbers;
    } const cases[] = {
        {cardStatement(company, 10001, inMonth(3, 2004)), "NRDOC", {"O.P. 2", "CH. 3"}},
        {cardStatement(company, 10001, monthRange(12, 2003, 2, 2004)), "NRDOC", {"BF. 4"}},
        {listStatement(company, DocumentList::IssuedInvoices, true, "05.03.2004",
                       oneDay("05.03.2004")),
         "NRFACTURA",
         {"1", "2"}},
        {listStatement(company, DocumentList::IssuedInvoices, false, {},
                       dateRange("06.03.2004", {})),
         "NRFACTURA",
         {"3", "5"}},
        {listStatement(company, DocumentList::ReceivedInvoices, false, {}, dateRange({}, {})),
         "NRFACTURA",
         {"F7"}},
        {listStatement(company, DocumentList::PaidReceipts, true, "03.03.2004",
                       oneDay("03.03.2004")),
         "NRDOC",
         {"O.P. 2"}},
        {listStatement(company, DocumentList::PaidReceipts, false, {},
                       dateRange("01.01.2004", "03.03.2004")),
         "NRDOC",
         {"BF. 4", "O.P. 2"}},
        {listStatement(company, DocumentList::CollectedReceipts, true, {}, oneDay({})),
         "NRDOC",
         {"CH. 1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        EXPECT_EQ(column(c.sql, c.field), c.numbers);
    }
}
