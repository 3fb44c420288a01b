#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "data/Query.h"
#include "data/Settings.h"
#include "maintenance/Discheta.h"
#include "tests/Support.h"
#include "ui/Globals.h"

namespace kov::test {

namespace {

const QString kCopying = "Va rugam sa asteptati pana se copiaza datele pe discheta ...";
const QString kCopyingBack = "Va rugam sa asteptati pana se copiaza datele de pe discheta ...";
const QString kMerging = "Va rugam sa asteptati pana se introduc datele in baza de date ...";
const QString kCaption = "PFA ANA";

// One installation: its own home and settings, its main database, the floppy folder shared
// with other installations.
struct Books {
    explicit Books(const QString& floppy) {
        main.open(home.path("Kodra.db"), true);
        SettingsStore().setValue("Drives", "A", floppy);
    }
    void exec(const QString& sql) { main.execute(sql); }
    QStringList rows(const QString& sql) { return test::rows(kMainDatabase, sql); }

    TempHome home;
    Database main{kMainDatabase};
    Database backup{kBackupDatabase};
};

class FloppyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        books = std::make_unique<Books>(floppy.path());
        SelectedFiscalCode = "RO1";
    }
    void TearDown() override { SelectedFiscalCode.clear(); }

    StatusLine status() {
        return {[this] { return statusText; },
                [this](const QString& text) {
                    statusText = text;
                    shown << text;
                }};
    }
    void save(std::initializer_list<const char*> answers = {"Da", "OK"}) {
        for (const char* a : answers) {
            modals.answer(a);
        }
        saveToFloppy(books->backup, status());
    }
    void load(std::initializer_list<const char*> answers = {"Da", "OK"}) {
        for (const char* a : answers) {
            modals.answer(a);
        }
        loadFromFloppy(books->backup, status());
    }
    QString lastBox() const {
        const Box& b = modals.boxes().back();
        return b.title + "|" + b.text;
    }
    void invoice(const QString& values) {
        books->exec(
            "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,"
            "PLATIT,RESTANT,CODCLIENT,FELFACTURA) values(" +
            values + ")");
    }
    void operation(const QString& values) {
        books->exec(
            "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,"
            "FARATVA,BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values(" +
            values + ")");
    }
    void partner(const QString& code, const QString& name, const QString& fiscalCode) {
        books->exec(
            "insert into firme (COD,DENUMIRE,DATAULMI,SOLDD,SOLDC,TIPSOLD,SOLD,OBS,CODFISCAL,LOC,"
            "CONTBANCA,DENBANCA,DELEGAT,JUDET,BISERIA,BINR,BIELIB,TRANS,TRANSNR,ADRESA) values('" +
            code + "','" + name + "','2003-06-30',0,12.5,'C',12.5,'','" + fiscalCode +
            "','CLUJ','B1','C1','','CLUJ','','','','','','STR. B 2')");
    }
    // The sample books of RO1 and of another company RO2.
    void sampleBooks() {
        const QString company =
            "insert into datefirma (DESCRIERE,NUME,CODFISCAL,TVA,NRJ,SEDIU,JUDET,CONT,BANCA,LOC) ";
        books->exec(company + "values('PFA','ANA','RO1',1,'J1','STR. A','CLUJ','C1','B1','DEJ')");
        books->exec(company + "values('','BETA','RO2',2,'','','','','',null)");
        books->exec("insert into defalcari values(10001,'CHIRIE','c')");
        books->exec("insert into iduridefalcari values(10001)");
        partner("P1", "O''NEIL SRL", "RO77");
        invoice("'RO1','12','2004-03-05',119.00,100.00,19,19.00,0,119.00,'P1','E'");
        invoice("'RO1','BF. 3','2004-03-06',23.8,20,19,3.8,1,0.00,'P1','I'");
        invoice("'RO2','12','2004-03-05',50,50,0,0,0,50,'P1','E'");
        // What the e-Factura file needs travels with the invoice.
        books->exec(
            "update facturi set EXPLICATIE='ONORARIU', NUMEPF='ION POP', ADRESAPF='STR. C 3', "
            "LOCPF='DEJ', JUDETPF='CLUJ', CNPPF='1800101123456' where NRFACTURA='12' and "
            "CODFISCAL='RO1'");
        operation(
            "'RO1','2004-03-05','F.12 + CH.4','ONORARIU','',119.00,100.00,0,0,'incasare','',1");
        operation("'RO1','2004-03-31','SALARIU','PLATA D''AUTOR','',500,500,0,10001,'plata','',1");
        operation("'RO1','2004-03-31','SALARIU','PLATA D''AUTOR','',500,500,0,10001,'plata','',1");
        operation("'RO2','2004-03-31','O.P. 1','X','',10,10,1,0,'plata','',1");
    }

