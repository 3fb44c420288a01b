#pragma once
// The e-Factura archive kept in the e-Factura folder: the received files under
// primite/<supplier code>/, the issued ones under emise/<own fiscal code>/, each named
// <number>_<yyyy-mm-dd>.<ext>. A file once archived is never overwritten.

#include <QByteArray>
#include <QDate>
#include <QString>

namespace kov::efactura {

// Where the settings keep the e-Factura folder.
inline const QString kFolderSection = QStringLiteral("EFactura");
inline const QString kFolderKey = QStringLiteral("Dosar");

// The e-Factura folder of the settings, or the default one when none is kept.
QString archiveFolder();

// "<number>_<yyyy-mm-dd>.<ext>", with characters that cannot stand in a file name replaced.
QString archiveName(const QString& number, const QDate& date, const QString& extension);

// Where a received file goes; its extension is the delivered file's.
QString receivedArchivePath(const QString& folder, const QString& supplierCode,
                            const QString& number, const QDate& date, const QString& extension);
QString issuedArchivePath(const QString& folder, const QString& ownFiscalCode,
                          const QString& number, const QDate& date, const QString& extension);

// Copies a file, or writes a content, to its archive path, folders made as needed. A file
// already there is kept as it is. False when the file could not be written.
bool archiveCopy(const QString& source, const QString& target);
bool archiveWrite(const QByteArray& content, const QString& target);

}  // namespace kov::efactura
