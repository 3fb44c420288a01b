#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "books/Backup.h"
#include "tests/Support.h"

namespace kov {

void PrintTo(const BackupCounts& c, std::ostream* os) {
    *os << '{' << c.companies << ',' << c.categories << ',' << c.invoices << ',' << c.partners
        << ',' << c.categoryIds << ',' << c.operations << '}';
}

namespace test {

// The backup of RO1 merged back, under one company after another, with the main books changed
// in between: what a merge writes is what the main books lack, counted occurrence by occurrence.
TEST(Backup, MergeBringsInWhatTheBooksLackAndRefusesANumberThatIsNot) {
    TempDatabase t;
    Database backup(kBackupDatabase);
    t.exec(
        "insert into datefirma values('PFA','ANA','RO1',1,'J1','STR. A','CLUJ','C1','B1','DEJ')");
    t.exec("insert into defalcari values(10001,'CHIRIE','c')");
    t.exec("insert into iduridefalcari values(10001)");
    t.exec(
        "insert into firme (COD,DENUMIRE,CODFISCAL,DATAULMI,SOLD) values('P1','ALFA','RO7',"
        "'30.06.2003',12.5)");
    const QString invoice =
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
        "RESTANT,CODCLIENT,FELFACTURA) values";
    t.exec(invoice + "('RO1','12','05.03.2004',119,100,19,19,0,119,'P1','E')");
    t.exec(invoice + "('RO1','13','06.03.2004',0.1,1e-05,0,0,1,0,'P1','E')");
    t.exec(invoice + "('RO2','14','06.03.2004',5,5,0,0,1,0,'P1','E')");
    const QString payment =
        "insert into operatiuni values('RO1','31.03.2004','SALARIU','X','',500,"
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
        {"a changed amount and a renamed partner come as new records",
         "RO1",
         [&] {
             t.exec("update facturi set suma=120 where nrfactura='12' and codfiscal='RO1'");
             t.exec("update firme set denumire='BETA'");
         },
         {0, 0, 1, 1, 0, 0}},
        {"one of twin payments gone: it alone comes back",
         "RO1",
         [&] {
             t.exec(
                 "delete from operatiuni where rowid=(select min(rowid) from operatiuni "
                 "where codfiscal='RO1')");
         },
         {0, 0, 0, 0, 0, 1}},
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

    // A number column holding text in a foreign backup would end up in the statement as it
    // stands: the merge refuses it and writes nothing.
    backup.execute("PRAGMA ignore_check_constraints = ON");
    backup.execute("update facturi set suma='0 or 1=1' where nrfactura='13'");
    EXPECT_THROW(mergeBackup("RO3"), DbError);
    EXPECT_EQ(t.value("select count(*) from facturi where codfiscal='RO3'"), "0");
    EXPECT_EQ(t.value("select count(*) from operatiuni where codfiscal='RO3'"), "0");
}

}  // namespace test
}  // namespace kov
