#pragma once
// The secrets of the e-Factura connection (client secret, tokens) kept in the system keyring,
// or, where no keyring answers, in a file only the user can read.

#include <QByteArray>
#include <QString>

namespace kov::efactura {

// Empty when nothing is kept.
QByteArray readSecret(const QString& key);
void writeSecret(const QString& key, const QByteArray& value);

// The file used where no keyring answers.
QString secretFile(const QString& key);

}  // namespace kov::efactura
