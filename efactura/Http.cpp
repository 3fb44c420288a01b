#include "efactura/Http.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <memory>

namespace kov::efactura {

namespace {

constexpr int kTimeoutMs = 120000;  // an upload of 5 MB on a slow line

template <typename Send>
HttpAnswer exchange(const Send& send) {
    QNetworkAccessManager manager;
    const std::unique_ptr<QNetworkReply> reply(send(manager));
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(kTimeoutMs);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    HttpAnswer answer;
    if (!reply->isFinished()) {
        reply->abort();
        return answer;
    }
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.body = reply->readAll();
    answer.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    if (reply->hasRawHeader("Retry-After")) {
        bool ok = false;
        const int seconds = reply->rawHeader("Retry-After").trimmed().toInt(&ok);
        answer.retryAfter = ok ? seconds : -1;
    }
    return answer;
}

}  // namespace

HttpAnswer httpGet(const QNetworkRequest& request) {
    return exchange([&](QNetworkAccessManager& m) { return m.get(request); });
}

HttpAnswer httpPost(const QNetworkRequest& request, const QByteArray& body) {
    return exchange([&](QNetworkAccessManager& m) { return m.post(request, body); });
}

}  // namespace kov::efactura
