#include "data/FileCheck.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

namespace kov {

QStringList tableColumns(const QString& path, const QString& table) {
    if (!QFileInfo(path).isFile()) {
        return {};  // opening would create it
    }
    sqlite3* db = nullptr;
    QStringList columns;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "select name from pragma_table_info(?1)", -1, &stmt, nullptr) ==
            SQLITE_OK) {
            const QByteArray name = table.toUtf8();
            sqlite3_bind_text(stmt, 1, name.constData(), static_cast<int>(name.size()),
                              SQLITE_TRANSIENT);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                columns << QString::fromUtf8(
                               reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)))
                               .toUpper();
            }
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return columns;
}

}  // namespace kov
