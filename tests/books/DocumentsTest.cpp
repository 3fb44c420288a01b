// Recording each kind of document straight through the bookkeeping functions, with no window:
// the rows stored, the counters, and the company they are recorded for.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QFile>

#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "books/Invoices.h"
#include "books/Purchases.h"
#include "data/Database.h"
#include "tests/Support.h"
#include "tests/books/PendingInvoices.h"

namespace kov::test {

namespace {

const QString kInvoices = QStringLiteral(
    "select CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,CODCLIENT,"
    "FELFACTURA,EXPLICATIE,NUMEPF,CNPPF from facturi order by rowid");
const QString kOperations = QStringLiteral(
    "select CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,BANCA,DEFALCARE,TIP,"
    "OBSERVATII,REGISTRU from operatiuni order by rowid");
const QStringList kCounters{"RO1|7|3", "RO2|50|60"};

Purchase bought(const QString& number) {
    Purchase p;
    p.date = "05.03.2004";
    p.number = number;
    p.supplier = "A1";
    p.total = "119";
    p.net = "100.00";
    p.rate = "19";
    p.vat = "19.00";
    p.explanation = "MARFA";
    p.category = "chirie";
    return p;
}

ReceivedInvoice received(bool cash, const QString& paid, bool fiscalReceipt) {
    ReceivedInvoice r{bought("F1")};
    r.cash = cash;
    r.paid = paid;
    r.fiscalReceipt = fiscalReceipt;
    r.receiptNumber = "9";
    r.remarks = "OBS";
    return r;
}

}  // namespace

TEST(Documents, EachKindStoresItsRowsForTheCompanyGiven) {
    struct Case {
        const char* name;
        std::function<void()> record;
        QStringList invoices, operations;
        QStringList counters = kCounters;
    };
    const Case cases[] = {
        {"issued invoice to a firm",
         [] {
             const PendingInvoice p = issued("7");
             recordInvoice("RO1", p);
             advanceCounters("RO1", p);
         },
         {"RO1|7|05.03.2004|119|100|19|19|0|119|A1|E|ONORARIU||"},
         {},
         {"RO1|8|3", "RO2|50|60"}},
        {"issued invoice to a person, with its receipt",
         [] {
             PendingInvoice p = issued("50");
             p.clientCode = "PF 1800101123456";
             p.person = InvoicedPerson{"ION POPESCU", "STR. MARE 1", "", "ARAD", "1800101123456"};
             p.paid = "1";
             p.remainder = "0.00";
             p.receipt = true;
             p.receiptNumber = "60";
             p.receiptAmount = 119;
             p.breakdown = "33333";
             p.remarks = "OBS";
             recordInvoice("RO2", p);
             advanceCounters("RO2", p);
         },
         {"RO2|50|05.03.2004|119|100|19|19|1|0|PF 1800101123456|E|ONORARIU|ION POPESCU|"
          "1800101123456"},
         {"RO2|05.03.2004|F.50 + CH.60|ONORARIU||119|100|0|33333|incasare|OBS|1"},
         {"RO1|7|3", "RO2|51|61"}},
        {"received invoice, paid later",
         [] { recordReceivedInvoice("RO1", received(false, "", false)); },
         {"RO1|F1|05.03.2004|119|100|19|19|0|119|A1|I|||"},
         {}},
        {"received invoice, paid in part against a fiscal receipt",
         [] { recordReceivedInvoice("RO1", received(true, "100", true)); },
         {"RO1|F1|05.03.2004|119|100|19|19|0|19|A1|I|||"},
         {"RO1|05.03.2004|F.F1 + BF.9|MARFA||100|84.03|0|22222|plata|OBS|1"}},
        {"received invoice, paid in full against a receipt",
         [] { recordReceivedInvoice("RO2", received(true, "119", false)); },
         {"RO2|F1|05.03.2004|119|100|19|19|1|0|A1|I|||"},
         {"RO2|05.03.2004|F.F1 + CH.9|MARFA||119|100|0|22222|plata|OBS|1"}},
        {"fuel with excise",
         [] {
             FuelPurchase f{bought("9")};
             f.total = "100";
             f.base = "80.00";
             f.net = "67.23";
             f.vat = "12.77";
             f.excise = "20";
             recordFuel("RO1", f);
         },
         {"RO1|BF. 9|05.03.2004|80|67.23|19|12.77|1|0|A1|I|||",
          "RO1|BF. 9|05.03.2004|20|20|0|0|1|0|A1|I|||"},
         {"RO1|05.03.2004|BF. 9|COMBUSTIBIL||100|87.23|0|11111|plata||1"}},
        {"fiscal receipt, outside the cash register",
         [] {
             Purchase p = bought("12");
             p.remarks = "OBS";
             p.inRegister = 0;
             recordFiscalReceipt("RO1", p);
         },
         {"RO1|BF. 12|05.03.2004|119|100|19|19|1|0|A1|I|||"},
         {"RO1|05.03.2004|BF. 12|MARFA||119|100|0|22222|plata|OBS|0"}},
        {"simple receipt under a category deleted meanwhile",
         [] {
             Purchase p = bought("5");
             p.category = "STEARSA";
             recordSimpleReceipt("RO1", p);
         },
         {},
         {"RO1|05.03.2004|CH. 5|MARFA||119|100|0|0|plata||1"}},
        {"miscellaneous payment through the bank",
         [] {
             MiscPayment m;
             m.date = "05.03.2004";
             m.document = "OP 3";
             m.explanation = "IMPOZIT";
             m.amount = "250";
             m.bank = 1;
             m.inRegister = 0;
             recordMiscPayment("RO2", m);
         },
         {},
         {"RO2|05.03.2004|OP 3|IMPOZIT||250|250|1|0|plata||0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDatabase t;
        t.exec("insert into numere values('RO1',7,3)");
        t.exec("insert into numere values('RO2',50,60)");
        t.exec("insert into defalcari (id,denumire,tip) values(11111,'combustibil auto','c')");
        t.exec("insert into defalcari (id,denumire,tip) values(22222,'chirie','c')");
        t.exec("insert into defalcari (id,denumire,tip) values(33333,'chirie','v')");
        c.record();
        EXPECT_EQ(t.rows(kInvoices), c.invoices);
        EXPECT_EQ(t.rows(kOperations), c.operations);
        EXPECT_EQ(t.rows("select * from numere order by codfiscal"), c.counters);
    }
}

// A number that is not one refuses the whole document, also a row after one already written.
TEST(Documents, ANonNumberRefusesTheWholeDocument) {
    TempDatabase t;
    FuelPurchase f{bought("9")};
    f.base = "99";
    f.excise = "20;";
    EXPECT_THROW(recordFuel("RO1", f), DbError);
    Purchase p = bought("12");
    p.vat = "19 or 1=1";
    EXPECT_THROW(recordFiscalReceipt("RO1", p), DbError);
    EXPECT_EQ(t.value("select count(*) from facturi"), "0");
    EXPECT_EQ(t.value("select count(*) from operatiuni"), "0");
}

// Another program on the same file (its own connection) writes while this one issues an
// invoice: the issue waits for the other's write to end and then sees its rows, so a number is
// issued once and the counters never go back.
TEST(Documents, IssuingWaitsForAnotherProgramAndSeesItsNumbers) {
    if (onServer()) {
        GTEST_SKIP() << "another program on the file itself";
    }
    const struct {
        const char* name;
        const char* otherNumber;  // the invoice the other program records meanwhile
        bool issued;              // whether this program's invoice 50 is recorded
        QStringList numbers, counters;
    } cases[] = {
        {"same number", "50", false, {"50"}, {"RO2|51|60"}},
        {"a later number", "52", true, {"52", "50"}, {"RO2|53|60"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDatabase t;
        t.exec("insert into numere values('RO2',50,60)");
        std::promise<void> locked;
        std::thread other([&c, &locked, path = QFile::encodeName(t.db().path())] {
            sqlite3* db = nullptr;
            sqlite3_open(path.constData(), &db);
            const QByteArray sql = QStringLiteral(
                                       "BEGIN IMMEDIATE;"
                                       "insert into facturi (CODFISCAL,NRFACTURA,DATA,FELFACTURA) "
                                       "values ('RO2','%1','2004-03-05','E');"
                                       "update numere set NRFACTURA=%2 where CODFISCAL='RO2';")
                                       .arg(c.otherNumber)
                                       .arg(QString(c.otherNumber).toInt() + 1)
                                       .toUtf8();
            sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
            locked.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        });
        locked.get_future().wait();
        t.db().clearLog();
        EXPECT_EQ(issueInvoice("RO2", issued("50")), c.issued);
        other.join();
        EXPECT_EQ(t.db().log().value(0), "BEGIN IMMEDIATE");
        EXPECT_EQ(t.db().log().last(), c.issued ? "COMMIT" : "ROLLBACK");
        EXPECT_EQ(t.rows("select NRFACTURA from facturi order by rowid"), c.numbers);
        EXPECT_EQ(t.rows("select * from numere"), c.counters);
    }
}

}  // namespace kov::test
