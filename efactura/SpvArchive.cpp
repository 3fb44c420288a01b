#include "efactura/SpvArchive.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <limits>

#include "data/Settings.h"
#include "efactura/Zip.h"

namespace kov::efactura {

std::vector<std::pair<QString, QByteArray>> zipEntries(const QByteArray& zip) {
    ZipReader archive(zip);
    std::vector<std::pair<QString, QByteArray>> out;
    for (bool more = archive.first(); more; more = archive.next()) {
        const std::optional<ZipEntry> entry = archive.entry();
        std::optional<QByteArray> content = archive.read(std::numeric_limits<qint64>::max());
        if (!content) {
            return {};
        }
        out.emplace_back(entry ? entry->name : QString(), std::move(*content));
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