    QTemporaryDir floppy;
    std::unique_ptr<Books> books;
    Modals modals;
    QString statusText = kCaption;
    QStringList shown;
};

const QString kInvoices = "select * from facturi where codfiscal='%1' order by nrfactura, suma";
const QString kOperations = "select * from operatiuni where codfiscal='%1' order by nrdoc, data";

}  // namespace

TEST_F(FloppyTest, BackupHoldsTheCompanyAndTheSharedTablesInTheirColumns) {
    sampleBooks();
    save({"Nu", "Nu", "Da", "OK"});
    ASSERT_EQ(modals.boxes().size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(modals.boxes()[i].title + "|" + modals.boxes()[i].text,
                  "Atentie!|Ati introdus discheta?");
    }
    EXPECT_EQ(lastBox(), "|Copiere incheiata.");
    EXPECT_EQ(shown, QStringList({kCopying, kCaption}));
    EXPECT_FALSE(books->backup.isOpen());
    ASSERT_TRUE(QFileInfo::exists(floppyFile()));

    Database copy(QStringLiteral("copy"));
    copy.open(floppyFile());
    const auto in = [](const QString& sql) { return rows(QStringLiteral("copy"), sql); };
    EXPECT_EQ(in("select * from datefirma"), QStringList({"|ANA|RO1||J1|STR. A|CLUJ|C1|B1|DEJ"}));
    EXPECT_EQ(in("select * from defalcari"), QStringList({"10001|CHIRIE|c"}));
    EXPECT_EQ(in("select * from iduridefalcari"), QStringList({"10001"}));
    EXPECT_EQ(in("select * from firme"),
              QStringList(
                  {"P1|O'NEIL SRL|30.06.2003|0|12.5|C|12.5||RO77|CLUJ|B1|C1||CLUJ||||||STR. B 2"}));
    EXPECT_EQ(in("select * from facturi order by nrfactura"),
              QStringList({"|12|05.03.2004|119|100|19|19|0|119|P1|E|ONORARIU|ION POP|STR. C 3|DEJ|"
                           "CLUJ|1800101123456|",
                           "|BF. 3|06.03.2004|23.8|20|19|3.8|1|0|P1|I|||||||"}));
    EXPECT_EQ(in("select * from operatiuni order by nrdoc"),
              QStringList({"|05.03.2004|F.12 + CH.4|ONORARIU||119|100|0|0|incasare||1",
                           "|31.03.2004|SALARIU|PLATA D'AUTOR||500|500|0|10001|plata||1",
                           "|31.03.2004|SALARIU|PLATA D'AUTOR||500|500|0|10001|plata||1"}));
    EXPECT_EQ(in("select count(*) from numere"), QStringList({"0"}));
}

TEST_F(FloppyTest, TheFloppyQuestionRepeatsOnNoAndCancelLeavesEverythingAsItWas) {
    struct Case {
        bool backup;
        std::vector<const char*> answers;
        size_t questions;
    };
    const Case cases[] = {{true, {"Anulare"}, 1},
                          {true, {"Nu", "Nu", "Anulare"}, 3},
                          {false, {"Anulare"}, 1},
                          {false, {"Nu", "Anulare"}, 2}};
    sampleBooks();
    for (const Case& c : cases) {
        modals.clear();
        shown.clear();
        for (const char* a : c.answers) {
            modals.answer(a);
        }
        if (c.backup) {
            saveToFloppy(books->backup, status());
        } else {
            loadFromFloppy(books->backup, status());
        }
        const QString question =
            c.backup ? "Ati introdus discheta?" : "Ati introdus discheta cu datele salvate?";
        EXPECT_EQ(modals.texts(), QStringList(static_cast<int>(c.questions), question));
        EXPECT_TRUE(shown.isEmpty());
        EXPECT_FALSE(books->backup.isOpen());  // released at once
        EXPECT_FALSE(QFileInfo::exists(floppyFile()));
        EXPECT_EQ(modals.pending(), 0u);
    }
    EXPECT_EQ(books->rows("select count(*) from facturi"), QStringList({"3"}));
}

