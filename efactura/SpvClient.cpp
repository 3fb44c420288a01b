#include "efactura/SpvClient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <QUrlQuery>
#include <QXmlStreamReader>
#include <algorithm>

#include "efactura/Http.h"

namespace kov::efactura {

namespace {

const QString kUploadNs = QStringLiteral("mfp:anaf:dgti:spv:respUploadFisier:v1");
const QString kStateNs = QStringLiteral("mfp:anaf:dgti:efactura:stareMesajFactura:v1");
const QString kInvoiceErrorsNs = QStringLiteral("mfp:anaf:dgti:efactura:mesajEroriFactuta:v1");

constexpr int kAttempts = 3;      // calls after "too many calls" before giving up
constexpr int kDefaultWait = 60;  // the platform counts calls per minute
constexpr int kLongestWait = 120;

[[noreturn]] void unexpected(const QString& call, const QString& what) {
    throw SpvError(SpvError::Kind::Answer,
                   QStringLiteral("Raspuns neasteptat de la platforma e-Factura la apelul %1: %2")
                       .arg(call, what));
}

// A business error the platform words itself; the daily caps stop the run.
[[noreturn]] void refused(const QString& call, const QStringList& errors) {
    const QString text = errors.join(QStringLiteral("; "));
    const bool cap = text.contains(QLatin1String("S-au facut deja"), Qt::CaseInsensitive) ||
                     text.contains(QLatin1String("limita"), Qt::CaseInsensitive);
    if (cap) {
        throw SpvError(SpvError::Kind::Quota,
                       QStringLiteral("Platforma e-Factura a oprit apelurile %1 pentru azi: %2. "
                                      "Ce s-a facut pana acum este pastrat; continuati maine.")
                           .arg(call, text));
    }
    throw SpvError(SpvError::Kind::Refused, text);
}

// The root element of the answer with its attributes, and the errorMessage of its children.
struct XmlAnswer {
    QString ns;
    QXmlStreamAttributes attributes;
    QStringList errors;
};

XmlAnswer readXml(const QString& call, const QByteArray& body) {
    QXmlStreamReader xml(body);
    XmlAnswer out;
    bool root = true;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (root) {
            if (xml.name() != QLatin1String("header")) {
                unexpected(call, QStringLiteral("alt document decat cel asteptat"));
            }
            out.ns = xml.namespaceUri().toString();
            out.attributes = xml.attributes();
            root = false;
        } else if (xml.name() == QLatin1String("Errors") || xml.name() == QLatin1String("Error")) {
            out.errors << xml.attributes().value(QLatin1String("errorMessage")).toString();
        }
    }
    if (xml.hasError() || root) {
        unexpected(call, QStringLiteral("nu este un document XML"));
    }
    return out;
}

QString attribute(const XmlAnswer& a, const char* name) {
    return a.attributes.value(QLatin1String(name)).toString();
}

QJsonObject readJson(const QString& call, const QByteArray& body) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        unexpected(call, QStringLiteral("nu este un document JSON"));
    }
    return doc.object();
}

// A number of the JSON (the platform writes some as text, some as numbers) as text.
QString jsonText(const QJsonValue& v) {
    return v.isDouble() ? QString::number(v.toInteger()) : v.toString();
}

}  // namespace

SpvError::SpvError(Kind kind, const QString& message)
    : std::runtime_error(message.toStdString()), kind_(kind) {}

QString cifDigits(const QString& fiscalCode) {
    QString out;
    for (const QChar c : fiscalCode) {
        if (c.isDigit()) {
            out += c;
        }
    }
    return out;
}

QString parseUpload(const QByteArray& body) {
    const QString call = QStringLiteral("upload");
    const XmlAnswer a = readXml(call, body);
    if (a.ns != kUploadNs) {
        unexpected(call, QStringLiteral("alt document decat cel asteptat"));
    }
    const QString status = attribute(a, "ExecutionStatus");
    if (status == QLatin1String("1")) {
        refused(call,
                a.errors.isEmpty() ? QStringList{QStringLiteral("fisier refuzat")} : a.errors);
    }
    const QString index = attribute(a, "index_incarcare");
    if (status != QLatin1String("0") || index.isEmpty()) {
        unexpected(call, QStringLiteral("lipseste index_incarcare"));
    }
    return index;
}

UploadState parseState(const QByteArray& body) {
    const QString call = QStringLiteral("stareMesaj");
    const XmlAnswer a = readXml(call, body);
    if (a.ns == kInvoiceErrorsNs) {
        return {QStringLiteral("nok"), {}, a.errors};
    }
    if (a.ns != kStateNs) {
        unexpected(call, QStringLiteral("alt document decat cel asteptat"));
    }
    if (!a.errors.isEmpty()) {
        refused(call, a.errors);
    }
    UploadState s{attribute(a, "stare"), attribute(a, "id_descarcare"), {}};
    const bool answered = s.state == QLatin1String("ok") || s.state == QLatin1String("nok");
    if (answered && s.downloadId.isEmpty()) {
        unexpected(call, QStringLiteral("lipseste id_descarcare"));
    }
    if (!answered && s.state != QLatin1String("in prelucrare") &&
        s.state != QLatin1String("XML cu erori nepreluat de sistem")) {
        unexpected(call, QStringLiteral("stare necunoscuta \"%1\"").arg(s.state));
    }
    return s;
}

