#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "books/CopyBooks.h"
#include "tests/Support.h"

namespace kov::test {

namespace {

const QString kSource = QStringLiteral("copiere_din");
const QString kTarget = QStringLiteral("copiere_in");

// Every column of the table by name, in the catalogue's order.
QString selectAll(const TableInfo& t) {
    QStringList names;
    for (const Column& c : t.columns) {
        names << c.name;
    }
    return "select " + names.join(',') + " from " + t.name;
}

// A fresh target file, open on the target connection.
struct Target {
    QTemporaryDir dir;
    Database db{kTarget};
    Target() { db.open(dir.filePath("tinta.db"), true); }
};

}  // namespace

// Every table and value of the books arrives as stored: nulls stay null, an amount stays a number
// (19.00 as 19.0), a text that looks like an amount stays text, dates keep their stored form,
// diacritics and apostrophes come through; each table's rows and sums are counted on both sides.
TEST(CopyBooks, EveryTableAndValueArrivesAsStored) {
    TempDatabase source(kSource);
    const struct {
        const char* insert;
        const char* storedSelect;  // read back from the target file
        const char* stored;
    } cases[] = {
        {"insert into datefirma values('PFA','ANA ȘTEFĂNESCU','RO1',1,'J1','STR. A','CLUJ',"
         "'C1','B1',null)",
         "select quote(TVA), NUME, quote(LOC) from datefirma", "1|ANA ȘTEFĂNESCU|NULL"},
        {"insert into firme (COD,DENUMIRE,DATAULMI,SOLD,OBS,CODFISCAL) values('P1','O''Brien "
         "& fiii','2004-03-05',null,'19.00','RO2')",
         "select DENUMIRE, quote(DATAULMI), quote(SOLD), quote(OBS) from firme",
         "O'Brien & fiii|'2004-03-05'|NULL|'19.00'"},
        {"insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
         "RESTANT,CODCLIENT,FELFACTURA,EXPLICATIE) values('RO1','7','2004-03-05',19.00,15.97,19,"
         "3.03,null,19,'P1','E','Contabilitate lunară – martie')",
         "select quote(DATA), quote(SUMA), quote(PLATIT), EXPLICATIE, quote(TEMEI) from facturi "
         "where NRFACTURA='7'",
         "'2004-03-05'|19.0|NULL|Contabilitate lunară – martie|NULL"},
        {"insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,CODCLIENT) values('RO1','8',"
         "'2004-12-31',0.1,0.2,'P1')",
         nullptr, nullptr},
        {"insert into operatiuni values('RO1','2004-03-06','C1','INCASARE','Încasare f. 7',19,"
         "15.97,0,null,'v','',1)",
         "select quote(BANCA), quote(DEFALCARE), quote(REGISTRU), EXPLICATIE from operatiuni",
         "0|NULL|1|Încasare f. 7"},
        {"insert into cotefacturi values('RO1','P1','9','2004-03-07',9,100,9)", nullptr, nullptr},
        {"insert into numere values('RO1',8,3)", "select quote(NRFACTURA) from numere", "8"},
        {"insert into defalcari values(10001,'CHIRIE','c')", nullptr, nullptr},
        {"insert into iduridefalcari values(10001)", nullptr, nullptr},
        {"insert into casieri values('Ion Popescu','1800101123456')", nullptr, nullptr},
        {"insert into efacturastare (CODFISCAL,NRFACTURA,DATAFACTURA,STARE,DATASTARE) "
         "values('RO1','7','2004-03-05','ok',null)",
         "select quote(DATAFACTURA), quote(DATASTARE) from efacturastare", "'2004-03-05'|NULL"},
    };
    for (const auto& c : cases) {
        source.exec(c.insert);
    }
    Target target;
    std::vector<TableTally> tallies;
    ASSERT_TRUE(copyBooks(kSource, kTarget, [&](const TableTally& t) { tallies.push_back(t); }));

    ASSERT_EQ(tallies.size(), copiedTables().size());
    for (const TableInfo* t : copiedTables()) {
        EXPECT_EQ(rows(kTarget, selectAll(*t)), rows(kSource, selectAll(*t)))
            << t->name.toStdString();
    }
    for (const auto& c : cases) {
        if (c.storedSelect) {
            EXPECT_EQ(rows(kTarget, c.storedSelect), QStringList{c.stored}) << c.storedSelect;
        }
    }
    QStringList lines;
    for (const TableTally& t : tallies) {
        EXPECT_TRUE(t.matches()) << t.table.toStdString();
        lines << tallyLine(t);
    }
    EXPECT_TRUE(
        lines.contains("facturi: randuri 2 / 2; SUMA 19.10 / 19.10; FARATVA 16.17 / "
                       "16.17; PROCENTTVA 19.00 / 19.00; TVA 3.03 / 3.03; PLATIT 0.00 / "
                       "0.00; RESTANT 19.00 / 19.00"))
        << lines.join("\n").toStdString();
    EXPECT_TRUE(lines.contains("casieri: randuri 1 / 1")) << lines.join("\n").toStdString();
    EXPECT_FALSE(lines.join('\n').contains("registru")) << "scratch tables are not books";

    // And from the file into empty books of the test's kind (a server in the server run).
    TempDatabase back(QStringLiteral("copiere_inapoi"));
    ASSERT_TRUE(copyBooks(kTarget, back.db().name()));
    for (const TableInfo* t : copiedTables()) {
        EXPECT_EQ(rows(back.db().name(), selectAll(*t)), rows(kSource, selectAll(*t)))
            << t->name.toStdString();
    }
}

// A target that holds books in any table is refused, and one whose figures come out different
// from the source's is not committed: either way it keeps exactly what it held. Rows in the
// scratch tables are no books.
TEST(CopyBooks, NothingIsWrittenWhenTheTargetHoldsBooksOrTheFiguresDiffer) {
    TempDatabase source(kSource);
    source.exec("insert into casieri values('Ion Popescu','1800101123456')");
    source.exec(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,CODCLIENT) "
        "values('RO1','7','2004-03-05',19,15.97,'P1')");
    for (const TableInfo* t : copiedTables()) {
        Target target;
        const QString column = t->ofCompany ? QStringLiteral("CODFISCAL") : t->columns[0].name;
        target.db.execute("insert into " + t->name + " (" + column + ") values('1')");
        EXPECT_THROW(copyBooks(kSource, kTarget), TargetHoldsBooks) << t->name.toStdString();
        EXPECT_EQ(rows(kTarget, "select count(*) from " + t->name), QStringList{"1"});
        EXPECT_EQ(rows(kTarget, "select count(*) from facturi where NRFACTURA='7'"),
                  QStringList{"0"})
            << t->name.toStdString();
    }

    Target scratch;
    scratch.db.execute("insert into jurnal (NRDOC) values('1')");
    EXPECT_TRUE(copyBooks(kSource, kTarget));
    EXPECT_EQ(rows(kTarget, "select NRFACTURA from facturi"), QStringList{"7"});

    Target altered;
    altered.db.execute(
        "create trigger mai_mult after insert on facturi begin "
        "update facturi set SUMA = SUMA + 0.01 where rowid = new.rowid; end");
    QStringList lines;
    EXPECT_FALSE(copyBooks(kSource, kTarget, [&](const TableTally& t) { lines << tallyLine(t); }));
    EXPECT_TRUE(
        lines.contains("facturi: randuri 1 / 1; SUMA 19.00 / 19.01; FARATVA 15.97 / "
                       "15.97; PROCENTTVA 0.00 / 0.00; TVA 0.00 / 0.00; PLATIT 0.00 / "
                       "0.00; RESTANT 0.00 / 0.00 - DIFERENTA"))
        << lines.join("\n").toStdString();
    EXPECT_EQ(rows(kTarget, "select count(*) from casieri"), QStringList{"0"});
    EXPECT_EQ(rows(kTarget, "select count(*) from facturi"), QStringList{"0"});
}

}  // namespace kov::test
