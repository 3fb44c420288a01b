#include "data/Schema.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <optional>

#include "data/Database.h"
#include "data/SqliteBackend.h"
#include "data/Values.h"

namespace kov {

namespace {

// Files before version 1 checked and converted their dates through a function of the program,
// so no other tool could check, repair or write them. Version 2 adds what the e-Factura file
// needs and the books did not keep. Version 3 checks dates with a CHECK instead of triggers:
// the program writes them in the stored form, and an insert no longer runs four trigger
// programs. Version 4 keeps the legal basis of an invoice at 0 %, version 5 the per-rate parts
// of received invoices, version 6 each issued invoice's state on the national e-Factura platform.
// Version 7 checks number columns without a temporary index per row (see definition).
constexpr int kSchemaVersion = 7;

Column text(const char* name, int sinceVersion = 0) {
    return {QString::fromLatin1(name), ColumnKind::Text, sinceVersion};
}
Column number(const char* name) {
    return {QString::fromLatin1(name), ColumnKind::Number, 0};
}
Column integer(const char* name) {
    return {QString::fromLatin1(name), ColumnKind::Integer, 0};
}
Column date(const char* name) {
    return {QString::fromLatin1(name), ColumnKind::Date, 0};
}

// The check of a date column: only a calendar day written yyyy-mm-dd, so that dates sort by
// time. date() passes an impossible day through unchanged ('2003-02-29'), so the value must
// come back from a day count ('+0 days') as it went in; IS also refuses numbers and blobs. The
// constraint's name tells the refusal which column it was (see dateRefusal).
QString dateCheck(const QString& table, const QString& column) {
    return QStringLiteral(
               "CONSTRAINT %1_%2_iso CHECK (%2 IS NULL OR (%2 GLOB "
               "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' AND %2 >= '0001-01-01' "
               "AND date(%2, '+0 days') IS %2))")
        .arg(table, column);
}

// A column of a table as CREATE TABLE and ADD COLUMN write it. Numbers refuse text (and
// blobs); dates are ISO text (or null). The number check lists the two refused types: a list of
// three or more constants makes the engine build a temporary index for the IN each time the
// check runs, once per number column on every insert and update.
QString definition(const QString& table, const Column& c) {
    switch (c.kind) {
        case ColumnKind::Date:
            return c.name + QStringLiteral(" DATE ") + dateCheck(table, c.name);
        case ColumnKind::Number:
        case ColumnKind::Integer:
            return QStringLiteral("%1 %2 CHECK (typeof(%1) NOT IN ('text','blob'))")
                .arg(c.name, c.kind == ColumnKind::Number ? QLatin1String("REAL")
                                                          : QLatin1String("INTEGER"));
        case ColumnKind::Text:
            break;
    }
    return c.name + QStringLiteral(" TEXT");
}

// The columns of the first files: a table is created with these and brought up to date by
// adding the later ones, so that its stored definition is the same however old the file.
QString firstColumns(const TableInfo& t) {
    QStringList out;
    for (const Column& c : t.columns) {
        if (c.sinceVersion == 0) {
            out << definition(t.name, c);
        }
    }
    return out.join(QStringLiteral(", "));
}

const char* const kIndexes =
    // A document looked up by company, number and date (a restore's duplicate test) finds its
    // row at once, also for a number that recurs every month.
    "DROP INDEX IF EXISTS facturi_firma_numar;"
    "CREATE INDEX IF NOT EXISTS facturi_firma_numar_data ON facturi (CODFISCAL, NRFACTURA, DATA);"
    "CREATE INDEX IF NOT EXISTS facturi_firma_data ON facturi (CODFISCAL, DATA);"
    "DROP INDEX IF EXISTS operatiuni_firma_numar;"
    "CREATE INDEX IF NOT EXISTS operatiuni_firma_numar_data ON operatiuni "
    "(CODFISCAL, NRDOC, DATA);"
    "CREATE INDEX IF NOT EXISTS operatiuni_firma_data ON operatiuni (CODFISCAL, DATA);"
    // A category's sums over a period: company and category equal, the date a range.
    "DROP INDEX IF EXISTS operatiuni_firma_defalcare;"
    "CREATE INDEX IF NOT EXISTS operatiuni_firma_defalcare_data ON operatiuni "
    "(CODFISCAL, DEFALCARE, DATA);"
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
// surrounding blanks allowed). Files of versions 1 and 2 converted typed dates with it in
// triggers; the rebuild of their tables converts whatever such a file still holds.
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

// A document row names its company: one without is refused before it is written. Rows already
// stored are left as they are.
QString companyTriggers(const QString& table) {
    QString sql;
    for (const auto& [suffix, event] :
         {std::pair{QStringLiteral("ins"), QStringLiteral("INSERT")},
          std::pair{QStringLiteral("upd"), QStringLiteral("UPDATE OF CODFISCAL")}}) {
        sql += QStringLiteral(
                   "CREATE TRIGGER IF NOT EXISTS %1_fara_firma_%2 BEFORE %3 ON %1 "
                   "WHEN trim(ifnull(NEW.CODFISCAL, '')) = '' BEGIN "
                   "SELECT RAISE(ABORT, 'Documentul nu are firma (CODFISCAL gol)'); END;")
                   .arg(table, suffix, event);
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

// A table of an older file whose definition must be made anew: one that calls the program's
// date function (before version 1), checks its dates with triggers (versions 1 and 2) or checks
// a column otherwise than today (numbers before version 7).
bool outdated(sqlite3* db, const TableInfo& t) {
    const QStringList sql = column(
        db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = %1")
                .arg(quoted(t.name)));
    if (sql.isEmpty()) {
        return false;
    }
    if (sql.first().contains(QLatin1String("kdate("))) {
        return true;
    }
    for (const Column& c : t.columns) {
        if (c.kind != ColumnKind::Text && !sql.first().contains(definition(t.name, c))) {
            return true;
        }
    }
    return false;
}

// Makes an outdated table anew with the current definition, keeping every row with its rowid
// (the scratch tables are read in insertion order), its indexes and its other triggers. Dates
// still in the typed form are converted; one that is no date at all fails the check.
void rebuild(sqlite3* db, const TableInfo& t) {
    for (const Column& c : t.columns) {
        if (c.kind != ColumnKind::Date) {
            continue;
        }
        for (const char* trigger : {"valid_ins", "iso_ins", "valid_upd", "iso_upd"}) {
            exec(db, QStringLiteral("DROP TRIGGER IF EXISTS %1_%2_%3")
                         .arg(t.name, c.name, QLatin1String(trigger)));
        }
    }
    const QString kept = QStringLiteral(
                             "SELECT sql FROM sqlite_master WHERE tbl_name = %1 AND type IN "
                             "('index', 'trigger') AND sql IS NOT NULL AND sql NOT LIKE '%kdate(%'")
                             .arg(quoted(t.name));
    const QStringList dependents = column(db, kept);
    const QStringList present =
        column(db, QStringLiteral("SELECT name FROM pragma_table_info(%1)").arg(quoted(t.name)));
    const QString fresh = QStringLiteral("kov_new_") + t.name;
    exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(fresh, firstColumns(t)));
    QStringList names, values;
    for (const Column& c : t.columns) {
        if (!present.contains(c.name, Qt::CaseInsensitive)) {
            continue;
        }
        if (c.sinceVersion > 0) {
            exec(db,
                 QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(fresh, definition(t.name, c)));
        }
        names << quotedName(c.name);
        values << (c.kind == ColumnKind::Date
                       ? QStringLiteral("coalesce(%1, %2)").arg(isoOf(c.name), c.name)
                       : quotedName(c.name));
    }
    exec(db, QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %3 FROM %4")
                 .arg(fresh, names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")),
                      t.name));
    exec(db, QStringLiteral("DROP TABLE ") + t.name);
    exec(db, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(fresh, t.name));
    for (const QString& sql : dependents) {
        exec(db, sql);
    }
}

void rebuildOutdatedTables(sqlite3* db) {
    for (const QString& trigger :
         column(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' AND "
                                   "sql LIKE '%kdate(%'"))) {
        exec(db, QStringLiteral("DROP TRIGGER ") + quotedName(trigger));
    }
    for (const TableInfo& t : schemaCatalogue()) {
        if (outdated(db, t)) {
            rebuild(db, t);
        }
    }
}

// The columns of later versions that the file lacks. A file of version 0 may already hold some:
// a column is added only where it is missing.
void addColumns(sqlite3* db, int fromVersion) {
    for (const TableInfo& t : schemaCatalogue()) {
        for (const Column& c : t.columns) {
            if (c.sinceVersion <= fromVersion) {
                continue;
            }
            const QStringList present = column(
                db, QStringLiteral("SELECT name FROM pragma_table_info(%1)").arg(quoted(t.name)));
            if (!present.contains(c.name, Qt::CaseInsensitive)) {
                exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                             .arg(t.name, definition(t.name, c)));
            }
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

int currentSchemaVersion() {
    return kSchemaVersion;
}

QStringList indexStatements() {
    return QString::fromLatin1(kIndexes).split(u';', Qt::SkipEmptyParts);
}

const std::vector<TableInfo>& schemaCatalogue() {
    static const std::vector<TableInfo> tables{
        {QStringLiteral("datefirma"),
         {text("DESCRIERE"), text("NUME"), text("CODFISCAL"), integer("TVA"), text("NRJ"),
          text("SEDIU"), text("JUDET"), text("CONT"), text("BANCA"),
          text("LOC", 2)}},  // the own company's locality
        {QStringLiteral("firme"),
         {text("COD"),     text("DENUMIRE"),  date("DATAULMI"),
          number("SOLDD"), number("SOLDC"),   text("TIPSOLD"),
          number("SOLD"),  text("OBS"),       text("CODFISCAL"),
          text("LOC"),     text("CONTBANCA"), text("DENBANCA"),
          text("DELEGAT"), text("JUDET"),     text("BISERIA"),
          text("BINR"),    text("BIELIB"),    text("TRANS"),
          text("TRANSNR"), text("ADRESA", 2)}},  // the partner's street and number
        {QStringLiteral("facturi"),
         {text("CODFISCAL"), text("NRFACTURA"), date("DATA"), number("SUMA"), number("FARATVA"),
          number("PROCENTTVA"), number("TVA"), number("PLATIT"), number("RESTANT"),
          text("CODCLIENT"), text("FELFACTURA"),
          text("EXPLICATIE", 2),  // the text of the issued invoice's line
          // A private person invoiced: name, street and number, locality, county, CNP.
          text("NUMEPF", 2), text("ADRESAPF", 2), text("LOCPF", 2), text("JUDETPF", 2),
          text("CNPPF", 2),
          text("TEMEI", 4)},  // the legal basis of a 0 % invoice (books/VatExemption.h)
         true},
        {QStringLiteral("operatiuni"),
         {text("CODFISCAL"), date("DATA"), text("NRDOC"), text("FELOPERATIE"), text("EXPLICATIE"),
          number("SUMA"), number("FARATVA"), integer("BANCA"), integer("DEFALCARE"), text("TIP"),
          text("OBSERVATII"), integer("REGISTRU")},
         true},
        // A received invoice with several VAT rates: each rate's base and VAT, by the invoice's
        // supplier, number and date, which a backup carries.
        {QStringLiteral("cotefacturi"),
         {text("CODFISCAL"), text("CODCLIENT"), text("NRFACTURA"), date("DATA"),
          number("PROCENTTVA"), number("FARATVA"), number("TVA")},
         true},
        {QStringLiteral("numere"),
         {text("CODFISCAL"), integer("NRFACTURA"), integer("NRCHITANTA")},
         true},
        {QStringLiteral("defalcari"), {integer("ID"), text("DENUMIRE"), text("TIP")}},
        {QStringLiteral("iduridefalcari"), {integer("ID")}},
        {QStringLiteral("casieri"), {text("NUME"), text("CNP")}},
        {QStringLiteral("registru"),
         {text("DATA"), text("NRFACTURA"), text("DENUMIRE"), text("CODFISCAL"), text("SUMA"),
          text("SCUTITTVA"), text("FARATVA"), text("VALTVA"), text("FARATVA9"), text("VALTVA9"),
          text("SCUTITFARA")}},
        {QStringLiteral("jurnal"),
         {text("DATA"), text("NRDOC"), text("FELOPERATIE"), text("INCASARIN"), text("INCASARIB"),
          text("PLATIN"), text("PLATIB")}},
        {QStringLiteral("fisecumulate"), {text("DENUMIRE"), number("SUMALUNA"), number("SUMAAN")}},
        // An issued invoice (company, number, date) on the e-Factura platform: the file sent,
        // the upload index, the state, the download id, the platform's errors, when it was sent
        // and last asked, and the signed answer kept in the archive.
        {QStringLiteral("efacturastare"),
         {text("CODFISCAL"), text("NRFACTURA"), date("DATAFACTURA"), text("FISIER"),
          text("INDEXINCARCARE"), text("STARE"), text("IDDESCARCARE"), text("ERORI"),
          date("DATATRIMITERE"), date("DATASTARE"), text("ARHIVA")},
         true},
    };
    return tables;
}

const TableInfo& catalogueTable(const QString& name) {
    for (const TableInfo& t : schemaCatalogue()) {
        if (t.name == name) {
            return t;
        }
    }
    throw DbError(QStringLiteral("Tabela %1 nu exista").arg(name));
}

void registerSqlFunctions(sqlite3* db) {
    // Statements filter on these (where month(data)=3). Innocuous: nothing they do depends on
    // or changes the connection, so they stay usable where the schema is not trusted.
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "year", 1, flags, nullptr, &datePart<&Ymd::y>, nullptr, nullptr);
    sqlite3_create_function(db, "month", 1, flags, nullptr, &datePart<&Ymd::m>, nullptr, nullptr);
    sqlite3_create_function(db, "day", 1, flags, nullptr, &datePart<&Ymd::d>, nullptr, nullptr);
}

namespace {

// The books refuse a document row without its company. A backup file and its template keep
// them without: the company is given when they are restored. Added to books of any version
// that lack them, only when they do (opening stays a read).
void requireCompanies(sqlite3* db) {
    QString sql;
    QStringList names;
    for (const TableInfo& t : schemaCatalogue()) {
        if (t.ofCompany) {
            sql += companyTriggers(t.name);
            names << quoted(t.name + QStringLiteral("_fara_firma_ins"))
                  << quoted(t.name + QStringLiteral("_fara_firma_upd"));
        }
    }
    const QStringList present =
        column(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND "
                                  "name IN (%1)")
                       .arg(names.join(u',')));
    if (present.value(0).toLongLong() == names.size()) {
        return;
    }
    exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        exec(db, sql);
        exec(db, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void upgrade(sqlite3* db) {
    if (schemaVersion(db) >= kSchemaVersion) {
        return;
    }
    const LegacyFunctions legacy(db);
    exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        // Another program may have brought the file up to date while this one waited.
        const int version = schemaVersion(db);
        if (version < 7) {
            rebuildOutdatedTables(db);
        }
        // Tables of later versions are created whole; older ones gain their new columns.
        QString sql;
        for (const TableInfo& t : schemaCatalogue()) {
            sql +=
                QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2);").arg(t.name, firstColumns(t));
        }
        sql += QLatin1String(kIndexes);
        exec(db, sql);
        addColumns(db, version);
        exec(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
        exec(db, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

// The scratch tables a report fills and prints, private to the connection: two users filling
// the same report at once each read their own rows. The file's tables of the same names stay
// for older programs; the temporary ones hide them from every unqualified statement.
void createScratchTables(sqlite3* db) {
    for (const QString& name : scratchTables()) {
        const TableInfo& t = catalogueTable(name);
        QStringList columns;
        for (const Column& c : t.columns) {
            columns << definition(t.name, c);
        }
        exec(db, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS %1 (%2)")
                     .arg(t.name, columns.join(QStringLiteral(", "))));
    }
}

}  // namespace

const QStringList& scratchTables() {
    static const QStringList names{QStringLiteral("registru"), QStringLiteral("jurnal"),
                                   QStringLiteral("fisecumulate")};
    return names;
}

void applySchema(sqlite3* db, FileKind kind) {
    upgrade(db);
    if (kind == FileKind::Books) {
        requireCompanies(db);
        createScratchTables(db);
    }
}

}  // namespace kov
