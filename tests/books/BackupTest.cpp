#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "books/Backup.h"
#include "data/Query.h"
#include "tests/Support.h"

namespace kov {

void PrintTo(const BackupCounts& c, std::ostream* os) {
    *os << '{' << c.companies << ',' << c.categories << ',' << c.invoices << ',' << c.partners
        << ',' << c.categoryIds << ',' << c.operations << ",kept " << c.keptPartners
        << ",uncategorized " << c.uncategorized << ",states " << c.eFacturaStates << '}';
}

namespace test {

// An issued invoice's e-Factura state travels with the backup and comes back once; a backup of
// a version before the states restores the rest.
TEST(Backup, TheEFacturaStatesTravelWithTheInvoices) {
    TempDatabase t;
    Database backup(kBackupDatabase);
    t.exec(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,CODCLIENT,FELFACTURA) "
        "values('RO1','12','2026-03-05',10,10,'P1','E')");
    const QString state =
        "insert into efacturastare (CODFISCAL,NRFACTURA,DATAFACTURA,FISIER,INDEXINCARCARE,STARE,"
        "IDDESCARCARE,ERORI,DATATRIMITERE,DATASTARE,ARHIVA) values";
    t.exec(state +
           "('RO1','12','2026-03-05','12_2026-03-05.xml','5001','ok','95001','',"
           "'2026-03-05','2026-03-06','/a/emise/12_2026-03-05.zip')");
    t.exec(state + "('RO2','12','2026-03-05','x','1','nok','2','E','2026-03-05',null,'')");
    EXPECT_EQ(fillBackup(backup, "RO1").eFacturaStates, 1);
    EXPECT_EQ(mergeBackup("RO3").eFacturaStates, 1);
    EXPECT_EQ(mergeBackup("RO3").eFacturaStates, 0);
    EXPECT_EQ(t.rows("select * from efacturastare where codfiscal='RO3'"),
              QStringList{"RO3|12|05.03.2026|12_2026-03-05.xml|5001|ok|95001||05.03.2026|"
                          "06.03.2026|/a/emise/12_2026-03-05.zip"});
    // The books' own state is newer than the backup's.
    EXPECT_EQ(mergeBackup("RO2").eFacturaStates, 0);
    EXPECT_EQ(t.value("select stare from efacturastare where codfiscal='RO2'"), "nok");

