// The files the program writes are ordinary SQLite files: another tool, without the program's
// functions, can check them, copy them and write dates in the stored form, which the program
// then reads as its own; a date in any other form is refused.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "data/Query.h"
#include "data/Schema.h"
#include "data/Values.h"
#include "tests/Support.h"

using namespace kov;

namespace {

// A connection as the plain sqlite3 tool makes it: none of the program's functions.
class Plain {
  public:
    explicit Plain(const QString& path) {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    ~Plain() { sqlite3_close_v2(db_); }
    sqlite3* handle() const { return db_; }
    Plain(const Plain&) = delete;
    Plain& operator=(const Plain&) = delete;

    // Empty, or the engine's message.
    QString exec(const QString& sql) {
        char* error = nullptr;
        sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString message = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        return message;
    }

    // Each row's columns joined by "|"; an error gives the message alone.
    QStringList rows(const QString& sql) {
        QStringList out;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            return {QString::fromUtf8(sqlite3_errmsg(db_))};
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                row << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)));
            }
            out << row.join(u'|');
        }
        sqlite3_finalize(stmt);
        return out;
    }

  private:
    sqlite3* db_ = nullptr;
};

// What the tool's .dump and reload do: the tables, their rows, then indexes and triggers.
void reload(const QString& from, const QString& to) {
    Plain source(from);
    Plain target(to);
    for (const QString& sql : source.rows(
             "select sql from sqlite_master where type = 'table' and name not like 'sqlite%'")) {
        ASSERT_EQ(target.exec(sql), "");
    }
    ASSERT_EQ(target.exec("attach " + quoted(from) + " as source"), "");
    for (const QString& table : source.rows(
             "select name from sqlite_master where type = 'table' and name not like 'sqlite%'")) {
        ASSERT_EQ(target.exec("insert into main." + table + " select * from source." + table), "");
    }
    ASSERT_EQ(target.exec("detach source"), "");
    for (const QString& sql : source.rows(
             "select sql from sqlite_master where type in ('index', 'trigger') and sql not null")) {
        ASSERT_EQ(target.exec(sql), "");
    }
}

const char* const kIsoInsert =
    "insert into facturi (CODFISCAL, DATA, SUMA) values ('X', '2004-03-05', 1)";

// The tool checks the file, a dated insert from the tool in the stored form is kept, and
// anything else (a date as typed in the windows, a day that does not exist) is refused by the
// column's check.
void checkWithPlainTool(const QString& path, const QString& journal) {
    SCOPED_TRACE(path.toStdString());
    Plain tool(path);
    EXPECT_EQ(tool.rows("pragma journal_mode"), QStringList{journal});
    EXPECT_EQ(tool.exec("pragma trusted_schema = off"), "");
    EXPECT_EQ(tool.rows("pragma integrity_check"), QStringList{"ok"});
    EXPECT_EQ(tool.exec("insert into facturi (CODFISCAL, DATA, SUMA) values ('X', '5.3.2004', 1)"),
              "CHECK constraint failed: facturi_DATA_iso");
    EXPECT_EQ(tool.exec(kIsoInsert), "");
    EXPECT_EQ(tool.exec("insert into firme (COD, DATAULMI) values ('P', '2003-06-30')"), "");
    EXPECT_EQ(tool.exec("update firme set DATAULMI = ' 30.6.2003 '"),
              "CHECK constraint failed: firme_DATAULMI_iso");
    EXPECT_EQ(tool.exec("update facturi set DATA = '2004-02-30'"),
              "CHECK constraint failed: facturi_DATA_iso");
    for (const char* other : {"20040305", "x'323030342d30332d3035'", "2004.0"}) {
        EXPECT_EQ(tool.exec(QStringLiteral("update facturi set DATA = %1").arg(other)),
                  "CHECK constraint failed: facturi_DATA_iso")
            << other;
    }
    // The engine accepts exactly the calendar days in the stored form.
    for (const QString& typed :
         QStringList{"31.04.2004", "29.02.2003", "29.2.2004", "5.3.04", "05-03-2004", "0000-01-01",
                     "1.1.0000", "1.1.0001", "", "5..2004", "005.3.2004", "5.3.2004.", "2004-3-5",
                     "2004-02-30", "\t7.11.2004\u00a0", "12.1.2004", "1.12.2004", "-001-01-01"}) {
        const auto date = parseIsoDate(typed);
        tool.exec("delete from operatiuni");
        const QString error = tool.exec("insert into operatiuni (CODFISCAL, DATA) values ('X', " +
                                        quoted(typed) + ")");
        if (date && isoDate(*date) == typed) {
            EXPECT_EQ(error, "") << typed.toStdString();
            EXPECT_EQ(tool.rows("select DATA from operatiuni"), QStringList{typed});
        } else {
            EXPECT_EQ(error, "CHECK constraint failed: operatiuni_DATA_iso") << typed.toStdString();
        }
    }
    EXPECT_EQ(tool.rows("select DATA from facturi"), QStringList{"2004-03-05"});
    EXPECT_EQ(tool.rows("select DATAULMI from firme"), QStringList{"2003-06-30"});
    EXPECT_EQ(tool.rows("pragma quick_check"), QStringList{"ok"});

    const QString reloaded = path + ".reloaded";
    reload(path, reloaded);
    Plain copy(reloaded);
    EXPECT_EQ(copy.rows("pragma integrity_check"), QStringList{"ok"});
    EXPECT_EQ(copy.exec(kIsoInsert), "");
    EXPECT_EQ(copy.exec("vacuum"), "");
    EXPECT_EQ(copy.rows("select DATA from facturi"), QStringList({"2004-03-05", "2004-03-05"}));
}

