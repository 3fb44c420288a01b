#pragma once

struct sqlite3;

namespace kov {

// The date functions of the statements: year(d), month(d), day(d).
void registerSqlFunctions(sqlite3* db);

// Brings a file up to the current schema (version in PRAGMA user_version): creates what is
// missing and rebuilds, rows kept, the tables of an older version. The schema itself uses only
// the engine's built-in functions, so any SQLite tool can check and write the file.
void applySchema(sqlite3* db);

}  // namespace kov
