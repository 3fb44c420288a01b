#pragma once
// Importing received e-Factura files into a company's books: each file read and judged first
// (to record, already recorded, not for this company, or refused with its reason), then the
// chosen ones recorded, one transaction per invoice, and archived as delivered. A bad file
// never writes anything and never stops the others.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "efactura/ReceivedFile.h"

namespace kov::efactura {

enum class ImportState { ToRecord, AlreadyRecorded, NotForCompany, Failed, Recorded };

struct ImportItem {
    QString file;
    std::optional<ReceivedInvoice> invoice;
    ImportState state = ImportState::Failed;
    QString error;  // the reason of a failed file
};

// The files given, a folder standing for its .zip and .xml files, in name order.
QStringList receivedFiles(const QStringList& filesOrFolders);

// Reads and judges each file for the company; writes nothing.
std::vector<ImportItem> examineReceivedFiles(const QString& company, const QStringList& files);

// Records one file judged ToRecord (judged again inside its transaction) and archives it into
// the archive folder (none: not archived). The item's state becomes Recorded, AlreadyRecorded,
// or Failed with the reason.
void recordReceivedFile(const QString& company, ImportItem& item, const QString& archiveFolder);

// Examines and records every file; the progress callback hears (done, count).
std::vector<ImportItem> importReceivedFiles(
    const QString& company, const QStringList& filesOrFolders, const QString& archiveFolder,
    const std::function<void(int done, int count)>& progress = {});

// "Deja inregistrata", "Eroare: <reason>", ...: the state as the import window shows it.
QString stateText(const ImportItem& item);

// The explanation recorded: the first line's text, "si alte N" when there are more.
QString explanationOf(const ReceivedInvoice& invoice);

}  // namespace kov::efactura
