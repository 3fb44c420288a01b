#pragma once
// A stand-in of the national e-Factura platform for the tests: an HTTP server on 127.0.0.1 in
// this process answering the identity provider's and the API's calls with the documented
// shapes. Each uploaded invoice's fate is chosen by its number.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QUrlQuery>
#include <vector>

class QTcpSocket;

namespace kov::test {

struct FakeRequest {
    QByteArray method;
    QString path;  // without the query
    QUrlQuery query;
    QHash<QByteArray, QByteArray> headers;  // names in lower case
    QByteArray body;
};

// What an uploaded invoice comes to.
enum class Fate { Accepted, Rejected, NotTaken, RefusedAtUpload };

// The own company 1234567, a partner firm, one without an address, and six invoices of March
// 2026 (101 to 106) and one of April: 106 cannot be written (its client has no address).
QStringList monthStatements();

// A ZIP of the given files, names and contents.
QByteArray makeZip(const std::vector<std::pair<QString, QByteArray>>& files);

// The platform's signature file: the document repeated, with an enveloped signature.
QByteArray signedCopy(const QByteArray& document);

class FakePlatform : public QObject {
  public:
    FakePlatform();
    QString apiUrl() const;    // the API base, for KOVALINE_SPV_URL
    QString oauthUrl() const;  // the identity provider, for KOVALINE_SPV_OAUTH_URL

    // Set-up
    QHash<QString, Fate> fates;  // by invoice number; Accepted when absent
    QString clientId = QStringLiteral("id-aplicatie");
    QString clientSecret = QStringLiteral("secret-aplicatie");
    QString validAccess = QStringLiteral("acces-1");
    int tooMany = 0;           // the next calls answered 429
    bool downloadCap = false;  // "S-au facut deja 10 descarcari..."
    bool stateCap = false;     // "S-au facut deja 20 descarcari..."
    // Received invoices offered by the list: download id -> the invoice's XML.
    std::vector<std::pair<QString, QByteArray>> received;

    // What happened
    std::vector<FakeRequest> requests;
    QHash<QString, QByteArray> uploads;  // index -> XML
    QHash<QString, QByteArray> served;   // download id -> ZIP served

    QStringList paths() const;  // "GET stareMesaj", ... in order

  private:
    struct Answer {
        int status = 200;
        QByteArray type = "application/xml";
        QByteArray body;
        QByteArray headers;
    };
    void serve(QTcpSocket* socket);
    Answer answer(const FakeRequest& r);
    Answer token(const FakeRequest& r);
    Answer api(const FakeRequest& r);

    QTcpServer server_;
    int nextIndex_ = 5001;
    QHash<QString, QString> numbers_;  // index -> invoice number
    QHash<QString, int> asked_;        // index -> stareMesaj calls
    int tokenCount_ = 1;
    QHash<QTcpSocket*, QByteArray> buffers_;
};

}  // namespace kov::test
