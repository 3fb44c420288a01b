#include "sales/EFacturaExport.h"

#include <QDir>
#include <QFileDialog>

#include "efactura/EFacturaFiles.h"
#include "efactura/EFacturaSource.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

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
    const Written written = writeFiles(invoices, folder, [](const QString& path) {
        return message(QStringLiteral("Fisierul %1 exista deja. Il inlocuiti?")
                           .arg(QDir::toNativeSeparators(path)),
                       kTitle, Buttons::YesNo) == Answer::Yes;
    });
    message(summary(written), kTitle);
    return written.files;
}

void exportIssued(const QString& condition) {
    saveFiles(issuedInvoices(SelectedFiscalCode, condition));
}

}  // namespace kov::efactura
