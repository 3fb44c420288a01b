#include "efactura/SpvRun.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "data/Values.h"
#include "efactura/Archive.h"
#include "efactura/SpvArchive.h"
#include "efactura/SpvStates.h"

namespace kov::efactura {

namespace {

// A run goes on past an error of one invoice; a daily cap, too many calls, no answer or no
// authorisation end it.
bool handled(const SpvError& e, const QString& label, RunReport& report) {
    report.failed = true;
    if (e.stopsRun()) {
        report.stopped = e.message();
        return false;
    }
    report.lines << label + QStringLiteral(": ") + e.message();
    return true;
}

// Reads the answer of an ok or nok state: the signed ZIP into the archive, or the errors.
void fetchAnswer(SpvClient& client, const QString& fiscalCode, const QString& root, InvoiceState& s,
                 RunReport& report) {
    const QString label = invoiceLabel(s.number, s.date);
    const QByteArray zip = client.download(s.downloadId);
    if (s.state == kAccepted) {
        const QString target =
            issuedArchivePath(root, fiscalCode, s.number, s.date, QStringLiteral("zip"));
        if (!archiveWrite(zip, target)) {
            report.failed = true;
            report.lines << label +
                                QStringLiteral(
                                    ": acceptata; raspunsul semnat nu poate fi "
                                    "scris in arhiva ") +
                                QDir::toNativeSeparators(root);
            return;
        }
        s.archive = target;
        saveState(fiscalCode, s);
        report.lines << label + QStringLiteral(": acceptata, ") +
                            QDir::toNativeSeparators(s.archive);
        return;
    }
    const QStringList errors = parseInvoiceErrors(answerFile(zip));
    s.errors =
        errors.isEmpty() ? QStringLiteral("fara detalii de la platforma") : errors.join(u'\n');
    saveState(fiscalCode, s);
    report.failed = true;
    report.lines << label + QStringLiteral(": ") + stateText(s);
}

}  // namespace

QString invoiceLabel(const QString& number, const QDate& date) {
    return QStringLiteral("Factura %1 din %2").arg(number, formatDate(date));
}

RunReport sendInvoices(SpvClient& client, const QString& fiscalCode,
                       const std::vector<Invoice>& invoices) {
    RunReport report;
    for (const Invoice& invoice : invoices) {
        const QString label = invoiceLabel(invoice.number, invoice.date);
        if (!needsSending(loadState(fiscalCode, invoice.number, invoice.date))) {
            continue;
        }
        if (const QStringList reasons = problems(invoice); !reasons.isEmpty()) {
            report.failed = true;
            report.lines << label + QStringLiteral(": nu poate fi trimisa: ") +
                                reasons.join(QStringLiteral("; "));
            continue;
        }
        InvoiceState s;
        s.number = invoice.number;
        s.date = invoice.date;
        s.file = fileName(invoice);
        s.sent = s.asked = QDate::currentDate();
        try {
            s.uploadIndex =
                client.upload(toXml(invoice), invoice.seller.fiscalCode, invoice.buyer.person);
            s.state = kPending;
            saveState(fiscalCode, s);
            report.lines << label + QStringLiteral(": trimisa, index ") + s.uploadIndex;
        } catch (const SpvError& e) {
            if (e.kind() == SpvError::Kind::Refused) {
                s.state = kRefused;
                s.errors = e.message();
                saveState(fiscalCode, s);
            }
            if (!handled(e, label, report)) {
                break;
            }
        }
    }
    return report;
}

RunReport followStates(SpvClient& client, const QString& fiscalCode, const QString& root) {
    RunReport report;
    for (InvoiceState s : openStates(fiscalCode)) {
        const QString label = invoiceLabel(s.number, s.date);
        try {
            if (s.state == kPending) {
                const UploadState answer = client.state(s.uploadIndex);
                s.asked = QDate::currentDate();
                if (answer.state == kPending) {
                    saveState(fiscalCode, s);
                    report.lines << label + QStringLiteral(": ") + kPending;
                    continue;
                }
                // Kept before the download, so that a cap on downloads loses nothing.
                s.downloadId = answer.downloadId;
                if (answer.state == kAccepted || answer.state == kRejected) {
                    s.state = answer.state;
                    s.errors = answer.errors.join(u'\n');
                } else {  // refused at the upload: the platform's words are the reason
                    s.state = kRefused;
                    s.errors = answer.state;
                }
                saveState(fiscalCode, s);
                if (s.state == kRefused || (s.state == kRejected && !s.errors.isEmpty())) {
                    report.failed = true;
                    report.lines << label + QStringLiteral(": ") + stateText(s);
                    continue;
                }
            }
            fetchAnswer(client, fiscalCode, root, s, report);
        } catch (const SpvError& e) {
            if (!handled(e, label, report)) {
                break;
            }
        }
    }
    return report;
}

QString receivedFolder(const QString& root) {
    return root + QStringLiteral("/descarcate");
}

RunReport fetchReceived(SpvClient& client, const QString& fiscalCode, int days,
                        const QString& folder, QStringList& files) {
    RunReport report;
    std::vector<SpvMessage> messages;
    try {
        messages = client.messages(std::clamp(days, 1, 60), fiscalCode, QStringLiteral("P"));
    } catch (const SpvError& e) {
        report.failed = true;
        report.stopped = e.message();
        return report;
    }
    if (!QDir().mkpath(folder)) {
        report.failed = true;
        report.stopped =
            QStringLiteral("Dosarul %1 nu poate fi creat").arg(QDir::toNativeSeparators(folder));
        return report;
    }
    for (const SpvMessage& m : messages) {
        if (m.type != kReceivedInvoice) {
            continue;
        }
        const QString label = QStringLiteral("Mesaj %1 (%2)").arg(m.id, m.details);
        const QString path = folder + u'/' + m.id + QStringLiteral(".zip");
        if (QFileInfo::exists(path)) {
            continue;  // fetched before
        }
        try {
            const QByteArray zip = client.download(m.id);
            QSaveFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(zip) != zip.size() ||
                !file.commit()) {
                report.failed = true;
                report.stopped = QStringLiteral("Fisierul %1 nu poate fi scris")
                                     .arg(QDir::toNativeSeparators(path));
                break;
            }
            files << path;
            report.lines << label + QStringLiteral(": descarcata");
        } catch (const SpvError& e) {
            if (!handled(e, label, report)) {
                break;
            }
        }
    }
    return report;
}

}  // namespace kov::efactura
