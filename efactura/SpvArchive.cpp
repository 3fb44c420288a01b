#include "efactura/SpvArchive.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "data/Settings.h"

namespace kov::efactura {

std::vector<std::pair<QString, QByteArray>> zipEntries(const QByteArray& zip) {
    QByteArray data = zip;
    QBuffer buffer(&data);
    QuaZip archive(&buffer);
    std::vector<std::pair<QString, QByteArray>> out;
    if (!archive.open(QuaZip::mdUnzip)) {
        return out;
    }
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFile file(&archive);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        out.emplace_back(archive.getCurrentFileName(), file.readAll());
    }
    return out;
}

QByteArray answerFile(const QByteArray& zip) {
    for (const auto& [name, content] : zipEntries(zip)) {
        if (!name.startsWith(QLatin1String("semnatura_"), Qt::CaseInsensitive) &&
            name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)) {
            return content;
        }
    }
    return {};
}

}  // namespace kov::efactura
