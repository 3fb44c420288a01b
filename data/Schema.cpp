#include "data/Schema.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <optional>

#include "data/Database.h"
#include "data/Values.h"

namespace kov {

namespace {

// Files before version 1 checked and converted their dates through a function of the program,
// so no other tool could check, repair or write them. Version 2 adds what the e-Factura file
// needs and the books did not keep.
constexpr int kSchemaVersion = 2;

// Column kinds: numbers refuse text; dates are text (or null): the date triggers below accept
// only calendar days and store them as yyyy-mm-dd, so that they sort by time.
#define NUM(c) #c " REAL CHECK (typeof(" #c ") IN ('integer','real','null'))"
#define INT(c) #c " INTEGER CHECK (typeof(" #c ") IN ('integer','real','null'))"
#define DATE(c) #c " DATE CHECK (typeof(" #c ") IN ('text','null'))"

struct Table {
    const char* name;
    const char* columns;
};

const Table kTables[] = {
    {"datefirma", "DESCRIERE TEXT, NUME TEXT, CODFISCAL TEXT, " INT(
                      TVA) ", NRJ TEXT, SEDIU TEXT, JUDET TEXT, CONT TEXT, BANCA TEXT"},
    {"firme", "COD TEXT, DENUMIRE TEXT, " DATE(DATAULMI) ", " NUM(SOLDD) ", " NUM(
                  SOLDC) ", TIPSOLD TEXT, " NUM(SOLD) ", OBS TEXT, CODFISCAL TEXT, LOC TEXT, "
                                                      "CONTBANCA TEXT, DENBANCA TEXT, DELEGAT "
                                                      "TEXT, JUDET TEXT, BISERIA TEXT, BINR TEXT, "
                                                      "BIELIB TEXT, TRANS TEXT, TRANSNR TEXT"},
    {"facturi",
     "CODFISCAL TEXT, NRFACTURA TEXT, " DATE(DATA) ", " NUM(SUMA) ", " NUM(FARATVA) ", " NUM(
         PROCENTTVA) ", " NUM(TVA) ", " NUM(PLATIT) ", " NUM(RESTANT) ", CODCLIENT TEXT, "
                                                                      "FELFACTURA TEXT"},
    {"operatiuni",
     "CODFISCAL TEXT, " DATE(DATA) ", NRDOC TEXT, FELOPERATIE TEXT, EXPLICATIE TEXT, " NUM(
         SUMA) ", " NUM(FARATVA) ", " INT(BANCA) ", " INT(DEFALCARE) ", TIP TEXT, OBSERVATII "
                                                                     "TEXT, " INT(REGISTRU)},
    {"numere", "CODFISCAL TEXT, " INT(NRFACTURA) ", " INT(NRCHITANTA)},
    {"defalcari", INT(ID) ", DENUMIRE TEXT, TIP TEXT"},
    {"iduridefalcari", INT(ID)},
    {"casieri", "NUME TEXT, CNP TEXT"},
    {"registru",
     "DATA TEXT, NRFACTURA TEXT, DENUMIRE TEXT, CODFISCAL TEXT, SUMA TEXT, SCUTITTVA TEXT, "
     "FARATVA TEXT, VALTVA TEXT, FARATVA9 TEXT, VALTVA9 TEXT"},
    {"jurnal",
     "DATA TEXT, NRDOC TEXT, FELOPERATIE TEXT, INCASARIN TEXT, INCASARIB TEXT, PLATIN TEXT, "
     "PLATIB TEXT"},
    {"fisecumulate", "DENUMIRE TEXT, " NUM(SUMALUNA) ", " NUM(SUMAAN)},
};

#undef NUM
#undef INT
#undef DATE

// Columns added after version 1, empty in the rows that were there before.
struct AddedColumn {
    int version;
    const char* table;
    const char* column;
};

const AddedColumn kAddedColumns[] = {
    {2, "datefirma", "LOC"},       // the own company's locality
    {2, "firme", "ADRESA"},        // the partner's street and number
    {2, "facturi", "EXPLICATIE"},  // the text of the issued invoice's line
    // A private person invoiced: name, street and number, locality, county, CNP.
    {2, "facturi", "NUMEPF"},
    {2, "facturi", "ADRESAPF"},
    {2, "facturi", "LOCPF"},
    {2, "facturi", "JUDETPF"},
    {2, "facturi", "CNPPF"},
};

struct DateColumn {
    const char* table;
    const char* column;
};

const DateColumn kDateColumns[] = {
    {"firme", "DATAULMI"}, {"facturi", "DATA"}, {"operatiuni", "DATA"}};

const char* const kIndexes =
    "CREATE INDEX IF NOT EXISTS facturi_firma_numar ON facturi (CODFISCAL, NRFACTURA);"
    "CREATE INDEX IF NOT EXISTS facturi_firma_data ON facturi (CODFISCAL, DATA);"
    "CREATE INDEX IF NOT EXISTS operatiuni_firma_numar ON operatiuni (CODFISCAL, NRDOC);"
    "CREATE INDEX IF NOT EXISTS operatiuni_firma_data ON operatiuni (CODFISCAL, DATA);"
    "CREATE INDEX IF NOT EXISTS operatiuni_firma_defalcare ON operatiuni (CODFISCAL, DEFALCARE);"
    "CREATE INDEX IF NOT EXISTS firme_cod ON firme (COD);"
    "CREATE INDEX IF NOT EXISTS firme_codfiscal ON firme (CODFISCAL);"
    "CREATE INDEX IF NOT EXISTS firme_denumire ON firme (DENUMIRE);"
    "CREATE INDEX IF NOT EXISTS datefirma_codfiscal ON datefirma (CODFISCAL);"
    "CREATE INDEX IF NOT EXISTS numere_codfiscal ON numere (CODFISCAL);"
    "CREATE INDEX IF NOT EXISTS defalcari_tip_denumire ON defalcari (TIP, DENUMIRE);"
    "CREATE INDEX IF NOT EXISTS defalcari_id ON defalcari (ID);"
    "CREATE INDEX IF NOT EXISTS iduridefalcari_id ON iduridefalcari (ID);"
    "CREATE INDEX IF NOT EXISTS casieri_nume ON casieri (NUME);"
    "CREATE INDEX IF NOT EXISTS casieri_cnp ON casieri (CNP);";

// The stored form of a date value in plain SQL, or NULL when it is not a date the windows
// accept: yyyy-mm-dd as stored, or d.M.yyyy as typed (one or two digits for day and month,
// surrounding blanks allowed). date() passes an impossible day through unchanged ('2003-02-29'),
// so the candidate must come back from a day count ('+0 days') as it went in. Fixed shapes
// rather than a search for the dots: the expression is compiled with every insert.
QString isoOf(const QString& value) {
    const QString blanks = QStringLiteral(
        "' ' || char(9, 10, 11, 12, 13, 133, 160, 5760, 8192, 8193, 8194, 8195, 8196, 8197, "
        "8198, 8199, 8200, 8201, 8202, 8232, 8233, 8239, 8287, 12288)");
    return QStringLiteral(
               "(SELECT CASE WHEN iso = date(iso, '+0 days') AND iso >= '0001-01-01' THEN iso END "
               "FROM (SELECT CASE WHEN typeof(v) <> 'text' THEN NULL "
               "WHEN v GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' THEN v "
               "WHEN t GLOB '[0-9].[0-9].[0-9][0-9][0-9][0-9]' "
               "THEN substr(t, 5, 4) || '-0' || substr(t, 3, 1) || '-0' || substr(t, 1, 1) "
               "WHEN t GLOB '[0-9][0-9].[0-9].[0-9][0-9][0-9][0-9]' "
               "THEN substr(t, 6, 4) || '-0' || substr(t, 4, 1) || '-' || substr(t, 1, 2) "
               "WHEN t GLOB '[0-9].[0-9][0-9].[0-9][0-9][0-9][0-9]' "
               "THEN substr(t, 6, 4) || '-' || substr(t, 3, 2) || '-0' || substr(t, 1, 1) "
               "WHEN t GLOB '[0-9][0-9].[0-9][0-9].[0-9][0-9][0-9][0-9]' "
               "THEN substr(t, 7, 4) || '-' || substr(t, 4, 2) || '-' || substr(t, 1, 2) "
               "END AS iso FROM (SELECT %1 AS v, trim(%1, %2) AS t)))")
        .arg(value, blanks);
}

// A date column refuses what is not a date (before the row is written, with the engine's
// error) and stores what it accepts in the sortable form (after).
QString dateTriggers(const DateColumn& c) {
    const QString table = QString::fromLatin1(c.table);
    const QString column = QString::fromLatin1(c.column);
    const QString iso = isoOf(QStringLiteral("NEW.") + column);
    const QString refusal =
        QStringLiteral("Valoarea din %1.%2 nu este o data valida").arg(table, column);
    QString sql;
    for (const auto& [suffix, event] :
         {std::pair{QStringLiteral("ins"), QStringLiteral("INSERT")},
          std::pair{QStringLiteral("upd"), QStringLiteral("UPDATE OF ") + column}}) {
        const QString name = table + u'_' + column;
        sql += QStringLiteral(
                   "CREATE TRIGGER IF NOT EXISTS %1_valid_%2 BEFORE %3 ON %4 "
                   "WHEN NEW.%5 IS NOT NULL AND %6 IS NULL BEGIN SELECT RAISE(ABORT, '%7'); END;")
                   .arg(name, suffix, event, table, column, iso, refusal);
        sql += QStringLiteral(
                   "CREATE TRIGGER IF NOT EXISTS %1_iso_%2 AFTER %3 ON %4 WHEN NEW.%5 IS NOT %6 "
                   "BEGIN UPDATE %4 SET %5 = %6 WHERE rowid = NEW.rowid; END;")
                   .arg(name, suffix, event, table, column, iso);
    }
    return sql;
}

struct Ymd {
    int y, m, d;
};

int digitsAt(const unsigned char* s, int from, int count) {
    int v = 0;
    for (int i = from; i < from + count; ++i) {
        if (s[i] < '0' || s[i] > '9') {
            return -1;
        }
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

// Stored form first (fast path for filters over many rows), then the typed form.
std::optional<Ymd> dateOf(sqlite3_value* value) {
    if (sqlite3_value_type(value) != SQLITE_TEXT) {
        return std::nullopt;
    }
    const auto* s = sqlite3_value_text(value);
    const int n = sqlite3_value_bytes(value);
    if (n == 10 && s[4] == '-' && s[7] == '-') {
        const int y = digitsAt(s, 0, 4), m = digitsAt(s, 5, 2), d = digitsAt(s, 8, 2);
        if (y >= 0 && m >= 0 && d >= 0 && QDate::isValid(y, m, d)) {
            return Ymd{y, m, d};
        }
        return std::nullopt;
    }
    const auto date = parseDate(QString::fromUtf8(reinterpret_cast<const char*>(s), n));
    if (!date) {
        return std::nullopt;
    }
    return Ymd{date->year(), date->month(), date->day()};
}

template <int Ymd::*Part>
void datePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto d = dateOf(argv[0])) {
        sqlite3_result_int(ctx, (*d).*Part);
    } else {
        sqlite3_result_null(ctx);
    }
}

// The conversion that the checks and triggers of files before version 1 call. It is present
// only while such a file is brought up to date.
void legacyDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (const auto d = dateOf(argv[0])) {
        const QByteArray iso = isoDate(QDate(d->y, d->m, d->d)).toLatin1();
        sqlite3_result_text(ctx, iso.constData(), static_cast<int>(iso.size()), SQLITE_TRANSIENT);
        return;
    }
    sqlite3_result_error(ctx, "nu este o data valida", -1);
}

void exec(sqlite3* db, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        throw DbError(message);
    }
}