    Query drop(kBackupDatabase);
    drop.setSql("drop table efacturastare");
    drop.execSql();
    EXPECT_EQ(mergeBackup("RO4").invoices, 1);
}

// The backup of RO1 merged back, under one company after another, with the main books changed
// in between: what a merge writes is what the main books lack, counted occurrence by occurrence.
TEST(Backup, MergeBringsInWhatTheBooksLack) {
    TempDatabase t;
    Database backup(kBackupDatabase);
    t.exec(
        "insert into datefirma values('PFA','ANA','RO1',1,'J1','STR. A','CLUJ','C1','B1','DEJ')");
    t.exec("insert into defalcari values(10001,'CHIRIE','c')");
    t.exec("insert into iduridefalcari values(10001)");
    t.exec(
        "insert into firme (COD,DENUMIRE,CODFISCAL,DATAULMI,SOLD) values('P1','ALFA','RO7',"
        "'2003-06-30',12.5)");
    const QString invoice =
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
        "RESTANT,CODCLIENT,FELFACTURA) values";
    t.exec(invoice + "('RO1','12','2004-03-05',119,100,19,19,0,119,'P1','E')");
    t.exec(invoice + "('RO1','13','2004-03-06',0.1,1e-05,0,0,1,0,'P1','E')");
    t.exec(invoice + "('RO2','14','2004-03-06',5,5,0,0,1,0,'P1','E')");
    const QString payment =
        "insert into operatiuni values('RO1','2004-03-31','SALARIU','X','',500,"
        "500,0,10001,'plata','',1)";
    t.exec(payment);
    t.exec(payment);
    EXPECT_EQ(fillBackup(backup, "RO1"), (BackupCounts{1, 1, 2, 1, 1, 2}));

    struct Case {
        const char* what;
        QString company;
        std::function<void()> change;
        BackupCounts merged;
    };
    const Case cases[] = {
        {"another company takes every document", "RO2", {}, {0, 0, 2, 0, 0, 2}},
        {"a second run takes nothing", "RO2", {}, {}},
        {"a changed amount comes as a new record; a renamed partner keeps its code",
         "RO1",
         [&] {
             t.exec("update facturi set suma=120 where nrfactura='12' and codfiscal='RO1'");
             t.exec("update firme set denumire='BETA'");
         },
         {0, 0, 1, 0, 0, 0, 1, 0}},
        {"one of twin payments gone: it alone comes back",
         "RO1",
         [&] {
             t.exec(
                 "delete from operatiuni where rowid=(select min(rowid) from operatiuni "
                 "where codfiscal='RO1')");
         },
         {0, 0, 0, 0, 0, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        if (c.change) {
            c.change();
        }
        EXPECT_EQ(mergeBackup(c.company), c.merged) << c.what;
    }
    EXPECT_EQ(
        t.rows("select nrfactura, suma, faratva from facturi where codfiscal='RO2' order by 1"),
        QStringList({"12|119|100", "13|0.1|1e-05", "14|5|5"}));
    EXPECT_EQ(t.value("select count(*) from firme"), "1");
}

// A document is known by number, date and amounts compared as the engine compares them: an
// amount the same whether stored as integer or real, a number exactly as written, a missing
// amount equal to nothing.
TEST(Backup, ADocumentIsKnownByItsValuesWhateverTheirStoredForm) {
    TempDatabase t;
    Database backup(kBackupDatabase);
    const QString invoice =
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,CODCLIENT,FELFACTURA) values";
    t.exec(invoice + "('RO1','12','2004-03-05',119,100,'P1','E')");
    t.exec(invoice + "('RO1','ŞT-13','2004-03-06',0,0.1,'P1','E')");
    t.exec(invoice + "('RO1','14','2004-03-07',5,5,'P1','E')");
    const QString books = t.value("select max(rowid) from facturi");

    struct Case {
        const char* what;
        const char* change;  // on the backup
        int merged;
    };
    const Case cases[] = {
        {"as saved", "", 0},
        {"amounts as reals", "update facturi set suma=119.0, faratva=100.0 where nrfactura='12'",
         0},
        {"a negative zero", "update facturi set suma=-0.0 where nrfactura='ŞT-13'", 0},
        {"another date", "update facturi set data='2004-03-08' where nrfactura='14'", 1},
        {"a number with a space after it",
         "update facturi set nrfactura='12 ' where nrfactura='12'", 1},
        {"a number in other letters", "update facturi set nrfactura='ST-13' where suma=0", 1},
        {"a cent more", "update facturi set faratva=100.01 where nrfactura='12'", 1},
        {"no amount", "update facturi set suma=null where nrfactura='14'", 1},
        {"a document twice", "insert into facturi select * from facturi where nrfactura='14'", 1},
    };
    for (const Case& c : cases) {
        fillBackup(backup, "RO1");
        if (*c.change) {
            backup.execute(QString::fromUtf8(c.change));
        }
        EXPECT_EQ(mergeBackup("RO1").invoices, c.merged) << c.what;
        t.exec("delete from facturi where rowid>" + books);
    }
}

// A backup not as this program writes it, changed by hand or crafted: the whole file is refused
// before anything is merged, also when the bad value is its last one.
TEST(Backup, ABadTableOrValueRefusesTheWholeFile) {
    TempDatabase t;
    Database backup(kBackupDatabase);
    t.exec("insert into defalcari values(10001,'CHIRIE','c')");
    t.exec("insert into firme (COD,DENUMIRE,CODFISCAL) values('P1','ALFA','RO7')");
    t.exec(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
        "RESTANT,CODCLIENT,FELFACTURA) values('RO1','12','2004-03-05',119,100,19,19,0,119,'P1',"
        "'E'),('RO1','13','2004-03-06',10,10,0,0,0,10,'P1','E')");
    t.exec(
        "insert into operatiuni values('RO1','2004-03-31','SALARIU','X','',500,500,0,10001,"
        "'plata','',1)");
    const QString counts =
        "select (select count(*) from facturi) || (select count(*) from operatiuni) || "
        "(select count(*) from firme) || (select count(*) from defalcari)";
    const QString before = t.value(counts);

    struct Case {
        const char* what;
        QStringList changes;  // on the backup, its checks and triggers off
    };
    const Case cases[] = {
        {"a statement in a number",
         {"update facturi set suma='(select count(*)*1000 from facturi)' where nrfactura='13'"}},
        {"a condition in a number", {"update facturi set faratva='0 or 1=1'"}},
        {"text in an operation's number", {"update operatiuni set suma='500 lei'"}},
        {"text in a category number", {"update defalcari set id='x1'"}},
        {"an empty number", {"update operatiuni set registru=''"}},
        {"a day that does not exist",
         {"update facturi set data='2004-02-30' where nrfactura='13'"}},
        {"a date as typed, not stored", {"update operatiuni set data='31.03.2004'"}},
        {"a date that is a number", {"update facturi set data=20040305 where nrfactura='12'"}},
        {"a partner's unknown last payment day", {"update firme set dataulmi='ieri'"}},
        {"an empty invoice number", {"update facturi set nrfactura='' where nrfactura='13'"}},
        {"an invoice without a date", {"update facturi set data=null where nrfactura='13'"}},
        {"a partner without a code", {"update firme set cod='  '"}},
        {"a category without a name", {"update defalcari set denumire=null"}},
        {"a category of an unknown kind", {"update defalcari set tip='x'"}},
        {"a row whose keys are all empty", {"insert into operatiuni (suma) values (1)"}},
        {"a view in place of a table",
         {"alter table facturi rename to f", "create view facturi as select * from f"}},
        {"a view in place of the categories",
         {"alter table defalcari rename to d", "create view defalcari as select * from d"}},
        {"a column the catalogue does not hold", {"alter table firme add column EXTRA text"}},
        {"a column missing", {"alter table operatiuni drop column FARATVA"}},
    };
    for (const Case& c : cases) {
        fillBackup(backup, "RO1");
        backup.execute("PRAGMA ignore_check_constraints = ON");
        for (const QString& trigger :
             test::rows(kBackupDatabase, "select name from sqlite_master where type='trigger'")) {
            backup.execute("drop trigger " + trigger);
        }
        for (const QString& sql : c.changes) {
            backup.execute(sql);
        }
        EXPECT_THROW(mergeBackup("RO3"), BadBackup) << c.what;
        EXPECT_EQ(t.value(counts), before) << c.what;
    }
}

// Partners by code and categories by name and kind, from a backup of RO1 restored under RO2 into
// books that know other partners and categories, or from a backup of before the categories.
TEST(Backup, PartnersKeepTheirCodeAndOperationsFindTheirCategoryByNameAndKind) {
    TempDatabase t;
    Database backup(kBackupDatabase);
    const auto operation = [&](const char* number, int category, const char* kind) {
        t.exec(QString("insert into operatiuni values('RO1','2004-03-31','%1','X','',5,5,0,%2,"
                       "'%3','',1)")
                   .arg(number)
                   .arg(category)
                   .arg(kind));
    };
    // The first installation's shared tables, put back before each backup.
    const auto firstBooks = [&] {
        for (const char* table : {"defalcari", "iduridefalcari", "firme"}) {
            t.exec(QString("delete from ") + table);
        }
        t.exec(
            "insert into defalcari values(10001,'CHIRIE','c'),(10002,'CHIRIE','v'),"
            "(10003,'MARFA','c')");
        t.exec("insert into iduridefalcari values(10001),(10002),(10003)");
        t.exec(
            "insert into firme (COD,DENUMIRE,CODFISCAL) values('P1','ALFA','RO7'),"
            "('P2','BETA','RO8'),('P2','GAMA','RO9')");
    };
    operation("A", 10001, "plata");
    operation("B", 10002, "incasare");
    operation("C", 10003, "plata");
    operation("D", 0, "plata");
    operation("E", 10003, "plata");

    struct Case {
        const char* what;
        QStringList backupChanges;
        QStringList books;  // the other installation's partners and categories
        BackupCounts merged;
        QStringList operations;  // number, category's name and kind
        QStringList partners;
    };
    const QString otherBooks =
        "insert into defalcari values(20001,'CHIRIE','c'),(10003,'MARFA','v'),(10002,'X','c')";
    const Case cases[] = {
        {"categories found by name and kind, the missing ones created",
         {},
         {otherBooks, "insert into iduridefalcari values(20001),(10003),(10002)",
          "insert into firme (COD,DENUMIRE,CODFISCAL) values('P1','ALFA SRL','RO7')"},
         {0, 2, 0, 1, 0, 5, 2, 0},
         {"A|CHIRIE|c", "B|CHIRIE|v", "C|MARFA|c", "D||", "E|MARFA|c"},
         {"P1|ALFA SRL", "P2|BETA"}},
        {"the same books: nothing created, nothing kept back",
         {},
         {"insert into defalcari values(10001,'CHIRIE','c'),(10002,'CHIRIE','v'),"
          "(10003,'MARFA','c')",
          "insert into firme (COD,DENUMIRE,CODFISCAL) values('P1','ALFA','RO7'),"
          "('P2','BETA','RO8')"},
         {0, 0, 0, 0, 0, 5, 1, 0},
         {"A|CHIRIE|c", "B|CHIRIE|v", "C|MARFA|c", "D||", "E|MARFA|c"},
         {"P1|ALFA", "P2|BETA"}},
        {"a backup of before the kinds keeps only numbers the books know",
         {"update defalcari set tip=null"},
         {"insert into defalcari values(10001,'CHIRIE','c')"},
         {0, 0, 0, 2, 0, 5, 1, 3},
         {"A|CHIRIE|c", "B||", "C||", "D||", "E||"},
         {"P1|ALFA", "P2|BETA"}},
        {"a backup without categories alike",
         {"drop table defalcari"},
         {"insert into defalcari values(10002,'CHIRIE','v')"},
         {0, 0, 0, 2, 0, 5, 1, 3},
         {"A||", "B|CHIRIE|v", "C||", "D||", "E||"},
         {"P1|ALFA", "P2|BETA"}},
    };
    for (const Case& c : cases) {
        firstBooks();
        fillBackup(backup, "RO1");
        for (const QString& sql : c.backupChanges) {
            backup.execute(sql);
        }
        for (const char* table : {"defalcari", "iduridefalcari", "firme"}) {
            t.exec(QString("delete from ") + table);
        }
        t.exec("delete from operatiuni where codfiscal='RO2'");
        for (const QString& sql : c.books) {
            t.exec(sql);
        }
        EXPECT_EQ(mergeBackup("RO2"), c.merged) << c.what;
        EXPECT_EQ(t.rows("select nrdoc, d.denumire, d.tip from operatiuni o left join defalcari "
                         "d on d.id=o.defalcare where codfiscal='RO2' order by nrdoc"),
                  c.operations)
            << c.what;
        EXPECT_EQ(t.value("select count(*) from operatiuni where codfiscal='RO2' and defalcare<>0 "
                          "and defalcare not in (select id from defalcari)"),
                  "0")
            << c.what;
        if (c.merged.categories > 0) {
            // A created category's number is one the category window would give, and taken.
            EXPECT_EQ(t.value("select count(*) from defalcari where id not between 10000 and "
                              "29999 or id not in (select id from iduridefalcari)"),
                      "0");
        }
        EXPECT_EQ(t.rows("select cod, denumire from firme order by cod, denumire"), c.partners)
            << c.what;
        EXPECT_EQ(t.value("select count(*) from firme where cod='P2'"), "1") << c.what;
    }
}

}  // namespace test
}  // namespace kov
