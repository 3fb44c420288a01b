#include "efactura/Archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "data/Settings.h"
#include "data/Values.h"

namespace kov::efactura {

namespace {

QString safe(QString part) {
    for (QChar& c : part) {
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) {
            c = QLatin1Char('_');
        }
    }
    return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")
               ? QStringLiteral("_")
               : part;
}

QString archivePath(const QString& folder, const QString& kind, const QString& party,
                    const QString& number, const QDate& date, const QString& extension) {
    // "RO123" and "123" are one party: the folder is named by the code without "RO".
    QString code = party.trimmed();
    if (code.startsWith(QLatin1String("RO"), Qt::CaseInsensitive)) {
        code = code.mid(2).trimmed();
    }
    return QDir(folder).filePath(kind + u'/' + safe(code) + u'/' +
                                 archiveName(number, date, extension.toLower()));
}

bool makeFolder(const QString& target) {
    return QDir().mkpath(QFileInfo(target).absolutePath());
}

}  // namespace

QString archiveFolder() {
    const QString kept = SettingsStore().value(kFolderSection, kFolderKey);
    return kept.isEmpty() ? defaultEFacturaFolder() : kept;
}

QString archiveName(const QString& number, const QDate& date, const QString& extension) {
    return safe(number) + QLatin1Char('_') + isoDate(date) + u'.' + extension;
}

QString receivedArchivePath(const QString& folder, const QString& supplierCode,
                            const QString& number, const QDate& date, const QString& extension) {
    return archivePath(folder, QStringLiteral("primite"), supplierCode, number, date, extension);
}

QString issuedArchivePath(const QString& folder, const QString& ownFiscalCode,
                          const QString& number, const QDate& date, const QString& extension) {
    return archivePath(folder, QStringLiteral("emise"), ownFiscalCode, number, date, extension);
}

bool archiveCopy(const QString& source, const QString& target) {
    if (QFileInfo::exists(target)) {
        return true;
    }
    return makeFolder(target) && QFile::copy(source, target);
}

bool archiveWrite(const QByteArray& content, const QString& target) {
    if (QFileInfo::exists(target)) {
        return true;
    }
    if (!makeFolder(target)) {
        return false;
    }
    QSaveFile file(target);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

}  // namespace kov::efactura