// The program reads what the tool wrote as its own dates.
void checkProgramReads(const QString& path) {
    SCOPED_TRACE(path.toStdString());
    Database db(QStringLiteral("reader"));
    db.open(path, false, Journal::Delete);
    Query q(QStringLiteral("reader"));
    q.setSql("select * from facturi where codfiscal='X' and month(data)=3 and year(data)=2004");
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldByName("DATA").asString(), "05.03.2004");
    EXPECT_EQ(q.fieldByName("DATA").asDate(), QDate(2004, 3, 5));
}

// The schema of files from before version 1, whose checks and triggers called the program's
// own date function.
const char* const kLegacySchema = R"(
CREATE TABLE firme (COD TEXT, DENUMIRE TEXT, DATAULMI DATE CHECK (DATAULMI IS NULL OR kdate(DATAULMI) IS NOT NULL), SOLDD REAL CHECK (typeof(SOLDD) IN ('integer','real','null')), SOLDC REAL CHECK (typeof(SOLDC) IN ('integer','real','null')), TIPSOLD TEXT, SOLD REAL CHECK (typeof(SOLD) IN ('integer','real','null')), OBS TEXT, CODFISCAL TEXT, LOC TEXT, CONTBANCA TEXT, DENBANCA TEXT, DELEGAT TEXT, JUDET TEXT, BISERIA TEXT, BINR TEXT, BIELIB TEXT, TRANS TEXT, TRANSNR TEXT);
CREATE TABLE facturi (CODFISCAL TEXT, NRFACTURA TEXT, DATA DATE CHECK (DATA IS NULL OR kdate(DATA) IS NOT NULL), SUMA REAL CHECK (typeof(SUMA) IN ('integer','real','null')), FARATVA REAL CHECK (typeof(FARATVA) IN ('integer','real','null')), PROCENTTVA REAL CHECK (typeof(PROCENTTVA) IN ('integer','real','null')), TVA REAL CHECK (typeof(TVA) IN ('integer','real','null')), PLATIT REAL CHECK (typeof(PLATIT) IN ('integer','real','null')), RESTANT REAL CHECK (typeof(RESTANT) IN ('integer','real','null')), CODCLIENT TEXT, FELFACTURA TEXT);
CREATE TABLE operatiuni (CODFISCAL TEXT, DATA DATE CHECK (DATA IS NULL OR kdate(DATA) IS NOT NULL), NRDOC TEXT, FELOPERATIE TEXT, EXPLICATIE TEXT, SUMA REAL CHECK (typeof(SUMA) IN ('integer','real','null')), FARATVA REAL CHECK (typeof(FARATVA) IN ('integer','real','null')), BANCA INTEGER CHECK (typeof(BANCA) IN ('integer','real','null')), DEFALCARE INTEGER CHECK (typeof(DEFALCARE) IN ('integer','real','null')), TIP TEXT, OBSERVATII TEXT, REGISTRU INTEGER CHECK (typeof(REGISTRU) IN ('integer','real','null')));
CREATE TABLE registru (DATA TEXT, NRFACTURA TEXT, DENUMIRE TEXT, CODFISCAL TEXT, SUMA TEXT, SCUTITTVA TEXT, FARATVA TEXT, VALTVA TEXT, FARATVA9 TEXT, VALTVA9 TEXT);
CREATE TRIGGER firme_DATAULMI_ins AFTER INSERT ON firme WHEN NEW.DATAULMI IS NOT kdate(NEW.DATAULMI) BEGIN UPDATE firme SET DATAULMI=kdate(NEW.DATAULMI) WHERE rowid=NEW.rowid; END;
CREATE TRIGGER facturi_DATA_ins AFTER INSERT ON facturi WHEN NEW.DATA IS NOT kdate(NEW.DATA) BEGIN UPDATE facturi SET DATA=kdate(NEW.DATA) WHERE rowid=NEW.rowid; END;
CREATE TRIGGER operatiuni_DATA_ins AFTER INSERT ON operatiuni WHEN NEW.DATA IS NOT kdate(NEW.DATA) BEGIN UPDATE operatiuni SET DATA=kdate(NEW.DATA) WHERE rowid=NEW.rowid; END;
CREATE TRIGGER operatiuni_DATA_upd AFTER UPDATE OF DATA ON operatiuni WHEN NEW.DATA IS NOT kdate(NEW.DATA) BEGIN UPDATE operatiuni SET DATA=kdate(NEW.DATA) WHERE rowid=NEW.rowid; END;
CREATE INDEX facturi_firma_data ON facturi (CODFISCAL, DATA);
)";