TEST_F(FloppyTest, RestoreMergesUnderTheSelectedCompanyAndSkipsWhatIsThere) {
    sampleBooks();
    save();
    const QStringList ro1Invoices = books->rows(kInvoices.arg("RO1"));
    const QStringList ro1Operations = books->rows(kOperations.arg("RO1"));

    // Under another company: everything comes in once, the twin salary payments both.
    SelectedFiscalCode = "RO2";
    for (int run = 0; run < 2; ++run) {
        modals.clear();
        shown.clear();
        load();
        EXPECT_EQ(modals.texts(), QStringList({"Ati introdus discheta cu datele salvate?",
                                               "Transfer efectuat cu succes"}));
        EXPECT_EQ(modals.boxes().back().title, "");
        EXPECT_EQ(shown, QStringList({kCopyingBack, kMerging, kCaption}));
        EXPECT_FALSE(books->backup.isOpen());
        QStringList expected = ro1Invoices;
        expected.replaceInStrings(QRegularExpression("^RO1\\|"), "RO2|");
        expected << "RO2|12|05.03.2004|50|50|0|0|0|50|P1|E|||||||";
        expected.sort();
        QStringList got = books->rows(kInvoices.arg("RO2"));
        got.sort();
        EXPECT_EQ(got, expected) << "run " << run;
        EXPECT_EQ(books->rows(kOperations.arg("RO2")).size(), ro1Operations.size() + 1);
        EXPECT_EQ(books->rows("select count(*) from operatiuni where codfiscal='RO2' and "
                              "nrdoc='SALARIU' and feloperatie='PLATA D''AUTOR'"),
                  QStringList({"2"}));
        EXPECT_EQ(books->rows("select count(*) from firme"), QStringList({"1"}));
        EXPECT_EQ(books->rows(kInvoices.arg("RO1")), ro1Invoices);
    }

    // The same company after changes: a changed amount comes back as a second record, the
    // renamed partner keeps its code alone, and the lost category comes back for its payments.
    SelectedFiscalCode = "RO1";
    books->exec(
        "update facturi set suma=120, faratva=101 where nrfactura='12' and "
        "codfiscal='RO1'");
    books->exec("update firme set denumire='ALTUL' where cod='P1'");
    books->exec("delete from defalcari");
    books->exec("delete from operatiuni where codfiscal='RO1' and nrdoc='SALARIU'");
    modals.clear();
    load();
    EXPECT_EQ(modals.texts().last(),
              "Transfer efectuat cu succes\nParteneri cu cod existent pastrati: 1");
    EXPECT_EQ(books->rows("select nrfactura, suma from facturi where codfiscal='RO1' order by "
                          "nrfactura, suma"),
              QStringList({"12|119", "12|120", "BF. 3|23.8"}));
    EXPECT_EQ(books->rows("select cod, denumire from firme order by denumire"),
              QStringList({"P1|ALTUL"}));
    EXPECT_EQ(books->rows("select d.denumire, d.tip from operatiuni o join defalcari d on "
                          "d.id=o.defalcare join iduridefalcari i on i.id=d.id where "
                          "o.codfiscal='RO1' and nrdoc='SALARIU'"),
              QStringList({"CHIRIE|c", "CHIRIE|c"}));

    // A backup of before the categories: a payment whose category the books lack comes in
    // without one, and the user is told.
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(floppyFile()).constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, "update defalcari set tip=null", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    SelectedFiscalCode = "RO3";
    modals.clear();
    load();
    EXPECT_EQ(modals.texts().last(),
              "Transfer efectuat cu succes\nParteneri cu cod existent pastrati: 1\n"
              "Operatiuni incarcate fara categorie (categoria nu exista): 2");
    EXPECT_EQ(books->rows("select count(*) from operatiuni where codfiscal='RO3' and "
                          "defalcare=0"),
              QStringList({"3"}));
}

TEST_F(FloppyTest, AFileThatIsNotABackupIsRefusedBeforeAnythingIsMerged) {
    const auto sqliteFile = [](const QString& path, const char* sql) {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        sqlite3_close(db);
    };
    struct Case {
        const char* what;
        std::function<void(const QString&)> make;
    };
    const Case cases[] = {
        {"missing", [](const QString&) {}},
        {"text",
         [](const QString& path) {
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("NRFACTURA;DATA;SUMA\n12;05.03.2004;119\n");
         }},
        {"no tables", [&](const QString& p) { sqliteFile(p, "create table x (a)"); }},
        {"other columns",
         [&](const QString& p) {
             sqliteFile(p,
                        "create table facturi (nrfactura, data); create table operatiuni "
                        "(nrdoc); create table firme (cod)");
         }},
    };
    sampleBooks();
    for (const Case& c : cases) {
        QFile::remove(floppyFile());
        c.make(floppyFile());
        modals.clear();
        shown.clear();
        load({"Da", "OK"});
        EXPECT_EQ(lastBox(), "Eroare!|Eroare la copiere de pe discheta!") << c.what;
        EXPECT_EQ(shown, QStringList({kCopyingBack, kCaption})) << c.what;
        EXPECT_EQ(books->rows("select count(*) from facturi"), QStringList({"3"}));
        EXPECT_FALSE(books->backup.isOpen());
    }
}

