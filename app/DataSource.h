#pragma once
// The data source of the books: the settings' section naming the database file (DBQ), and the
// file itself, made on the first start.

#include <QString>

inline const QString kDataSource = QStringLiteral("kodra");

// The database file: the one the data source names, or, on the first start, a new one. The
// empty template of the backups is made or brought up to date on the way.
QString mainDatabasePath();