// Opens an older file as the program does, then checks it with the plain tool: brought up to
// the current version and sound.
void openAsTheProgram(const QString& path) {
    {
        Database db(kMainDatabase);
        db.open(path);
    }
    Plain tool(path);
    EXPECT_EQ(tool.rows("pragma user_version"), QStringList{"7"});
    EXPECT_EQ(tool.rows("pragma integrity_check"), QStringList{"ok"});
}

// A new books file whose stored table definitions are rewritten as an older version wrote
// them (every table, or those named); returns how many tables changed.
int newFileWrittenAsOlder(const QString& path, const QRegularExpression& today,
                          const QString& older, const QStringList& tables = {}) {
    {
        Database db(kMainDatabase);
        db.open(path, true);
    }
    Plain old(path);
    old.exec("pragma writable_schema = on");
    int changed = 0;
    for (const QString& row :
         old.rows("select name || '|' || sql from sqlite_master where type = 'table'")) {
        const QString name = row.section(u'|', 0, 0), sql = row.section(u'|', 1);
        QString rewritten = sql;
        rewritten.replace(today, older);
        if ((tables.isEmpty() || tables.contains(name)) && rewritten != sql) {
            old.exec(QStringLiteral("update sqlite_master set sql = %1 where name = %2")
                         .arg(quoted(rewritten), quoted(name)));
            ++changed;
        }
    }
    old.exec("pragma writable_schema = off");
    return changed;
}

}  // namespace

TEST(FileFormat, EveryFileTheProgramWritesIsAnOrdinarySqliteFile) {
    if (test::onServer()) {
        GTEST_SKIP() << "about the file itself";
    }
    test::TempDatabase main;  // the books, as the program keeps them open
    const QString folder = QFileInfo(main.db().path()).absolutePath();
    const QString empty = folder + "/BazaGoala.mdb";
    createDatabaseFile(empty);
    const QString copy = folder + "/BackUp.mvn";
    ASSERT_TRUE(copyDatabaseFile(main.db().path(), copy));
    const QString backup = folder + "/Salvari.mdb";
    {
        Database salvari(kBackupDatabase);
        salvari.open(backup, true);
    }
    checkWithPlainTool(main.db().path(), "wal");
    for (const QString& path : {empty, copy, backup}) {
        checkWithPlainTool(path, "delete");
        checkProgramReads(path);
    }
    // The program's own connection, with a schema it does not trust either.
    main.exec("pragma trusted_schema = off");
    main.exec("insert into facturi (CODFISCAL, DATA, SUMA) values ('Y', '2004-03-01', 1)");
    EXPECT_EQ(main.rows("select data, day(data) from facturi where month(data) = 3 order by data"),
              QStringList({"01.03.2004|1", "05.03.2004|5"}));
    Query q;
    q.setSql("select max(data) as last from facturi");
    q.open();
    EXPECT_EQ(q.fieldByName("last").asDate(), QDate(2004, 3, 5));
}

// The old date function, as the earlier program registered it on its connections.
void legacyDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])));
    auto date = parseIsoDate(text);
    if (!date) {
        date = parseDate(text);
    }
    if (!date) {
        sqlite3_result_error(ctx, "nu este o data valida", -1);
        return;
    }
    const QByteArray iso = isoDate(*date).toLatin1();
    sqlite3_result_text(ctx, iso.constData(), static_cast<int>(iso.size()), SQLITE_TRANSIENT);
}