// A backup changed by hand or crafted: refused as a file from the floppy, nothing merged.
TEST_F(FloppyTest, ACraftedBackupIsRefusedBeforeAnythingIsMerged) {
    struct Case {
        const char* what;
        const char* sql;
    };
    const Case cases[] = {
        {"a statement in an amount",
         "pragma ignore_check_constraints=on; update facturi set "
         "suma='(select count(*)*1000 from facturi)' where nrfactura='12'"},
        {"a day that does not exist",
         "pragma ignore_check_constraints=on; update facturi set data='2004-02-30'"},
        {"a row whose keys are all empty", "insert into operatiuni (suma) values (1)"},
        {"a view of millions of rows",
         "alter table operatiuni rename to o; create view operatiuni as select o.* from o, "
         "o o2, o o3, o o4, o o5, o o6, o o7, o o8, o o9, o o10, o o11, o o12, o o13, o o14"},
        {"a view in an older file",
         "alter table facturi rename to f; create view facturi as select * from f; "
         "pragma user_version=0"},
        {"a table of another shape", "alter table firme add column CMD text"},
    };
    sampleBooks();
    for (const Case& c : cases) {
        SelectedFiscalCode = "RO1";
        save();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(floppyFile()).constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, c.sql, nullptr, nullptr, nullptr), SQLITE_OK) << c.what;
        sqlite3_close(db);
        SelectedFiscalCode = "RO3";
        modals.clear();
        shown.clear();
        load();
        EXPECT_EQ(lastBox(), "Eroare!|Eroare la copiere de pe discheta!") << c.what;
        EXPECT_EQ(shown.last(), kCaption) << c.what;
        EXPECT_FALSE(books->backup.isOpen());
        EXPECT_EQ(books->rows("select (select count(*) from facturi where codfiscal='RO3') || "
                              "(select count(*) from operatiuni where codfiscal='RO3') || "
                              "(select count(*) from firme)"),
                  QStringList({"001"}))
            << c.what;
    }
}

TEST_F(FloppyTest, AFailurePartWayMergesNothingAndARerunMergesAll) {
    sampleBooks();
    save();
    shown.clear();
    SelectedFiscalCode = "RO3";
    books->exec(
        "create trigger refuse before insert on operatiuni when new.nrdoc='SALARIU' "
        "begin select raise(abort, 'refuzat'); end");
    load();
    EXPECT_EQ(lastBox(), "Eroare!|Eroare la copiere pe discheta!");
    EXPECT_EQ(shown, QStringList({kCopyingBack, kMerging, kCaption}));
    EXPECT_FALSE(books->backup.isOpen());
    EXPECT_EQ(books->rows("select count(*) from facturi where codfiscal='RO3'"),
              QStringList({"0"}));
    EXPECT_EQ(books->rows("select count(*) from operatiuni where codfiscal='RO3'"),
              QStringList({"0"}));

    books->exec("drop trigger refuse");
    load();
    EXPECT_EQ(lastBox(), "|Transfer efectuat cu succes");
    EXPECT_EQ(books->rows("select count(*) from facturi where codfiscal='RO3'"),
              QStringList({"2"}));
    EXPECT_EQ(books->rows("select count(*) from operatiuni where codfiscal='RO3'"),
              QStringList({"3"}));
}

