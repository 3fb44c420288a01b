#include "app/DataSource.h"

#include <QFileInfo>

#include "data/Database.h"
#include "data/Settings.h"

QString mainDatabasePath() {
    kov::SettingsStore store;
    QString path = store.value(kDataSource, QStringLiteral("DBQ"));
    if (path.isEmpty()) {
        path = kov::defaultDatabasePath();
        if (!QFileInfo::exists(path)) {
            kov::createDatabaseFile(path);
        }
        store.setValue(kDataSource, QStringLiteral("DBQ"), path);
    }
    const QString templatePath = kov::installFile(QStringLiteral("BazaGoala.mdb"));
    if (!QFileInfo::exists(templatePath)) {
        kov::createDatabaseFile(templatePath);
    } else {
        kov::upgradeDatabaseFile(templatePath);  // restores copy it as it is
    }
    return path;
}
