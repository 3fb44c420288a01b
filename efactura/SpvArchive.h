#pragma once
// The platform's ZIP answers: what they hold, and the signed answer of an issued invoice kept
// in the archive of the e-Factura folder.

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace kov::efactura {

// The files of a ZIP, names and contents; empty when it cannot be read.
std::vector<std::pair<QString, QByteArray>> zipEntries(const QByteArray& zip);

// The answer file of a platform ZIP: the invoice, or the error file, and not the signature
// ("semnatura_<N>.xml"), which repeats it with the platform's signature.
QByteArray answerFile(const QByteArray& zip);

// The e-Factura folder: the one kept in the settings, or the default one.
QString archiveRoot();

// Writes the signed ZIP of an issued invoice as emise/<baseName>.zip under the root, never over
// an existing file (a different one gets "_2", "_3", ...); the same file is not written twice.
// Returns the path; empty when it cannot be written.
QString archiveIssued(const QString& root, const QString& baseName, const QByteArray& zip);

}  // namespace kov::efactura
