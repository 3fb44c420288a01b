#pragma once
// The windows' side of the work with the e-Factura platform: sending invoices, fetching the
// received ones, and showing what a run did.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "efactura/EFactura.h"
#include "efactura/SpvRun.h"

class QWidget;

namespace kov::efactura {

// The run's lines in one box: information when nothing failed, a warning otherwise, with why
// the run stopped at its end. The empty text when there is no line at all.
void showRun(const RunReport& report, const QString& title, const QString& empty);

// Sends the invoices not yet accepted and shows what happened.
void sendToPlatform(const std::vector<Invoice>& invoices, const QString& title);

// "Descarcare facturi primite": the received invoices of the last days the user gives, those
// not fetched before downloaded and handed to the import.
void downloadReceived(QWidget* parent, const std::function<void(const QStringList&)>& importFiles);

}  // namespace kov::efactura
