#include "sales/EFacturaExport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "ui/Globals.h"
#include "ui/Messages.h"
#include "data/Values.h"
#include "efactura/EFacturaSource.h"

namespace kov::efactura {

namespace {

const QString kTitle = QStringLiteral("Export e-Factura");

// The program's own dialog, so that it looks and answers alike everywhere.
QString pickFolder(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Alegeti dosarul pentru fisierele e-Factura"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

QString invoiceName(const Invoice& invoice) {
    return QStringLiteral("Factura %1 din %2").arg(invoice.number, formatDate(invoice.date));
}

bool writeFile(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

}  // namespace

int saveFiles(const std::vector<Invoice>& invoices, QWidget* parent) {
    if (invoices.empty()) {
        message(QStringLiteral("Nu exista facturi emise in perioada selectata!"), kTitle);
        return 0;
    }
    const QString folder = pickFolder(parent);
    if (folder.isEmpty()) {
        return 0;
    }
    int written = 0;
    int kept = 0;
    QStringList refused;
    for (const Invoice& invoice : invoices) {
        const QStringList reasons = problems(invoice);
        if (!reasons.isEmpty()) {
            refused << invoiceName(invoice) + QStringLiteral(":\n  ") +
                           reasons.join(QStringLiteral("\n  "));
            continue;
        }
        const QString path = QDir(folder).filePath(fileName(invoice));
        if (QFileInfo::exists(path) &&
            message(QStringLiteral("Fisierul %1 exista deja. Il inlocuiti?")
                        .arg(QDir::toNativeSeparators(path)),
                    kTitle, Buttons::YesNo) != Answer::Yes) {
            ++kept;
            continue;
        }
        if (writeFile(path, toXml(invoice))) {
            ++written;
        } else {
            refused << invoiceName(invoice) + QStringLiteral(":\n  nu s-a putut scrie fisierul ") +
                           QDir::toNativeSeparators(path) + u'.';
        }
    }
    QString summary =
        (written == 1 ? QStringLiteral("A fost scris 1 fisier e-Factura")
                      : QStringLiteral("Au fost scrise %1 fisiere e-Factura").arg(written)) +
        QStringLiteral(" in ") + QDir::toNativeSeparators(folder) + u'.';
    if (kept > 0) {
        summary += QStringLiteral("\nFisiere existente pastrate: %1.").arg(kept);
    }
    if (!refused.isEmpty()) {
        summary += QStringLiteral("\n\nNu au putut fi exportate:\n") + refused.join(u'\n') +
                   QStringLiteral(
                       "\n\nDatele firmei proprii se completeaza din Fisier - Date firma, ale "
                       "clientului din fereastra firmei (Modificare delegat).");
    }
    message(summary, kTitle);
    return written;
}

void exportIssued(const QString& condition) {
    saveFiles(issuedInvoices(SelectedFiscalCode, condition));
}

}  // namespace kov::efactura
