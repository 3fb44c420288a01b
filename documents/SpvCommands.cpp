#include "documents/SpvCommands.h"

#include <QDir>
#include <QInputDialog>

#include "efactura/Archive.h"
#include "efactura/SpvArchive.h"
#include "efactura/SpvConnection.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace kov::efactura {

void showRun(const RunReport& report, const QString& title, const QString& empty) {
    QStringList text = report.lines;
    if (!report.stopped.isEmpty()) {
        text << QString() << report.stopped;
    }
    if (text.isEmpty()) {
        inform(empty, title);
    } else if (report.failed) {
        message(text.join(u'\n'), title);
    } else {
        inform(text.join(u'\n'), title);
    }
}

void sendToPlatform(const std::vector<Invoice>& invoices, const QString& title) {
    try {
        SpvClient client = openClient();
        showRun(sendInvoices(client, SelectedFiscalCode, invoices), title,
                QStringLiteral("Toate facturile din perioada sunt deja trimise."));
    } catch (const SpvError& e) {
        message(e.message(), title);
    }
}

void downloadReceived(QWidget* parent, const std::function<void(const QStringList&)>& importFiles) {
    const QString title = QStringLiteral("Descarcare facturi primite");
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(QStringLiteral("Facturile primite in ultimele zile (1-60):"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, 60);
    dialog.setIntValue(60);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Renuntare"));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QStringList files;
    RunReport report;
    try {
        SpvClient client = openClient();
        report = fetchReceived(client, SelectedFiscalCode, dialog.intValue(),
                               receivedFolder(archiveFolder()), files);
    } catch (const SpvError& e) {
        message(e.message(), title);
        return;
    }
    if (files.isEmpty()) {
        showRun(report, title, QStringLiteral("Nu exista facturi primite noi."));
        return;
    }
    if (report.failed) {
        showRun(report, title, {});
    }
    importFiles(files);
}

}  // namespace kov::efactura
