#include "efactura/CallbackListener.h"

#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "efactura/SpvAuth.h"

namespace kov::efactura {

bool isLocalCallback(const QUrl& callback) {
    const QString host = callback.host();
    return host == QLatin1String("localhost") || host == QLatin1String("127.0.0.1");
}

QString waitForCode(const QUrl& callback, int timeoutMs, QString* error) {
    QTcpServer server;
    const quint16 port =
        static_cast<quint16>(callback.port(callback.scheme() == "https" ? 443 : 80));
    if (!server.listen(QHostAddress::LocalHost, port)) {
        if (error) {
            *error = QStringLiteral("Portul %1 nu poate fi ascultat: %2")
                         .arg(port)
                         .arg(server.errorString());
        }
        return {};
    }
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    QString code;
    QByteArray request;
    QObject::connect(&server, &QTcpServer::newConnection, &loop, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, &loop, [&, socket] {
            request += socket->readAll();
            if (!request.contains("\r\n")) {
                return;
            }
            const QByteArray target = request.left(request.indexOf("\r\n")).split(' ').value(1);
            code =
                codeFromAddress(QStringLiteral("http://localhost") + QString::fromLatin1(target));
            const QByteArray page = code.isEmpty()
                                        ? QByteArrayLiteral("Autorizarea nu a reusit.")
                                        : QByteArrayLiteral(
                                              "Autorizarea a reusit. Puteti inchide aceasta "
                                              "fereastra si reveni in Kovaline.");
            socket->write(
                "HTTP/1.1 200 OK\r\nContent-Type: text/plain; charset=utf-8\r\n"
                "Connection: close\r\nContent-Length: " +
                QByteArray::number(page.size()) + "\r\n\r\n" + page);
            socket->flush();
            socket->waitForBytesWritten(1000);
            socket->disconnectFromHost();
            loop.quit();
        });
    });
    loop.exec();
    return code;
}

}  // namespace kov::efactura
