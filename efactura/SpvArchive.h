#pragma once
// The platform's ZIP answers: what they hold.

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

}  // namespace kov::efactura