TEST(FileFormat, AnOlderFileIsBroughtUpToDateWhenOpenedKeepingEveryRow) {
    test::TempHome home;
    const QString path = home.path("Kodra.db");
    {
        Plain old(path);
        sqlite3_create_function(old.handle(), "kdate", 1, SQLITE_UTF8, nullptr, &legacyDate,
                                nullptr, nullptr);
        ASSERT_EQ(old.exec(kLegacySchema), "");
        ASSERT_EQ(
            old.exec("insert into firme (COD, DATAULMI, SOLDD) values ('C1', '30.6.2003', 10);"
                     "insert into facturi (CODFISCAL, NRFACTURA, DATA, SUMA) values "
                     "('RO1', '7', '5.3.2004', 119.5), ('RO1', '8', '31.12.2004', 11);"
                     "delete from facturi where NRFACTURA = '7';"
                     "insert into operatiuni (CODFISCAL, DATA, NRDOC) values "
                     "('RO1', '6.3.2004', 'CH. 1');"
                     "insert into registru (DATA) values ('z'), ('a');"),
            "");
    }
    EXPECT_NE(Plain(path).rows("pragma integrity_check"), QStringList{"ok"});

    for (int opening = 0; opening < 2; ++opening) {  // the second finds nothing left to do
        Database db(kMainDatabase);
        db.open(path);
        EXPECT_EQ(test::rows(kMainDatabase, "select nrfactura, data from facturi"),
                  QStringList{"8|31.12.2004"});
    }
    Plain tool(path);
    EXPECT_EQ(tool.rows("pragma user_version"), QStringList{"7"});
    EXPECT_EQ(tool.rows("select typeof(EXPLICATIE), typeof(NUMEPF), typeof(CNPPF) from facturi"),
              QStringList{"null|null|null"});
    EXPECT_EQ(tool.rows("select typeof(ADRESA) from firme"), QStringList{"null"});
    EXPECT_EQ(tool.rows("pragma integrity_check"), QStringList{"ok"});
    EXPECT_EQ(tool.rows("select count(*) from sqlite_master where sql like '%kdate%'"),
              QStringList{"0"});
    // Rows keep their rowids (the order in which they were written) and their values.
    EXPECT_EQ(tool.rows("select rowid, NRFACTURA, DATA, SUMA from facturi"),
              QStringList{"2|8|2004-12-31|11.0"});
    EXPECT_EQ(tool.rows("select rowid, DATA, NRDOC from operatiuni"),
              QStringList{"1|2004-03-06|CH. 1"});
    EXPECT_EQ(tool.rows("select COD, DATAULMI, SOLDD from firme"),
              QStringList{"C1|2003-06-30|10.0"});
    EXPECT_EQ(tool.rows("select rowid, DATA from registru"), QStringList({"1|z", "2|a"}));
    EXPECT_EQ(tool.rows("select count(*) from sqlite_master where name = 'facturi_firma_data'"),
              QStringList{"1"});
    EXPECT_EQ(tool.exec(kIsoInsert), "");
    EXPECT_EQ(tool.rows("select DATA from facturi where CODFISCAL = 'X'"),
              QStringList{"2004-03-05"});
}

