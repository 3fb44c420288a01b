#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct sqlite3;

namespace kov {

// How a column stores its values. Numbers refuse text; dates are stored as yyyy-mm-dd text.
enum class ColumnKind { Text, Number, Integer, Date };

struct Column {
    QString name;
    ColumnKind kind;
    int sinceVersion;  // 0: held by the first files; a later one: added, empty in older rows
};

struct TableInfo {
    QString name;
    std::vector<Column> columns;  // in table order
    // A document of one company: the schema refuses a row whose CODFISCAL is empty.
    bool ofCompany = false;
};

// Every table of the books with its columns, as a file of the current version holds them. The
// schema is created from it, and whatever copies the books (the backup) reads its columns here.
const std::vector<TableInfo>& schemaCatalogue();

// One table of the catalogue; throws DbError for a name it does not hold.
const TableInfo& catalogueTable(const QString& name);

// The tables a report fills before printing them; each books connection has its own.
const QStringList& scratchTables();

// The schema's version: PRAGMA user_version of a file, the version table on a server.
int currentSchemaVersion();

// The indexes of the books, one statement each (plain SQL both engines take).
QStringList indexStatements();

// The date functions of the statements: year(d), month(d), day(d).
void registerSqlFunctions(sqlite3* db);

// The books name the company of each document row; a backup file (and the empty file it is
// copied from) holds one company's rows without naming it.
enum class FileKind { Books, Backup };

// Brings a file up to the current schema (version in PRAGMA user_version): creates what is
// missing and rebuilds, rows kept, the tables of an older version. The books also refuse a
// document row without its company (rows already stored are kept). The schema itself uses only
// the engine's built-in functions, so any SQLite tool can check and write the file. A books
// connection also gets its own temporary scratch tables (scratchTables()).
void applySchema(sqlite3* db, FileKind kind);

}  // namespace kov
