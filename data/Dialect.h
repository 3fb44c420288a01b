#pragma once
// The statements of the program are written once, in the embedded engine's dialect. What a
// database server needs differently is rewritten here, in one place.

#include <QString>
#include <vector>

#include "data/Backend.h"

namespace kov {

// The statement as the embedded engine runs it: "delete * from T" is "delete from T", and a
// row lock ("for update") goes: a write transaction already holds the whole file.
QString sqliteSql(const QString& sql);

// The statement without its row locks ("for update"), as the embedded engine's log shows it.
QString withoutRowLocks(const QString& sql);

// The statement as the server runs it: ? placeholders numbered ($1, $2, ...) outside quotes,
// LIKE without regard to case, NULLs sorted first in ascending order (last in descending) as
// the embedded engine sorts them, rowid as the hidden row id column (kov_rowid), "delete *"
// as above, PRAGMAs mapped (an empty result: nothing to run). Outside a transaction a SAVEPOINT
// starts one. Throws DbError for a PRAGMA the server has no equivalent of.
// placeholders, when given, receives their number.
QString postgresSql(const QString& sql, bool inTransaction = true, int* placeholders = nullptr);

// The books' date column the value of a placeholder (0: the first ?) goes into or is compared
// with, as "table.COLUMN"; empty when the statement does not show one. Inserts are read by
// their column lists (or the table's order), updates and filters by "COLUMN <op> value".
QString placeholderDateColumn(const QString& sql, int placeholder);

// Every quoted value of the statement that goes into or is compared with a date column, and
// is not a date in the stored form (yyyy-mm-dd): the column, as dateColumnAt gives it; empty
// when there is none. The server reads 5/3/2004, "today" or 20040305 as dates.
QString nonIsoDateColumn(const QString& sql);

// The statement with its values in place of the ? placeholders, as the statement log shows a
// run: numbers bare (a real number always with its decimal point), texts quoted, NULL.
QString withValues(const QString& sql, const std::vector<Value>& values);

// The name of the hidden row id column of a table on the server.
inline constexpr char kRowIdColumn[] = "kov_rowid";

}  // namespace kov