// A file of the version before the e-Factura data: the columns come in empty, every row stays,
// and the file is still one the plain tool reads and writes.
TEST(FileFormat, AVersionOneFileGainsTheInvoiceFileColumnsEmpty) {
    test::TempHome home;
    const QString path = home.path("Kodra.db");
    const struct {
        const char* table;
        const char* columns;
    } added[] = {{"datefirma", "LOC"},
                 {"firme", "ADRESA"},
                 {"facturi", "EXPLICATIE,NUMEPF,ADRESAPF,LOCPF,JUDETPF,CNPPF"}};
    {
        Database db(kMainDatabase);
        db.open(path, true);
    }
    {
        Plain old(path);
        for (const auto& a : added) {
            for (const QString& column : QString::fromLatin1(a.columns).split(u',')) {
                ASSERT_EQ(old.exec(QStringLiteral("alter table %1 drop column %2")
                                       .arg(QLatin1String(a.table), column)),
                          "");
            }
        }
        ASSERT_EQ(old.exec("pragma user_version = 1;"
                           "insert into datefirma (NUME, CODFISCAL, TVA, SEDIU) values "
                           "('ANA', 'RO1', 1, 'STR. A 1');"
                           "insert into firme (COD, DENUMIRE, LOC) values ('P1', 'BETA', 'DEJ');"
                           "insert into facturi (CODFISCAL, NRFACTURA, DATA, SUMA, CODCLIENT, "
                           "FELFACTURA) values ('RO1', '9', '2004-03-05', 119, 'P1', 'E');"
                           // Written for no company before such rows were refused: kept.
                           "drop trigger numere_fara_firma_ins;"
                           "insert into numere (CODFISCAL, NRFACTURA) values ('', 4);"),
                  "");
    }
    openAsTheProgram(path);
    Plain tool(path);
    EXPECT_EQ(tool.rows("select NUME, SEDIU, typeof(LOC) from datefirma"),
              QStringList{"ANA|STR. A 1|null"});
    EXPECT_EQ(tool.rows("select COD, LOC, typeof(ADRESA) from firme"), QStringList{"P1|DEJ|null"});
    EXPECT_EQ(tool.rows("select NRFACTURA, DATA, SUMA, typeof(EXPLICATIE) || typeof(NUMEPF) || "
                        "typeof(ADRESAPF) || typeof(LOCPF) || typeof(JUDETPF) || typeof(CNPPF) || "
                        "typeof(TEMEI) from facturi"),
              QStringList{"9|2004-03-05|119.0|nullnullnullnullnullnullnull"});
    EXPECT_EQ(tool.rows("select CODFISCAL, NRFACTURA from numere"), QStringList{"|4"});
    EXPECT_EQ(tool.exec("insert into facturi (CODFISCAL, NRFACTURA, EXPLICATIE) values ('RO1', "
                        "'10', 'ONORARIU')"),
              "");
    EXPECT_NE(tool.exec("insert into numere (CODFISCAL, NRFACTURA) values ('', 5)"), "");
}

// A file of version 2 checked its dates with triggers. Its dated tables are made anew: every
// row keeps its rowid and values, a date still in the typed form is converted, the indexes and
// the company triggers stay, the date triggers go, and the plain tool refuses a typed date.
TEST(FileFormat, AVersionTwoFileChecksItsDatesWithoutTriggers) {
    test::TempHome home;
    const QString path = home.path("Kodra.db");
    // The stored definitions as version 2 wrote them: dates checked only for being text.
    ASSERT_EQ(
        newFileWrittenAsOlder(path,
                              QRegularExpression(QStringLiteral(
                                  "CONSTRAINT (\\w+)_iso CHECK \\((\\w+) IS NULL OR \\(.*?\\)\\)")),
                              QStringLiteral("CHECK (typeof(\\2) IN ('text','null'))"),
                              {"firme", "facturi", "operatiuni"}),
        3);
    {
        Plain old(path);
        ASSERT_EQ(old.exec("pragma user_version = 2;"
                           "create trigger facturi_DATA_valid_ins before insert on facturi "
                           "when 0 begin select 1; end;"
                           "insert into firme (COD, DATAULMI) values ('P1', '2003-06-30');"
                           "insert into facturi (rowid, CODFISCAL, NRFACTURA, DATA, SUMA, "
                           "EXPLICATIE) values (5, 'RO1', '9', '2004-03-05', 119, 'ONORARIU'), "
                           "(9, 'RO1', '10', '7.3.2004', 11.5, null);"
                           "insert into operatiuni (rowid, CODFISCAL, DATA, NRDOC) values "
                           "(3, 'RO1', null, 'CH. 1');"),
                  "");
        EXPECT_EQ(old.rows("pragma integrity_check"), QStringList{"ok"});
    }
    openAsTheProgram(path);
    Plain tool(path);
    EXPECT_EQ(tool.rows("select rowid, NRFACTURA, DATA, SUMA, EXPLICATIE from facturi"),
              QStringList({"5|9|2004-03-05|119.0|ONORARIU", "9|10|2004-03-07|11.5|"}));
    EXPECT_EQ(tool.rows("select rowid, DATA, NRDOC from operatiuni"), QStringList{"3||CH. 1"});
    EXPECT_EQ(tool.rows("select COD, DATAULMI from firme"), QStringList{"P1|2003-06-30"});
    EXPECT_EQ(tool.rows("select name from sqlite_master where type = 'trigger' and tbl_name = "
                        "'facturi' order by name"),
              QStringList({"facturi_fara_firma_ins", "facturi_fara_firma_upd"}));
    EXPECT_EQ(tool.rows("select count(*) from sqlite_master where type = 'index' and tbl_name in "
                        "('firme', 'facturi', 'operatiuni')"),
              QStringList{"8"});
    EXPECT_EQ(tool.exec("insert into facturi (CODFISCAL, DATA) values ('RO1', '5.3.2004')"),
              "CHECK constraint failed: facturi_DATA_iso");
    EXPECT_NE(tool.exec("insert into facturi (CODFISCAL, DATA) values ('', '2004-03-05')"), "");
}