// The first column of every row of a statement without parameters.
QStringList column(sqlite3* db, const QString& sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK) {
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    const Statement stmt(raw);
    QStringList out;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
    }
    if (rc != SQLITE_DONE) {
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    return out;
}

int schemaVersion(sqlite3* db) {
    const QStringList v = column(db, QStringLiteral("PRAGMA user_version"));
    return v.isEmpty() ? 0 : v.first().toInt();
}

QString quotedName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Rebuilds each table whose definition still calls the program's date function, keeping every
// row with its rowid (the scratch tables are read in insertion order).
void rebuildLegacyTables(sqlite3* db) {
    for (const QString& trigger :
         column(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' AND "
                                   "sql LIKE '%kdate(%'"))) {
        exec(db, QStringLiteral("DROP TRIGGER ") + quotedName(trigger));
    }
    for (const Table& t : kTables) {
        const QString name = QString::fromLatin1(t.name);
        const QStringList legacy = column(
            db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = %1 "
                               "AND sql LIKE '%kdate(%'")
                    .arg(quoted(name)));
        if (legacy.isEmpty()) {
            continue;
        }
        const QString fresh = QStringLiteral("kov_new_") + name;
        exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(fresh, QLatin1String(t.columns)));
        QStringList columns;
        for (const QString& c : column(
                 db, QStringLiteral("SELECT name FROM pragma_table_info(%1)").arg(quoted(fresh)))) {
            columns << quotedName(c);
        }
        const QString list = columns.join(QStringLiteral(", "));
        exec(db, QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %2 FROM %3")
                     .arg(fresh, list, name));
        exec(db, QStringLiteral("DROP TABLE ") + name);
        exec(db, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(fresh, name));
    }
}

