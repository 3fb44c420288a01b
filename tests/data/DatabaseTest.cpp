#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>

#include "data/Query.h"
#include "data/Values.h"
#include "tests/Support.h"

using namespace kov;
using kov::test::TempDatabase;

namespace {

void run(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.execSql();
}

QString insertInvoice(const QString& code, const QString& number, const QString& date,
                      const QString& total = "119.00") {
    return "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
           "RESTANT,CODCLIENT,FELFACTURA) values(" +
           quoted(code) + "," + quoted(number) + "," + quoted(storedDate(date)) + "," + total +
           ",100.00,19,19.00,0," + total + ",'C1','E')";
}

}  // namespace

TEST(Database, DateColumnsAcceptTypedDatesSortByTimeAndReadBackPadded) {
    TempDatabase t;
    run(insertInvoice("RO1", "3", "5.3.2004"));
    run(insertInvoice("RO1", "1", "29.02.2004"));
    run(insertInvoice("RO1", "2", "01.12.2003"));
    EXPECT_EQ(t.rows("select nrfactura, data from facturi order by data"),
              QStringList({"2|01.12.2003", "1|29.02.2004", "3|05.03.2004"}));
    Query q;
    q.setSql("select * from facturi where nrfactura='3'");
    q.open();
    EXPECT_EQ(q.fieldByName("DATA").asDate(), QDate(2004, 3, 5));
    EXPECT_EQ(q.fieldByName("data").asString(), "05.03.2004");
    EXPECT_EQ(q.fieldByName("SUMA").asString(), "119");
    EXPECT_DOUBLE_EQ(q.fieldByName("PLATIT").asFloat(), 0.0);
    q.setSql("select max(data) as m from facturi");  // an aggregate gives the stored form
    q.open();
    EXPECT_EQ(q.fieldByName("m").asDate(), QDate(2004, 3, 5));

    for (const char* bad : {"29.02.2003", "31.04.2004", "abc", ""}) {
        try {
            run(insertInvoice("RO1", "9", bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains("nu este o data valida")) << e.what();
        }
    }
    EXPECT_EQ(t.value("select count(*) from facturi"), "3");
}

TEST(Database, NumberColumnsRefuseText) {
    TempDatabase t;
    EXPECT_THROW(run(insertInvoice("RO1", "1", "01.01.2004", "abc")), DbError);
    EXPECT_THROW(run(insertInvoice("RO1", "1", "01.01.2004", "'12abc'")), DbError);
    run(insertInvoice("RO1", "1", "01.01.2004", "'12.50'"));
    EXPECT_EQ(t.value("select suma from facturi"), "12.5");
}

TEST(Database, DialectFiltersSumsAndDeleteStar) {
    TempDatabase t;
    run(insertInvoice("RO1", "1", "28.02.2004"));
    run(insertInvoice("RO1", "2", "1.3.2004"));
    run(insertInvoice("RO1", "3", "31.3.2004"));
    run(insertInvoice("RO1", "4", "15.3.2005"));
    run(insertInvoice("RO2", "5", "15.3.2004"));
    EXPECT_EQ(t.rows("select nrfactura from facturi where codfiscal='RO1' and month(data)=3 and "
                     "year(data)=2004 order by data, nrfactura, codclient"),
              QStringList({"2", "3"}));
    // A period from 15.03.2004: same year, same month and a later day; a later month; a later
    // year.
    EXPECT_EQ(t.rows("select nrfactura from facturi where codfiscal='RO1' and ((day(data)>=15 "
                     "and month(data)=3 and year(data)=2004) or (month(data)>3 and "
                     "year(data)=2004) or (year(data)>2004)) order by data, nrfactura"),
              QStringList({"3", "4"}));
    EXPECT_EQ(t.rows("select nrfactura from facturi where nrfactura like '%' and codclient like "
                     "'c%' and codfiscal='RO2'"),
              QStringList({"5"}));

    t.exec(
        "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,"
        "BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values('RO1','2004-03-05','CH. 1','X','',"
        "119.00,100.00,0,0,'plata','',1)");
    t.exec(
        "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,"
        "BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values('RO1','2004-03-06','CH. 2','X','',"
        "11.90,10.05,0,0,'plata','',1)");
    Query q;
    q.setSql("select sum(FaraTVA) as s from operatiuni where codfiscal='RO1' and month(data)=3");
    q.open();
    EXPECT_DOUBLE_EQ(q.fieldByName("s").asFloat(), 110.05);

    t.exec("insert into fisecumulate (DENUMIRE,SUMALUNA,SUMAAN) values('x',1,2)");
    run("delete * from fisecumulate");
    EXPECT_EQ(t.db().log().last(), "delete * from fisecumulate");
    EXPECT_EQ(t.value("select count(*) from fisecumulate"), "0");
}

TEST(Database, QueriesRunOneStatementAndEscapedTextRoundTrips) {
    TempDatabase t;
    EXPECT_THROW(run("delete from casieri; delete from firme"), DbError);
    run("insert into casieri (nume,cnp) values(" + kov::quoted("O'NEIL SRL") + ",'1')");
    Query q;
    q.setSql("select * from casieri where nume=" + kov::quoted("O'NEIL SRL"));
    q.open();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName("NUME").asString(), "O'NEIL SRL");
    EXPECT_EQ(t.db().log().last(), "select * from casieri where nume='O''NEIL SRL'");
    // Unescaped, the apostrophe breaks the statement and nothing is stored.
    EXPECT_THROW(run("insert into casieri (nume,cnp) values('O'NEIL','2')"), DbError);
    EXPECT_EQ(t.value("select count(*) from casieri"), "1");
    Query none("salvari");
    none.setSql("select * from casieri");
    EXPECT_THROW(none.open(), DbError);
}

