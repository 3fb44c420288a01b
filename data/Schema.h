#pragma once

struct sqlite3;

namespace kov {

// Creates whatever tables, indexes and triggers are missing and registers the date functions.
void registerSqlFunctions(sqlite3* db);
void applySchema(sqlite3* db);

}  // namespace kov