// The columns of later versions that the file lacks. A file of version 0 may already hold some:
// a column is added only where it is missing.
void addColumns(sqlite3* db, int fromVersion) {
    for (const AddedColumn& c : kAddedColumns) {
        if (c.version <= fromVersion) {
            continue;
        }
        const QString table = QString::fromLatin1(c.table);
        const QString name = QString::fromLatin1(c.column);
        const QStringList present =
            column(db, QStringLiteral("SELECT name FROM pragma_table_info(%1)").arg(quoted(table)));
        if (!present.contains(name, Qt::CaseInsensitive)) {
            exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT").arg(table, name));
        }
    }
}

// Keeps the program's function registered while an older file is brought up to date, so that
// its old checks and triggers still parse until they are gone.
class LegacyFunctions {
  public:
    explicit LegacyFunctions(sqlite3* db) : db_(db) {
        sqlite3_create_function(db_, "kdate", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                &legacyDate, nullptr, nullptr);
    }
    ~LegacyFunctions() {
        sqlite3_create_function(db_, "kdate", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                nullptr, nullptr, nullptr);
    }
    LegacyFunctions(const LegacyFunctions&) = delete;
    LegacyFunctions& operator=(const LegacyFunctions&) = delete;

  private:
    sqlite3* db_;
};

}  // namespace