// Bulk paths read rows one by one: the same values as a query that keeps them, and nothing held
// on the table once the reading ends, also when it stops part way.
TEST(Database, RowsReadOneByOneMatchKeptRowsAndHoldNothingAfterwards) {
    TempDatabase t;
    run(insertInvoice("RO1", "2", "5.3.2004"));
    run(insertInvoice("RO1", "1", "29.02.2004", "0.10"));
    run(insertInvoice("RO2", "3", "01.12.2003"));
    run("update facturi set faratva=null where nrfactura='2'");
    Query q;
    q.setSql("select NRFACTURA, DATA, SUMA, FARATVA from facturi where codfiscal=? order by 1");
    QStringList streamed;
    q.forEach({QStringLiteral("RO1")}, [&streamed](const RowView& row) {
        streamed << row.fieldByName("NRFACTURA").asString() + "|" + row.field(1).asString() + "|" +
                        row.field(2).asString() + "|" + QString::number(row.field(3).isNull());
    });
    EXPECT_EQ(streamed, QStringList({"1|29.02.2004|0.1|0", "2|05.03.2004|119|1"}));
    EXPECT_FALSE(q.isOpen());
    EXPECT_EQ(t.db().log().last(),
              "select NRFACTURA, DATA, SUMA, FARATVA from facturi where codfiscal='RO1' "
              "order by 1");

    struct Stop {};
    int seen = 0;
    EXPECT_THROW(q.forEach({QStringLiteral("RO1")},
                           [&seen](const RowView&) {
                               if (++seen == 1) {
                                   throw Stop{};
                               }
                           }),
                 Stop);
    EXPECT_EQ(seen, 1);
    EXPECT_THROW(
        q.forEach({QStringLiteral("RO1")}, [](const RowView& row) { row.fieldByName("NUMAR"); }),
        DbError);
    // A statement still reading would keep the table from being dropped.
    run("drop table facturi");
    q.setSql("select count(*) as n from facturi");
    EXPECT_THROW(q.open(), DbError);
}

TEST(Database, FailedStatementInsideTransactionLeavesNothing) {
    TempDatabase t;
    try {
        Transaction tr;
        run("insert into numere (codfiscal,nrfactura,nrchitanta) values ('RO1',0,0)");
        run(insertInvoice("RO1", "1", "31.02.2004"));
        tr.commit();
        ADD_FAILURE() << "no error";
    } catch (const DbError&) {
    }
    EXPECT_EQ(t.value("select count(*) from numere"), "0");
    {
        Transaction tr;
        run("insert into numere (codfiscal,nrfactura,nrchitanta) values ('RO1',0,0)");
        tr.commit();
    }
    EXPECT_EQ(t.value("select count(*) from numere"), "1");
}

// A document row written for no company is refused by the file itself, in Romanian; rows
// stored before the refusal existed are kept.
TEST(Database, DocumentRowsWithoutACompanyAreRefused) {
    TempDatabase t;
    const struct {
        const char* table;
        const char* columns;  // after CODFISCAL
        const char* values;
    } tables[] = {{"facturi", "NRFACTURA,DATA,FELFACTURA", "'1','2004-01-01','E'"},
                  {"operatiuni", "DATA,NRDOC,TIP", "'2004-01-01','CH. 1','incasare'"},
                  {"numere", "NRFACTURA,NRCHITANTA", "1,1"}};
    for (const auto& table : tables) {
        SCOPED_TRACE(table.table);
        const QString insert = QStringLiteral("insert into %1 (CODFISCAL,%2) values(%3,%4)")
                                   .arg(table.table, table.columns);
        for (const char* company : {"null", "''", "'  '"}) {
            try {
                run(insert.arg(company, table.values));
                ADD_FAILURE() << "stored for " << company;
            } catch (const DbError& e) {
                EXPECT_EQ(e.message(), "Documentul nu are firma (CODFISCAL gol)");
            }
        }
        run(insert.arg("'RO1'", table.values));
        EXPECT_THROW(run(QStringLiteral("update %1 set CODFISCAL=''").arg(table.table)), DbError);
        run(QStringLiteral("update %1 set CODFISCAL='RO2'").arg(table.table));
        EXPECT_EQ(
            t.value(QStringLiteral("select group_concat(CODFISCAL) from %1").arg(table.table)),
            "RO2");
    }
}

