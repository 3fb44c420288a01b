#pragma once
// Writing e-Factura files for issued invoices into the e-Factura folder: the folder kept in the
// settings (picked by the user the first time, changeable), the question before an existing
// file is replaced and the summary at the end.

#include <QString>
#include <vector>

#include "efactura/EFactura.h"

class QWidget;

namespace kov::efactura {

// The folder the files go to, known before anything is recorded: the one kept in the settings,
// or, when none is kept, the one the user picks now (then kept). Empty when the user cancels,
// or when the folder cannot be written (the user is told).
QString filesFolder(QWidget* parent = nullptr);

// "Dosar e-Factura": the user picks the folder for the next files.
void chooseFilesFolder(QWidget* parent = nullptr);

// Writes the invoices' files into the folder; returns the files written.
int saveFiles(const std::vector<Invoice>& invoices, const QString& folder);

// "Export e-Factura": the selected company's issued invoices for which the condition holds.
void exportIssued(const QString& condition);

}  // namespace kov::efactura