// Files before version 7 checked number columns against a list of three types, for which the
// engine builds a temporary index every time an insert checks a column. The upgrade rebuilds
// those tables, rows and rowids kept; text stays refused.
TEST(FileFormat, AVersionSixFileChecksItsNumbersWithoutATemporaryIndex) {
    test::TempHome home;
    const QString path = home.path("Kodra.db");
    ASSERT_EQ(
        newFileWrittenAsOlder(path,
                              QRegularExpression(QStringLiteral(
                                  "CHECK \\(typeof\\((\\w+)\\) NOT IN \\('text','blob'\\)\\)")),
                              QStringLiteral("CHECK (typeof(\\1) IN ('integer','real','null'))")),
        9);
    {
        Plain old(path);
        ASSERT_EQ(old.exec("pragma user_version = 6;"
                           "insert into facturi (rowid, CODFISCAL, NRFACTURA, DATA, SUMA) values "
                           "(4, 'RO1', '9', '2004-03-05', 119), (8, 'RO1', '10', null, 11.5);"
                           "insert into operatiuni (rowid, CODFISCAL, NRDOC, BANCA) values "
                           "(6, 'RO1', 'CH. 1', 1);"),
                  "");
    }
    openAsTheProgram(path);
    Plain tool(path);
    EXPECT_EQ(tool.rows("select count(*) from sqlite_master where sql like '%''integer''%'"),
              QStringList{"0"});
    EXPECT_EQ(tool.rows("select rowid, NRFACTURA, DATA, SUMA from facturi"),
              QStringList({"4|9|2004-03-05|119.0", "8|10||11.5"}));
    EXPECT_EQ(tool.rows("select rowid, NRDOC, BANCA from operatiuni"), QStringList{"6|CH. 1|1"});
    EXPECT_EQ(tool.rows("select count(*) from sqlite_master where type = 'index' and tbl_name in "
                        "('facturi', 'operatiuni')"),
              QStringList{"5"});
    const QStringList program =
        tool.rows("explain insert into operatiuni (CODFISCAL, SUMA) values ('RO1', 1)");
    EXPECT_FALSE(program.join(u'\n').contains("OpenEphemeral"));
    EXPECT_EQ(tool.exec("insert into facturi (CODFISCAL, SUMA) values ('RO1', 'x')"),
              "CHECK constraint failed: typeof(SUMA) NOT IN ('text','blob')");
    EXPECT_EQ(tool.exec("insert into operatiuni (CODFISCAL, BANCA) values ('RO1', x'00')"),
              "CHECK constraint failed: typeof(BANCA) NOT IN ('text','blob')");
}

// What copies the books reads the tables from the catalogue: it must describe a new file
// exactly, every table and column with the declared type of its kind, and nothing more.
TEST(FileFormat, TheColumnCatalogueDescribesANewFileExactly) {
    if (test::onServer()) {
        GTEST_SKIP() << "about the file itself";
    }
    test::TempDatabase t;
    const auto declared = [](ColumnKind kind) {
        switch (kind) {
            case ColumnKind::Number:
                return QStringLiteral("REAL");
            case ColumnKind::Integer:
                return QStringLiteral("INTEGER");
            case ColumnKind::Date:
                return QStringLiteral("DATE");
            case ColumnKind::Text:
                break;
        }
        return QStringLiteral("TEXT");
    };
    QStringList tables;
    for (const TableInfo& table : schemaCatalogue()) {
        QStringList columns;
        for (const Column& c : table.columns) {
            columns << c.name + " " + declared(c.kind);
        }
        EXPECT_EQ(
            t.rows("select name || ' ' || type from pragma_table_info(" + quoted(table.name) + ")"),
            columns)
            << table.name.toStdString();
        tables << table.name;
    }
    tables.sort();
    EXPECT_EQ(t.rows("select name from sqlite_master where type = 'table' order by name"), tables);
    EXPECT_EQ(&catalogueTable("facturi"), &schemaCatalogue()[2]);
    EXPECT_THROW(catalogueTable("nu"), DbError);
}
