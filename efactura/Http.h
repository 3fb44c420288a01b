#pragma once
// One HTTP exchange run to its end before returning: the callers are windows and the command
// line, which wait for the answer anyway. Secrets travel in headers and never in a message.

#include <QByteArray>
#include <QList>
#include <QNetworkRequest>
#include <QPair>

namespace kov::efactura {

struct HttpAnswer {
    int status = 0;  // 0: no answer (network error or time out)
    QByteArray body;
    QByteArray contentType;
    int retryAfter = -1;  // seconds, when the server says
};

HttpAnswer httpGet(const QNetworkRequest& request);
HttpAnswer httpPost(const QNetworkRequest& request, const QByteArray& body);

}  // namespace kov::efactura
