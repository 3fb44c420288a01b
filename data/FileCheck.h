#pragma once
// Looks into a database file without connecting it: a connection brings the schema up to date,
// which would give any file the tables that a caller wants to find missing.

#include <QString>
#include <QStringList>

namespace kov {

// The column names of a table in a database file, upper case, in table order; empty when the
// file is not a readable database or holds no such table. The file is not changed.
QStringList tableColumns(const QString& path, const QString& table);

}  // namespace kov