std::vector<SpvMessage> parseMessages(const QByteArray& body) {
    const QString call = QStringLiteral("listaMesajeFactura");
    const QJsonObject o = readJson(call, body);
    if (o.contains(QLatin1String("eroare"))) {
        const QString error = o.value(QLatin1String("eroare")).toString();
        // No message in the period is an answer, not a failure.
        if (error.startsWith(QLatin1String("Nu exista mesaje"), Qt::CaseInsensitive)) {
            return {};
        }
        refused(call, {error});
    }
    if (!o.value(QLatin1String("mesaje")).isArray()) {
        unexpected(call, QStringLiteral("lipseste lista mesajelor"));
    }
    std::vector<SpvMessage> out;
    for (const QJsonValue& v : o.value(QLatin1String("mesaje")).toArray()) {
        const QJsonObject m = v.toObject();
        SpvMessage msg{jsonText(m.value(QLatin1String("data_creare"))),
                       jsonText(m.value(QLatin1String("cif"))),
                       jsonText(m.value(QLatin1String("id_solicitare"))),
                       m.value(QLatin1String("detalii")).toString(),
                       m.value(QLatin1String("tip")).toString(),
                       jsonText(m.value(QLatin1String("id")))};
        if (msg.id.isEmpty() || msg.type.isEmpty()) {
            unexpected(call, QStringLiteral("mesaj fara id sau tip"));
        }
        out.push_back(msg);
    }
    return out;
}

QStringList parseInvoiceErrors(const QByteArray& body) {
    const XmlAnswer a = readXml(QStringLiteral("descarcare"), body);
    return a.errors;
}

QUrl apiBase(bool production) {
    const QString custom = qEnvironmentVariable("KOVALINE_SPV_URL");
    if (!custom.isEmpty()) {
        return QUrl(custom.endsWith(u'/') ? custom : custom + u'/');
    }
    return QUrl(production ? QStringLiteral("https://api.anaf.ro/prod/FCTEL/rest/")
                           : QStringLiteral("https://api.anaf.ro/test/FCTEL/rest/"));
}

SpvClient::SpvClient(const QUrl& base, const QString& accessToken)
    : wait([](int seconds) { QThread::sleep(seconds); }), base_(base), token_(accessToken) {}

QByteArray SpvClient::call(const QString& name, const QString& path,
                           const QList<QPair<QString, QString>>& query, const QByteArray* body) {
    QUrl url = base_.resolved(QUrl(path));
    QUrlQuery q;
    q.setQueryItems(query);
    url.setQuery(q);
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", "Bearer " + token_.toUtf8());
    if (body) {
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/plain"));
    }
    for (int attempt = 1;; ++attempt) {
        const HttpAnswer a = body ? httpPost(request, *body) : httpGet(request);
        if (a.status == 200) {
            return a.body;
        }
        if (a.status == 429 && attempt < kAttempts) {
            wait(std::clamp(a.retryAfter < 0 ? kDefaultWait : a.retryAfter, 0, kLongestWait));
            continue;
        }
        if (a.status == 429) {
            throw SpvError(SpvError::Kind::TooMany,
                           QStringLiteral("Platforma e-Factura nu mai primeste apeluri %1 pentru "
                                          "moment (prea multe intr-un minut). Ce s-a facut pana "
                                          "acum este pastrat; reincercati peste cateva minute.")
                               .arg(name));
        }
        if (a.status == 401 || a.status == 403) {
            throw SpvError(SpvError::Kind::Unauthorized,
                           QStringLiteral("Platforma e-Factura nu recunoaste autorizarea (apelul "
                                          "%1). Refaceti autorizarea din Fisier > Conectare "
                                          "e-Factura.")
                               .arg(name));
        }
        if (a.status == 0) {
            throw SpvError(SpvError::Kind::Offline,
                           QStringLiteral("Platforma e-Factura nu raspunde (apelul %1). Verificati "
                                          "legatura la internet si reincercati.")
                               .arg(name));
        }
        if (a.status == 400) {
            // {timestamp,status,error,message}: a missing body or parameter.
            const QJsonObject o = QJsonDocument::fromJson(a.body).object();
            const QString text = o.value(QLatin1String("message")).toString();
            if (!text.isEmpty()) {
                throw SpvError(SpvError::Kind::Refused, text);
            }
        }
        unexpected(name, QStringLiteral("HTTP %1").arg(a.status));
    }
}

QString SpvClient::upload(const QByteArray& xml, const QString& sellerCode, bool toPerson) {
    return parseUpload(call(QStringLiteral("upload"),
                            toPerson ? QStringLiteral("uploadb2c") : QStringLiteral("upload"),
                            {{QStringLiteral("standard"), QStringLiteral("UBL")},
                             {QStringLiteral("cif"), cifDigits(sellerCode)}},
                            &xml));
}

UploadState SpvClient::state(const QString& uploadIndex) {
    return parseState(call(QStringLiteral("stareMesaj"), QStringLiteral("stareMesaj"),
                           {{QStringLiteral("id_incarcare"), uploadIndex}}, nullptr));
}

std::vector<SpvMessage> SpvClient::messages(int days, const QString& cif, const QString& filter) {
    QList<QPair<QString, QString>> query{{QStringLiteral("zile"), QString::number(days)},
                                         {QStringLiteral("cif"), cifDigits(cif)}};
    if (!filter.isEmpty()) {
        query.append({QStringLiteral("filtru"), filter});
    }
    return parseMessages(call(QStringLiteral("listaMesajeFactura"),
                              QStringLiteral("listaMesajeFactura"), query, nullptr));
}

QByteArray SpvClient::download(const QString& downloadId) {
    const QString name = QStringLiteral("descarcare");
    const QByteArray body = call(name, name, {{QStringLiteral("id"), downloadId}}, nullptr);
    if (body.startsWith("PK\x03\x04")) {
        return body;
    }
    const QJsonObject o = readJson(name, body);
    if (o.contains(QLatin1String("eroare"))) {
        refused(name, {o.value(QLatin1String("eroare")).toString()});
    }
    unexpected(name, QStringLiteral("nici arhiva ZIP, nici eroare"));
}

}  // namespace kov::efactura