// Two installations: every invoice, operation and partner of the first reaches the second,
// under the company selected there, beside what it already held.
TEST_F(FloppyTest, ABackupFromOneHomeRestoresIntoAnotherWithEveryRowAccountedFor) {
    const QString invoiceColumns =
        "NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,CODCLIENT,FELFACTURA";
    const QString operationColumns =
        "DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU";
    const auto totals = [this](const QString& table, const QString& code) {
        return books->rows(
            "select count(*), sum(cast(round(suma * 100) as integer)), "
            "sum(cast(round(faratva * 100) as integer)) from " +
            table + " where codfiscal='" + code + "'");
    };
    Transaction setUp;
    for (int i = 0; i < 250; ++i) {  // more than one batch of inserts
        const QString amount = QString::number(1000 + i * 37.45, 'f', 2);
        invoice(QString("'RO1','A%1','2004-%3-%2',%4,%4,0,0,%5,0,'P%6','%7'")
                    .arg(i % 45)  // some numbers recur, on other days or amounts
                    .arg(1 + i % 28, 2, 10, QChar(u'0'))
                    .arg(1 + i % 12, 2, 10, QChar(u'0'))
                    .arg(amount)
                    .arg(i % 2)
                    .arg(i % 5)
                    .arg(i % 3 ? "E" : "I"));
        operation(QString("'RO1','2004-%2-%1','%3','O''%4','',%5,%5,%6,0,'%7','',1")
                      .arg(1 + i % 28, 2, 10, QChar(u'0'))
                      .arg(1 + i % 12, 2, 10, QChar(u'0'))
                      .arg(i % 4 ? "CH. " + QString::number(i) : QString("CHIRIE"))
                      .arg(i)
                      .arg(amount)
                      .arg(i % 2)
                      .arg(i % 2 ? "plata" : "incasare"));
    }
    for (int i = 0; i < 5; ++i) {
        partner("P" + QString::number(i), "FIRMA " + QString::number(i),
                "RO9" + QString::number(i));
    }
    setUp.commit();
    const QStringList sentInvoices =
        books->rows("select " + invoiceColumns + " from facturi order by " + invoiceColumns);
    const QStringList sentOperations =
        books->rows("select " + operationColumns + " from operatiuni order by " + operationColumns);
    const QStringList sentPartners = books->rows("select * from firme order by cod");
    const QStringList sentTotals = totals("facturi", "RO1") + totals("operatiuni", "RO1");
    save();
    EXPECT_EQ(lastBox(), "|Copiere incheiata.");

    books.reset();  // the other home
    books = std::make_unique<Books>(floppy.path());
    SelectedFiscalCode = "RO5";
    invoice("'RO5','B1','2004-01-01',10,10,0,0,0,10,'X','E'");
    partner("P1", "FIRMA 1", "RO91");
    load();
    EXPECT_EQ(lastBox(), "|Transfer efectuat cu succes");
    EXPECT_EQ(books->rows("select " + invoiceColumns +
                          " from facturi where nrfactura like 'A%' "
                          "and codfiscal='RO5' order by " +
                          invoiceColumns),
              sentInvoices);
    EXPECT_EQ(books->rows("select " + operationColumns +
                          " from operatiuni where codfiscal='RO5' "
                          "order by " +
                          operationColumns),
              sentOperations);
    EXPECT_EQ(books->rows("select * from firme order by cod"), sentPartners);
    books->exec("delete from facturi where nrfactura='B1'");
    EXPECT_EQ(totals("facturi", "RO5") + totals("operatiuni", "RO5"), sentTotals);
}

}  // namespace kov::test

namespace kov::test {

// A backup written before the e-Factura data (its tables lack the new columns) still restores:
// its rows come in with those columns empty, and "not recorded" stays null.
TEST_F(FloppyTest, AnOlderBackupWithoutTheInvoiceFileColumnsRestoresThemEmpty) {
    sampleBooks();
    save();
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(floppyFile()).constData(), &db), SQLITE_OK);
        for (const char* sql :
             {"alter table datefirma drop column LOC", "alter table firme drop column ADRESA",
              "alter table facturi drop column EXPLICATIE",
              "alter table facturi drop column NUMEPF", "alter table facturi drop column ADRESAPF",
              "alter table facturi drop column LOCPF", "alter table facturi drop column JUDETPF",
              "alter table facturi drop column CNPPF", "pragma user_version = 1"}) {
            EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        }
        sqlite3_close(db);
    }
    ASSERT_TRUE(isBackupFile(floppyFile()));
    books->exec("delete from facturi");
    books->exec("delete from firme");
    modals.clear();
    load();
    EXPECT_EQ(modals.texts().last(), "Transfer efectuat cu succes");
    EXPECT_EQ(books->rows("select nrfactura, suma, felfactura, typeof(explicatie) || "
                          "typeof(numepf) || typeof(adresapf) || typeof(locpf) || "
                          "typeof(judetpf) || typeof(cnppf) from facturi order by nrfactura"),
              QStringList(
                  {"12|119|E|nullnullnullnullnullnull", "BF. 3|23.8|I|nullnullnullnullnullnull"}));
    EXPECT_EQ(books->rows("select cod, loc, typeof(adresa) from firme"),
              QStringList({"P1|CLUJ|null"}));
}

}  // namespace kov::test
