#pragma once
// The work with the e-Factura platform that the windows and the command line share: sending
// issued invoices, following their states to the signed answer, fetching received invoices.
// One line per invoice; a daily cap or too many calls stop the run and keep what is done.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "efactura/EFactura.h"
#include "efactura/SpvClient.h"

namespace kov::efactura {

struct RunReport {
    QStringList lines;  // one per invoice or message
    bool failed = false;
    QString stopped;  // why the run stopped before its end; empty when it went through
};

// Sends the invoices not yet sent or refused; the others are left as they are.
RunReport sendInvoices(SpvClient& client, const QString& fiscalCode,
                       const std::vector<Invoice>& invoices);

// Asks the platform for the invoices still waiting; an accepted one's signed ZIP goes to the
// archive under root, a refused one keeps the platform's errors.
RunReport followStates(SpvClient& client, const QString& fiscalCode, const QString& root);

// The received invoices of the last days (1..60) not fetched before, downloaded as <id>.zip
// into the folder; files lists those downloaded now.
RunReport fetchReceived(SpvClient& client, const QString& fiscalCode, int days,
                        const QString& folder, QStringList& files);

// Where received invoices are downloaded, under the archive root.
QString receivedFolder(const QString& root);

// "Factura <number> din <dd.mm.yyyy>"
QString invoiceLabel(const QString& number, const QDate& date);

}  // namespace kov::efactura