void registerSqlFunctions(sqlite3* db) {
    // Statements filter on these (where month(data)=3). Innocuous: nothing they do depends on
    // or changes the connection, so they stay usable where the schema is not trusted.
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "year", 1, flags, nullptr, &datePart<&Ymd::y>, nullptr, nullptr);
    sqlite3_create_function(db, "month", 1, flags, nullptr, &datePart<&Ymd::m>, nullptr, nullptr);
    sqlite3_create_function(db, "day", 1, flags, nullptr, &datePart<&Ymd::d>, nullptr, nullptr);
}

void applySchema(sqlite3* db) {
    if (schemaVersion(db) >= kSchemaVersion) {
        return;
    }
    const LegacyFunctions legacy(db);
    exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        // Another program may have brought the file up to date while this one waited.
        const int version = schemaVersion(db);
        if (version < 1) {
            rebuildLegacyTables(db);
            QString sql;
            for (const Table& t : kTables) {
                sql += QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2);")
                           .arg(QLatin1String(t.name), QLatin1String(t.columns));
            }
            for (const DateColumn& c : kDateColumns) {
                sql += dateTriggers(c);
            }
            sql += QLatin1String(kIndexes);
            exec(db, sql);
        }
        if (version < kSchemaVersion) {
            addColumns(db, version);
            exec(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
        }
        exec(db, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace kov
