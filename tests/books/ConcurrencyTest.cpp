// Two users on one file: each has its own connection, on its own thread, and they record at the
// same time. What one writes is never lost, doubled or shown to the other.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QFile>

#include <functional>
#include <future>

#include "books/Invoices.h"
#include "books/Journals.h"
#include "books/Settlement.h"
#include "data/Database.h"
#include "data/Query.h"
#include "tests/Support.h"
#include "tests/books/PendingInvoices.h"

namespace kov::test {

namespace {

// Runs an action as a second user: a connection of its own to the file, on another thread,
// while the caller goes on as the first user. Returns the action's end to wait for.
std::future<void> asOtherUser(const QString& path, std::function<void()> action) {
    return std::async(std::launch::async, [path, action = std::move(action)] {
        Database books(kMainDatabase);
        books.open(path);
        action();
    });
}

// Issues invoices under the number the window would offer: the counter read before recording.
void issueOffered(int count) {
    for (int i = 0; i < count; ++i) {
        issueInvoice("RO1", issued(QString::number(readCounters("RO1").invoice)),
                     Offered{true, false});
    }
}

void collect(long long invoiceId, double amount) {
    Transaction transaction;
    ASSERT_FALSE(checkInvoices("RO1", kCollection, {{"7", invoiceId}}));
    settleInvoices("RO1", kCollection, {{"7", invoiceId}}, amount);
    transaction.commit();
}

}  // namespace

TEST(Concurrency, InvoicesIssuedAtOnceGetDistinctConsecutiveNumbers) {
    TempDatabase t;
    t.exec("insert into numere values('RO1',1,1)");
    auto other = asOtherUser(t.db().path(), [] { issueOffered(200); });
    issueOffered(200);
    other.get();
    EXPECT_EQ(t.value("select count(distinct NRFACTURA) from facturi"), "400");
    EXPECT_EQ(t.value("select min(cast(NRFACTURA as integer)) || '-' || "
                      "max(cast(NRFACTURA as integer)) from facturi"),
              "1-400");
    EXPECT_EQ(t.rows("select * from numere"), QStringList({"RO1|401|1"}));
}

// An offered number taken meanwhile gives the next free one, the receipt's too; a typed one is
// refused, writing nothing.
TEST(Concurrency, AnOfferedNumberTakenMeanwhileGivesTheNextFreeOne) {
    TempDatabase t;
    t.exec("insert into numere values('RO1',8,3)");
    t.exec(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,FELFACTURA) values "
        "('RO1','5','2004-03-05','E'),('RO1','8','2004-03-05','E'),"
        "('RO1','9','2004-03-05','E'),('RO1','12','2004-03-05','I')");
    PendingInvoice p = issued("5");
    p.receipt = true;
    p.receiptNumber = "2";
    p.receiptAmount = 119;
    const auto issued = issueInvoice("RO1", p, Offered{true, true});
    ASSERT_TRUE(issued);
    EXPECT_EQ(issued->invoice, "10");
    EXPECT_EQ(issued->receipt, "3");
    EXPECT_EQ(t.value("select NRDOC from operatiuni"), "F.10 + CH.3");
    EXPECT_EQ(t.rows("select * from numere"), QStringList({"RO1|11|4"}));

    // Free numbers are kept as offered; a typed number in use is refused.
    p.number = "12";
    p.receiptNumber = "7";
    EXPECT_EQ(issueInvoice("RO1", p, Offered{true, true}).value().invoice, "12");
    EXPECT_FALSE(issueInvoice("RO1", p, Offered{false, true}));
    EXPECT_EQ(t.rows("select * from numere"), QStringList({"RO1|13|8"}));
    EXPECT_EQ(t.value("select count(*) from facturi where FELFACTURA='E'"), "5");
}

TEST(Concurrency, TwoCollectionsOnOneInvoiceLeaveItsRemainder) {
    TempDatabase t;
    t.exec(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,PLATIT,RESTANT,FELFACTURA) values "
        "('RO1','7','2004-03-05',218,0,218,'E')");
    const long long id = t.value("select rowid from facturi").toLongLong();
    auto other = asOtherUser(t.db().path(), [id] { collect(id, 100); });
    collect(id, 100);
    other.get();
    EXPECT_EQ(t.rows("select PLATIT, RESTANT from facturi"), QStringList({"0|18"}));
}

// Each user's journal holds its own company's invoices, also when the other one filled its
// journal between this one's fill and its printing.
TEST(Concurrency, JournalsFilledAtOnceEachShowTheirOwnRows) {
    TempDatabase t;
    t.exec(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,"
        "CODCLIENT,FELFACTURA) values ('RO1','1','2004-03-05',119,100,19,19,'A1','E'),"
        "('RO2','2','2004-03-06',238,200,19,38,'A1','E'),"
        "('RO2','3','2004-03-07',238,200,19,38,'A1','E')");
    const auto journal = [](const QString& company) {
        JournalTotals totals;
        fillRegister(company, 'E', 2004, 3, totals);
    };
    const auto numbers = [] {
        QStringList out;
        Query q;
        q.setSql("select NRFACTURA from registru");
        for (q.open(); !q.eof(); q.next()) {
            out << q.field(0).asString();
        }
        return out;
    };
    journal("RO1");
    std::promise<void> filled, printed;
    QStringList otherRows;
    auto other = asOtherUser(t.db().path(), [&] {
        journal("RO2");
        otherRows = numbers();
        filled.set_value();
        printed.get_future().wait();
    });
    filled.get_future().wait();
    EXPECT_EQ(numbers(), QStringList({"1"}));
    printed.set_value();
    other.get();
    EXPECT_EQ(otherRows, QStringList({"2", "3"}));
}

// A user who cannot get the file's write lock, also when asking again, is refused in Romanian
// and writes nothing.
TEST(Concurrency, AFileHeldTooLongRefusesTheActionWhole) {
    if (onServer()) {
        GTEST_SKIP() << "another program on the file itself";
    }
    TempDatabase t;
    t.exec("insert into numere values('RO1',1,1)");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(t.db().path()).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(t.db().handle(), 50);
    t.db().clearLog();
    try {
        issueInvoice("RO1", issued("1"), Offered{true, false});
        ADD_FAILURE() << "recorded under another user's lock";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Busy);
        EXPECT_EQ(e.message(),
                  "Baza de date este ocupata de alt utilizator. Nimic nu a fost scris; "
                  "incercati din nou.");
    }
    EXPECT_EQ(t.db().log().count("BEGIN IMMEDIATE"), 2);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(t.value("select count(*) from facturi"), "0");
    EXPECT_EQ(t.rows("select * from numere"), QStringList({"RO1|1|1"}));
}

}  // namespace kov::test
