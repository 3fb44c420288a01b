#pragma once
// Writing e-Factura files for issued invoices into a folder the user picks: the folder dialog,
// the question before an existing file is replaced and the summary at the end.

#include <QString>
#include <vector>

#include "efactura/EFactura.h"

class QWidget;

namespace kov::efactura {

// Asks for the folder (nothing written when the user cancels); returns the files written.
int saveFiles(const std::vector<Invoice>& invoices, QWidget* parent = nullptr);

// "Export e-Factura": the selected company's issued invoices for which the condition holds.
void exportIssued(const QString& condition);

}  // namespace kov::efactura
