#include "efactura/EFacturaFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include "data/Values.h"
#include "efactura/Archive.h"

namespace kov::efactura {

namespace {

QString invoiceName(const Invoice& invoice) {
    return QStringLiteral("Factura %1 din %2").arg(invoice.number, formatDate(invoice.date));
}

bool writeFile(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

}  // namespace

bool writableFolder(const QString& folder) {
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        return false;
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("kovaline-XXXXXX.tmp")));
    return probe.open();  // removed when it goes out of scope
}

Written writeFiles(const std::vector<Invoice>& invoices, const QString& folder,
                   const std::function<bool(const QString& path)>& replace) {
    Written out;
    out.folder = folder;
    for (const Invoice& invoice : invoices) {
        const QStringList reasons = problems(invoice);
        if (!reasons.isEmpty()) {
            out.refused << invoiceName(invoice) + QStringLiteral(":\n  ") +
                               reasons.join(QStringLiteral("\n  "));
            continue;
        }
        const QString path = QDir(folder).filePath(fileName(invoice));
        if (QFileInfo::exists(path) && !replace(path)) {
            ++out.kept;
            continue;
        }
        const QByteArray xml = toXml(invoice);
        if (writeFile(path, xml)) {
            ++out.files;
            // The archive keeps the first file of each invoice, whatever the folder receives later.
            archiveWrite(xml, issuedArchivePath(folder, invoice.seller.fiscalCode, invoice.number,
                                                invoice.date, QStringLiteral("xml")));
        } else {
            out.refused << invoiceName(invoice) +
                               QStringLiteral(":\n  nu s-a putut scrie fisierul ") +
                               QDir::toNativeSeparators(path) + u'.';
        }
    }
    return out;
}

QString summary(const Written& written) {
    QString text =
        (written.files == 1
             ? QStringLiteral("A fost scris 1 fisier e-Factura")
             : QStringLiteral("Au fost scrise %1 fisiere e-Factura").arg(written.files)) +
        QStringLiteral(" in ") + QDir::toNativeSeparators(written.folder) + u'.';
    if (written.kept > 0) {
        text += QStringLiteral("\nFisiere existente pastrate: %1.").arg(written.kept);
    }
    if (!written.refused.isEmpty()) {
        text += QStringLiteral("\n\nNu au putut fi exportate:\n") + written.refused.join(u'\n') +
                QStringLiteral(
                    "\n\nDatele firmei proprii se completeaza din Fisier - Date firma, ale "
                    "clientului din fereastra firmei (Modificare delegat).");
    }
    return text;
}

}  // namespace kov::efactura
