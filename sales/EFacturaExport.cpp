#include "sales/EFacturaExport.h"

#include <QDir>
#include <QFileDialog>

#include "data/Settings.h"
#include "efactura/Archive.h"
#include "efactura/EFacturaFiles.h"
#include "efactura/EFacturaSource.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace kov::efactura {

namespace {

const QString kTitle = QStringLiteral("Export e-Factura");
const QString& kSection = kFolderSection;
const QString& kFolder = kFolderKey;

// The program's own dialog, so that it looks and answers alike everywhere.
QString pickFolder(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent, QStringLiteral("Alegeti dosarul pentru fisierele e-Factura"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

// A folder that cannot take the files is refused, with its path.
bool refusedFolder(const QString& folder) {
    if (writableFolder(folder)) {
        return false;
    }
    message(
        QStringLiteral("Dosarul e-Factura nu poate fi scris: ") + QDir::toNativeSeparators(folder),
        kTitle);
    return true;
}

// Asks for the folder, starting at the one kept (or at the default one, beside the books), and
// keeps a folder that can be written. Empty when none was kept.
QString choose(QWidget* parent) {
    SettingsStore store;
    QString start = store.value(kSection, kFolder);
    if (start.isEmpty()) {
        start = defaultEFacturaFolder();
        QDir().mkpath(start);
    }
    const QString folder = pickFolder(parent, start);
    if (folder.isEmpty() || refusedFolder(folder)) {
        return {};
    }
    try {
        store.setValue(kSection, kFolder, folder);
    } catch (const SettingsError& e) {
        message(QString::fromUtf8(e.what()), QStringLiteral("Eroare!"));
        return {};
    }
    return folder;
}

}  // namespace

QString filesFolder(QWidget* parent) {
    const QString kept = SettingsStore().value(kSection, kFolder);
    if (kept.isEmpty()) {
        return choose(parent);
    }
    return refusedFolder(kept) ? QString() : kept;
}

void chooseFilesFolder(QWidget* parent) {
    choose(parent);
}

int saveFiles(const std::vector<Invoice>& invoices, const QString& folder) {
    const Written written = writeFiles(invoices, folder, [](const QString& path) {
        return message(QStringLiteral("Fisierul %1 exista deja. Il inlocuiti?")
                           .arg(QDir::toNativeSeparators(path)),
                       kTitle, Buttons::YesNo) == Answer::Yes;
    });
    // Invoices left out are a warning; every file written is a success.
    if (written.refused.isEmpty()) {
        inform(summary(written), kTitle);
    } else {
        message(summary(written), kTitle);
    }
    return written.files;
}

void exportIssued(const QString& condition) {
    const std::vector<Invoice> invoices = issuedInvoices(SelectedFiscalCode, condition);
    if (invoices.empty()) {
        message(QStringLiteral("Nu exista facturi emise in perioada selectata!"), kTitle);
        return;
    }
    const QString folder = filesFolder();
    if (!folder.isEmpty()) {
        saveFiles(invoices, folder);
    }
}

}  // namespace kov::efactura