TEST(Database, CopyIsConsistentWhileTheSourceIsOpen) {
    if (test::onServer()) {
        GTEST_SKIP() << "about the file itself";
    }
    TempDatabase t;
    run(insertInvoice("RO1", "1", "01.01.2004"));
    const QString target = t.db().path() + ".copy";
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    ASSERT_TRUE(copyDatabaseFile(t.db().path(), target));
    Database copy("copia");
    copy.open(target);
    Query q("copia");
    q.setSql("select count(*) as n from facturi");
    q.open();
    EXPECT_EQ(q.fieldByName("n").asInteger(), 1);
    EXPECT_FALSE(copyDatabaseFile(t.db().path() + ".missing", target));
}

// A file without a write-ahead log (a backup, the floppy's copy) is copied as it stands: what
// another connection has not committed stays out, and that connection keeps its hold on the file
// and commits afterwards.
TEST(Database, ACopyOfAFileWithoutALogHoldsWhatWasCommittedOnly) {
    if (test::onServer()) {
        GTEST_SKIP() << "about the file itself";
    }
    TempDatabase t;
    const QString source = t.db().path() + ".salvare";
    {
        Database backup("salvare");
        backup.open(source, true, Journal::Delete);
        backup.execute(insertInvoice("RO1", "1", "01.01.2004"));
    }
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(source).constData(), &writer), SQLITE_OK);
    const auto exec = [writer](const QString& sql) {
        return sqlite3_exec(writer, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    };
    ASSERT_EQ(exec("BEGIN IMMEDIATE"), SQLITE_OK);
    ASSERT_EQ(exec(insertInvoice("RO1", "2", "02.01.2004")), SQLITE_OK);
    const QString target = t.db().path() + ".copie";
    ASSERT_TRUE(copyDatabaseFile(source, target));
    EXPECT_EQ(exec("COMMIT"), SQLITE_OK);
    sqlite3_close(writer);

    const auto read = [](const QString& path, const char* sql) {
        Database file("citire");
        file.open(path, false, Journal::Delete);
        return test::rows("citire", sql);
    };
    EXPECT_EQ(read(target, "select nrfactura from facturi"), QStringList({"1"}));
    EXPECT_EQ(read(target, "pragma integrity_check"), QStringList({"ok"}));
    EXPECT_FALSE(QFile::exists(target + ".partial"));
    EXPECT_EQ(read(source, "select nrfactura from facturi order by 1"), QStringList({"1", "2"}));
    EXPECT_EQ(read(source, "pragma integrity_check"), QStringList({"ok"}));
}

TEST(Database, TheLogHoldsEveryStatementAlsoOneThatFails) {
    TempDatabase t;
    const QString refused = insertInvoice("RO1", "1", "31.02.2004");
    const QString broken = "insert into facturi (NIMIC) values (1)";
    const QString unknown = "select * from nimic";
    EXPECT_THROW(run(refused), DbError);
    EXPECT_THROW(run(broken), DbError);
    Query q;
    q.setSql(unknown);
    EXPECT_THROW(q.open(), DbError);
    EXPECT_THROW(t.exec("delete from"), DbError);
    EXPECT_EQ(t.db().log().mid(t.db().log().size() - 4),
              QStringList({refused, broken, unknown, "delete from"}));
}

TEST(Database, AReplacedFileDoesNotReadBackTheLogLeftBesideIt) {
    if (test::onServer()) {
        GTEST_SKIP() << "about the file itself";
    }
    TempDatabase t;
    t.exec("insert into casieri (nume,cnp) values('NOU','1')");
    const QString target = QFileInfo(t.db().path()).absolutePath() + "/Salvari.mdb";
    const QStringList files = {target, target + "-wal", target + "-shm"};
    // A file written ahead, as a program that was killed leaves it: its last row only in the log.
    {
        Database old("vechi");
        old.open(target, true, Journal::Wal);
        old.execute("insert into casieri (nume,cnp) values('VECHI','2')");
        for (const QString& f : files) {
            ASSERT_TRUE(QFile::copy(f, f + ".kept"));
        }
    }
    for (const QString& f : files) {
        QFile::remove(f);
        ASSERT_TRUE(QFile::rename(f + ".kept", f));
    }
    ASSERT_TRUE(copyDatabaseFile(t.db().path(), target));
    for (const QString& f : files.mid(1)) {
        EXPECT_FALSE(QFileInfo::exists(f)) << f.toStdString();
    }
    Database replaced("inlocuit");
    replaced.open(target, false, Journal::Wal);
    EXPECT_EQ(test::rows("inlocuit", "select nume from casieri"), QStringList{"NOU"});
}
