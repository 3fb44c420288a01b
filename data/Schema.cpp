#include "data/Schema.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QDate>
#include <optional>

#include "data/Database.h"
#include "data/Values.h"

namespace kov {

namespace {

// Column kinds: numbers refuse text; dates are kept as yyyy-mm-dd so that they sort by time.
#define NUM(c) #c " REAL CHECK (typeof(" #c ") IN ('integer','real','null'))"
#define INT(c) #c " INTEGER CHECK (typeof(" #c ") IN ('integer','real','null'))"
#define DATE(c) #c " DATE CHECK (" #c " IS NULL OR kdate(" #c ") IS NOT NULL)"

// Date columns accept what the windows accept ('5.3.2004', '05.03.2004'); the trigger stores
// the converted form, and kdate() raises the engine error for a text that is not a date.
#define DATE_TRIGGERS(t, c)                                                                        \
    "CREATE TRIGGER IF NOT EXISTS " #t "_" #c "_ins AFTER INSERT ON " #t " WHEN NEW." #c           \
    " IS NOT kdate(NEW." #c ") BEGIN UPDATE " #t " SET " #c "=kdate(NEW." #c                       \
    ") WHERE rowid=NEW.rowid; END;"                                                                \
    "CREATE TRIGGER IF NOT EXISTS " #t "_" #c "_upd AFTER UPDATE OF " #c " ON " #t " WHEN NEW." #c \
    " IS NOT kdate(NEW." #c ") BEGIN UPDATE " #t " SET " #c "=kdate(NEW." #c                       \
    ") WHERE rowid=NEW.rowid; END;"

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS datefirma (DESCRIERE TEXT, NUME TEXT, CODFISCAL TEXT, " INT(TVA)
    ", NRJ TEXT, SEDIU TEXT, JUDET TEXT, CONT TEXT, BANCA TEXT);"
    "CREATE TABLE IF NOT EXISTS firme (COD TEXT, DENUMIRE TEXT, " DATE(DATAULMI) ", " NUM(SOLDD)
    ", " NUM(SOLDC) ", TIPSOLD TEXT, " NUM(SOLD)
    ", OBS TEXT, CODFISCAL TEXT, LOC TEXT, CONTBANCA TEXT, DENBANCA TEXT, DELEGAT TEXT, "
    "JUDET TEXT, BISERIA TEXT, BINR TEXT, BIELIB TEXT, TRANS TEXT, TRANSNR TEXT);"
    "CREATE TABLE IF NOT EXISTS facturi (CODFISCAL TEXT, NRFACTURA TEXT, " DATE(DATA) ", " NUM(
        SUMA) ", " NUM(FARATVA) ", " NUM(PROCENTTVA) ", " NUM(TVA) ", " NUM(PLATIT) ", " NUM(RESTANT)
    ", CODCLIENT TEXT, FELFACTURA TEXT);"
    "CREATE TABLE IF NOT EXISTS operatiuni (CODFISCAL TEXT, " DATE(DATA)
    ", NRDOC TEXT, FELOPERATIE TEXT, EXPLICATIE TEXT, " NUM(SUMA) ", " NUM(FARATVA) ", " INT(
        BANCA) ", " INT(DEFALCARE) ", TIP TEXT, OBSERVATII TEXT, " INT(REGISTRU) ");"
    "CREATE TABLE IF NOT EXISTS numere (CODFISCAL TEXT, " INT(NRFACTURA) ", " INT(NRCHITANTA) ");"
    "CREATE TABLE IF NOT EXISTS defalcari (" INT(ID) ", DENUMIRE TEXT, TIP TEXT);"
    "CREATE TABLE IF NOT EXISTS iduridefalcari (" INT(ID) ");"
    "CREATE TABLE IF NOT EXISTS casieri (NUME TEXT, CNP TEXT);"
    "CREATE TABLE IF NOT EXISTS registru (DATA TEXT, NRFACTURA TEXT, DENUMIRE TEXT, "
    "CODFISCAL TEXT, SUMA TEXT, SCUTITTVA TEXT, FARATVA TEXT, VALTVA TEXT, FARATVA9 TEXT, "
    "VALTVA9 TEXT);"
    "CREATE TABLE IF NOT EXISTS jurnal (DATA TEXT, NRDOC TEXT, FELOPERATIE TEXT, "
    "INCASARIN TEXT, INCASARIB TEXT, PLATIN TEXT, PLATIB TEXT);"
    "CREATE TABLE IF NOT EXISTS fisecumulate (DENUMIRE TEXT, " NUM(SUMALUNA) ", " NUM(
        SUMAAN) ");" DATE_TRIGGERS(firme, DATAULMI) DATE_TRIGGERS(facturi, DATA)
        DATE_TRIGGERS(operatiuni, DATA)
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

#undef NUM
#undef INT
#undef DATE
#undef DATE_TRIGGERS

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

void kdate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (const auto d = dateOf(argv[0])) {
        const QByteArray iso = isoDate(QDate(d->y, d->m, d->d)).toLatin1();
        sqlite3_result_text(ctx, iso.constData(), static_cast<int>(iso.size()), SQLITE_TRANSIENT);
        return;
    }
    const QByteArray msg = "'" +
                           QByteArray(reinterpret_cast<const char*>(sqlite3_value_text(argv[0]))) +
                           "' nu este o data valida";
    sqlite3_result_error(ctx, msg.constData(), static_cast<int>(msg.size()));
}

}  // namespace

void registerSqlFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "year", 1, flags, nullptr, &datePart<&Ymd::y>, nullptr, nullptr);
    sqlite3_create_function(db, "month", 1, flags, nullptr, &datePart<&Ymd::m>, nullptr, nullptr);
    sqlite3_create_function(db, "day", 1, flags, nullptr, &datePart<&Ymd::d>, nullptr, nullptr);
    sqlite3_create_function(db, "kdate", 1, flags, nullptr, &kdate, nullptr, nullptr);
}

void applySchema(sqlite3* db) {
    char* error = nullptr;
    if (sqlite3_exec(db, kSchema, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : "schema");
        sqlite3_free(error);
        throw DbError(message);
    }
}

}  // namespace kov
