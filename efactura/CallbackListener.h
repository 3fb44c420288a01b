#pragma once
// The one-shot local listener that takes the authorisation code when the callback address is
// on this computer: the browser is sent back to it after the sign-in.

#include <QString>
#include <QUrl>

namespace kov::efactura {

// Whether the callback address points at this computer.
bool isLocalCallback(const QUrl& callback);

// Listens on the callback's port until the first request arrives or the time runs out, answers
// it with a short page, and returns the code it carries (empty when none came). The error, when
// the port cannot be taken, in *error.
QString waitForCode(const QUrl& callback, int timeoutMs, QString* error = nullptr);

}  // namespace kov::efactura
