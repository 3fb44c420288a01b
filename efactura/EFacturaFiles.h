#pragma once
// Writing e-Factura files of issued invoices into a folder: one file per invoice, an existing
// file replaced only when the caller says so, the invoices that cannot be written kept with
// their reasons, and the summary the user reads afterwards.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "efactura/EFactura.h"

namespace kov::efactura {

// What writing the files did.
struct Written {
    QString folder;
    int files = 0;        // files written
    int kept = 0;         // existing files left as they were
    QStringList refused;  // "Factura <number> din <date>:\n  <reason>", one per invoice
};

// Whether files can be written into the folder, made when missing: a file is created in it and
// removed again.
bool writableFolder(const QString& folder);

// Writes the file of each invoice without problems() into the folder. An existing file is
// replaced only when replace(path) answers true. Each file written is also archived under the
// folder's emise/.
Written writeFiles(const std::vector<Invoice>& invoices, const QString& folder,
                   const std::function<bool(const QString& path)>& replace);

// The summary of what was written, kept and refused, with where to complete refused data.
QString summary(const Written& written);

}  // namespace kov::efactura
