#include "efactura/Import.h"

#include <QDir>
#include <QFileInfo>

#include "books/ReceivedInvoices.h"
#include "data/Database.h"
#include "efactura/Archive.h"

namespace kov::efactura {

namespace {

ReceivedRecord recordOf(const ReceivedInvoice& invoice) {
    ReceivedRecord r;
    const ReceivedParty& s = invoice.supplier;
    r.supplier = {s.name, s.fiscalCode, s.registration, s.street, s.locality, s.county, s.iban};
    r.number = invoice.number;
    r.date = invoice.date;
    r.total = invoice.total;
    r.net = invoice.net;
    r.vat = invoice.vat;
    for (const RateAmounts& a : invoice.rates) {
        r.rates.push_back({a.rate, a.base, a.vat});
    }
    r.explanation = explanationOf(invoice);
    return r;
}

ImportItem examine(const QString& company, const QString& file) {
    ImportItem item{file, std::nullopt, ImportState::Failed, {}};
    const ReadFile read = readReceivedFile(file);
    if (!read.invoice) {
        item.error = read.error;
        return item;
    }
    item.invoice = read.invoice;
    const ReceivedInvoice& invoice = *read.invoice;
    if (bareFiscalCode(invoice.buyer.fiscalCode) != bareFiscalCode(company)) {
        item.state = ImportState::NotForCompany;
        return item;
    }
    const QString supplier = supplierCode(invoice.supplier.fiscalCode);
    item.state =
        !supplier.isEmpty() && receivedRecorded(company, supplier, invoice.number, invoice.date)
            ? ImportState::AlreadyRecorded
            : ImportState::ToRecord;
    return item;
}

}  // namespace

QString explanationOf(const ReceivedInvoice& invoice) {
    if (invoice.lines.empty()) {
        return {};
    }
    QString text = invoice.lines.front().text.toUpper();
    if (invoice.lines.size() > 1) {
        text += QStringLiteral(" si alte %1").arg(invoice.lines.size() - 1);
    }
    return text;
}

QStringList receivedFiles(const QStringList& filesOrFolders) {
    QStringList out;
    for (const QString& path : filesOrFolders) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            out << path;
            continue;
        }
        const QDir folder(path);
        for (const QString& name :
             folder.entryList({QStringLiteral("*.zip"), QStringLiteral("*.xml"),
                               QStringLiteral("*.ZIP"), QStringLiteral("*.XML")},
                              QDir::Files, QDir::Name)) {
            out << folder.filePath(name);
        }
    }
    out.removeDuplicates();
    return out;
}

std::vector<ImportItem> examineReceivedFiles(const QString& company, const QStringList& files) {
    std::vector<ImportItem> items;
    for (const QString& file : files) {
        items.push_back(examine(company, file));
    }
    return items;
}

void recordReceivedFile(const QString& company, ImportItem& item, const QString& archiveFolder) {
    if (item.state != ImportState::ToRecord || !item.invoice) {
        return;
    }
    const ReceivedInvoice& invoice = *item.invoice;
    try {
        const std::optional<QString> supplier = recordReceived(company, recordOf(invoice));
        if (!supplier) {
            item.state = ImportState::AlreadyRecorded;
            return;
        }
        item.state = ImportState::Recorded;
        if (!archiveFolder.isEmpty()) {
            const QString target = receivedArchivePath(archiveFolder, *supplier, invoice.number,
                                                       invoice.date, QFileInfo(item.file).suffix());
            if (!archiveCopy(item.file, target)) {
                item.error =
                    QStringLiteral("nu s-a putut arhiva in ") + QDir::toNativeSeparators(target);
            }
        }
    } catch (const DbError& e) {
        item.state = ImportState::Failed;
        item.error = e.message();
    }
}

std::vector<ImportItem> importReceivedFiles(const QString& company,
                                            const QStringList& filesOrFolders,
                                            const QString& archiveFolder,
                                            const std::function<void(int, int)>& progress) {
    const QStringList files = receivedFiles(filesOrFolders);
    std::vector<ImportItem> items;
    int done = 0;
    for (const QString& file : files) {
        ImportItem item = examine(company, file);
        recordReceivedFile(company, item, archiveFolder);
        items.push_back(item);
        if (progress) {
            progress(++done, static_cast<int>(files.size()));
        }
    }
    return items;
}

QString stateText(const ImportItem& item) {
    switch (item.state) {
        case ImportState::ToRecord:
            return QStringLiteral("De inregistrat");
        case ImportState::AlreadyRecorded:
            return QStringLiteral("Deja inregistrata");
        case ImportState::NotForCompany:
            return QStringLiteral("Nu este pentru firma aleasa");
        case ImportState::Recorded:
            return QStringLiteral("Inregistrata");
        case ImportState::Failed:
            break;
    }
    return QStringLiteral("Eroare: ") + item.error;
}

}  // namespace kov::efactura
