#pragma once
// The national e-Factura platform's API: upload of an invoice, its state, the list of messages
// and the download of one. Each call waits for its answer (a local event loop), reads every
// shape the platform documents and turns anything else into an error naming the call.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <stdexcept>
#include <vector>

namespace kov::efactura {

class SpvError : public std::runtime_error {
  public:
    enum class Kind {
        Refused,       // the platform refused this one message; the others may go on
        Quota,         // a daily cap is reached: stop for today
        TooMany,       // too many calls a minute, still after waiting
        Unauthorized,  // no valid authorisation
        Answer,        // an answer the documentation does not give
        Offline,       // no answer at all
    };
    SpvError(Kind kind, const QString& message);
    Kind kind() const { return kind_; }
    QString message() const { return QString::fromUtf8(what()); }
    // Whether the run of calls must stop here (what is done is kept).
    bool stopsRun() const { return kind_ != Kind::Refused && kind_ != Kind::Answer; }

  private:
    Kind kind_;
};

// The state of an upload: "ok" or "nok" (both with the download id), "in prelucrare", or
// "XML cu erori nepreluat de sistem"; errors when the platform gives them with it.
struct UploadState {
    QString state;
    QString downloadId;
    QStringList errors;
};

// One message of the list.
struct SpvMessage {
    QString created;  // yyyyMMddhhmm
    QString cif;
    QString uploadIndex;
    QString details;
    QString type;  // "FACTURA PRIMITA", "FACTURA TRIMISA", "ERORI FACTURA", ...
    QString id;    // the download id
};

inline const QString kReceivedInvoice = QStringLiteral("FACTURA PRIMITA");

// The answers as the platform writes them; SpvError for an error shape or an unknown one.
QString parseUpload(const QByteArray& body);
UploadState parseState(const QByteArray& body);
std::vector<SpvMessage> parseMessages(const QByteArray& body);
// The errors of a refused invoice's answer file (the error XML in its ZIP).
QStringList parseInvoiceErrors(const QByteArray& body);

// The API base: KOVALINE_SPV_URL, or the test or production base of the platform.
QUrl apiBase(bool production);

class SpvClient {
  public:
    SpvClient(const QUrl& base, const QString& accessToken);

    // The upload index of the invoice; an invoice to a private person goes through uploadb2c.
    QString upload(const QByteArray& xml, const QString& sellerCode, bool toPerson);
    UploadState state(const QString& uploadIndex);
    // The messages of the last days (1..60) for the company; filter E, T, P or R, or empty.
    std::vector<SpvMessage> messages(int days, const QString& cif, const QString& filter = {});
    // The ZIP of a message.
    QByteArray download(const QString& downloadId);

    // Waits the seconds the platform asks after "too many calls"; replaceable in tests.
    std::function<void(int seconds)> wait;

  private:
    QByteArray call(const QString& name, const QString& path,
                    const QList<QPair<QString, QString>>& query, const QByteArray* body);

    QUrl base_;
    QString token_;
};

// The fiscal code as the platform takes it: digits only.
QString cifDigits(const QString& fiscalCode);

}  // namespace kov::efactura
