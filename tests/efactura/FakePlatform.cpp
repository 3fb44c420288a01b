#include "tests/efactura/FakePlatform.h"

#include <minizip/zip.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpSocket>

#include "efactura/Zip.h"

namespace kov::test {

namespace {

const QByteArray kStateHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<header xmlns=\"mfp:anaf:dgti:efactura:stareMesajFactura:v1\"";

QByteArray stateXml(const QByteArray& inside) {
    return kStateHeader + inside;
}

QByteArray json(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QString invoiceNumber(const QByteArray& xml) {
    static const QRegularExpression id(QStringLiteral("<cbc:ID>([^<]*)</cbc:ID>"));
    return id.match(QString::fromUtf8(xml)).captured(1);
}

}  // namespace

// A supplier that is not a VAT payer: its invoices at 0 % need no exemption basis.
QStringList monthStatements() {
    return {
        "insert into datefirma (descriere,nume,codfiscal,tva,NRJ,SEDIU,LOC,JUDET,CONT,BANCA) "
        "values ('PFA','ALFA CONSULT SRL','1234567',0,'J02/100/2001','BD. REVOLUTIEI NR. 5',"
        "'ARAD','ARAD','RO49AAAA1B31007593840000','BANCA TRANSILVANIA')",
        "insert into firme (COD,DENUMIRE,CODFISCAL,ADRESA,LOC,JUDET) values "
        "('B1','BETA IMPEX SRL','RO7654321','STR. LUNGA NR. 2','BUCURESTI','BUC.SECTOR 3'),"
        "('G1','GAMA SRL','RO7654321','','DEJ','CLUJ')",
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,CODCLIENT,"
        "FELFACTURA,EXPLICATIE,NUMEPF,ADRESAPF,LOCPF,JUDETPF,CNPPF) values "
        "('1234567','101','2026-03-02',10,10,0,0,'B1','E','ONORARIU',null,null,null,null,null),"
        "('1234567','102','2026-03-05',20,20,0,0,'PF 1800101123456','E','ONORARIU','ANA POP',"
        "'STR. MICA 1','DEJ','CLUJ','1800101123456'),"
        "('1234567','103','2026-03-10',30,30,0,0,'B1','E','ONORARIU',null,null,null,null,null),"
        "('1234567','104','2026-03-16',40,40,0,0,'B1','E','ONORARIU',null,null,null,null,null),"
        "('1234567','105','2026-03-20',50,50,0,0,'B1','E','ONORARIU',null,null,null,null,null),"
        "('1234567','106','2026-03-31',60,60,0,0,'G1','E','ONORARIU',null,null,null,null,null),"
        "('1234567','201','2026-04-01',70,70,0,0,'B1','E','ONORARIU',null,null,null,null,null)"};
}

QByteArray makeZip(const std::vector<std::pair<QString, QByteArray>>& files) {
    efactura::MemoryZipFile memory;
    zipFile zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, memory.functions());
    for (const auto& [name, content] : files) {
        const zip_fileinfo info{};
        zipOpenNewFileInZip64(zip, name.toUtf8().constData(), &info, nullptr, 0, nullptr, 0,
                              nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0);
        zipWriteInFileInZip(zip, content.constData(), static_cast<unsigned>(content.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
    return memory.data();
}

QByteArray signedCopy(const QByteArray& document) {
    QByteArray out = document;
    const qsizetype end = out.lastIndexOf("</");
    out.insert(end,
               "<ds:Signature xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\"><ds:SignedInfo/>"
               "<ds:SignatureValue>AAAA</ds:SignatureValue></ds:Signature>");
    return out;
}

FakePlatform::FakePlatform() {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    });
}

QString FakePlatform::apiUrl() const {
    return QStringLiteral("http://127.0.0.1:%1/test/FCTEL/rest/").arg(server_.serverPort());
}

QString FakePlatform::oauthUrl() const {
    return QStringLiteral("http://127.0.0.1:%1/anaf-oauth2/v1/").arg(server_.serverPort());
}

QStringList FakePlatform::paths() const {
    QStringList out;
    for (const FakeRequest& r : requests) {
        out << QString::fromLatin1(r.method) + u' ' + r.path.section(u'/', -1);
    }
    return out;
}

void FakePlatform::serve(QTcpSocket* socket) {
    // The whole request is read before it is answered: headers, then Content-Length bytes.
    QByteArray& data = buffers_[socket];
    data += socket->readAll();
    const qsizetype headEnd = data.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        return;
    }
    const QList<QByteArray> lines = data.left(headEnd).split('\n');
    FakeRequest r;
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    r.method = first.value(0);
    const QUrl url(QString::fromLatin1(first.value(1)));
    r.path = url.path();
    r.query = QUrlQuery(url);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0) {
            r.headers.insert(lines[i].left(colon).trimmed().toLower(),
                             lines[i].mid(colon + 1).trimmed());
        }
    }
    const qsizetype length = r.headers.value("content-length").toLongLong();
    if (data.size() < headEnd + 4 + length) {
        return;
    }
    r.body = data.mid(headEnd + 4, length);
    buffers_.remove(socket);
    requests.push_back(r);
    const Answer a = answer(r);
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(a.status) +
                       " X\r\nContent-Type: " + a.type +
                       "\r\nContent-Length: " + QByteArray::number(a.body.size()) +
                       "\r\nConnection: close\r\n" + a.headers + "\r\n" + a.body;
    socket->write(reply);
    socket->disconnectFromHost();
}

FakePlatform::Answer FakePlatform::answer(const FakeRequest& r) {
    if (tooMany > 0) {
        --tooMany;
        return {429, "application/json", "{\"message\":\"Too Many Requests\"}",
                "Retry-After: 0\r\n"};
    }
    if (r.path.contains(QLatin1String("anaf-oauth2"))) {
        return token(r);
    }
    if (r.headers.value("authorization") != "Bearer " + validAccess.toUtf8()) {
        return {403,
                "application/json",
                "{\"timestamp\":\"2026-03-02\",\"status\":403,\"error\":\"Forbidden\"}",
                {}};
    }
    return api(r);
}

FakePlatform::Answer FakePlatform::token(const FakeRequest& r) {
    const QByteArray basic = "Basic " + (clientId + u':' + clientSecret).toUtf8().toBase64();
    if (r.headers.value("authorization") != basic) {
        return {401, "application/json", "{\"error\":\"invalid_client\"}", {}};
    }
    if (r.path.endsWith(QLatin1String("revoke"))) {
        return {200, "application/json", "{}", {}};
    }
    const QUrlQuery form(QString::fromUtf8(r.body));
    const QString grant = form.queryItemValue(QStringLiteral("grant_type"));
    const bool good = (grant == QLatin1String("authorization_code") &&
                       form.queryItemValue(QStringLiteral("code")) == QLatin1String("COD-1")) ||
                      (grant == QLatin1String("refresh_token") &&
                       form.queryItemValue(QStringLiteral("refresh_token")) ==
                           QStringLiteral("reinnoire-%1").arg(tokenCount_));
    if (!good) {
        return {400, "application/json", "{\"error\":\"invalid_grant\"}", {}};
    }
    ++tokenCount_;
    validAccess = QStringLiteral("acces-%1").arg(tokenCount_);
    return {200,
            "application/json",
            json({{"access_token", validAccess},
                  {"refresh_token", QStringLiteral("reinnoire-%1").arg(tokenCount_)},
                  {"token_type", "Bearer"},
                  {"expires_in", 7776000}}),
            {}};
}

FakePlatform::Answer FakePlatform::api(const FakeRequest& r) {
    const QString call = r.path.section(u'/', -1);
    if (call == QLatin1String("upload") || call == QLatin1String("uploadb2c")) {
        if (r.query.queryItemValue(QStringLiteral("standard")) != QLatin1String("UBL")) {
            return {200,
                    "application/xml",
                    "<header xmlns=\"mfp:anaf:dgti:spv:respUploadFisier:v1\" "
                    "dateResponse=\"202603021144\" ExecutionStatus=\"1\"><Errors errorMessage="
                    "\"Valorile acceptate pentru parametrul standard sunt UBL, CII sau RASP\"/>"
                    "</header>",
                    {}};
        }
        const QString number = invoiceNumber(r.body);
        if (fates.value(number) == Fate::RefusedAtUpload) {
            return {200,
                    "application/xml",
                    "<header xmlns=\"mfp:anaf:dgti:spv:respUploadFisier:v1\" "
                    "dateResponse=\"202603021144\" ExecutionStatus=\"1\"><Errors errorMessage="
                    "\"Fisierul transmis nu este valid. org.xml.sax.SAXParseException\"/>"
                    "</header>",
                    {}};
        }
        const QString index = QString::number(nextIndex_++);
        uploads.insert(index, r.body);
        numbers_.insert(index, number);
        return {200,
                "application/xml",
                "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<header "
                "xmlns=\"mfp:anaf:dgti:spv:respUploadFisier:v1\" dateResponse=\"202603021140\" "
                "ExecutionStatus=\"0\" index_incarcare=\"" +
                    index.toUtf8() + "\"/>",
                {}};
    }
    if (call == QLatin1String("stareMesaj")) {
        const QString index = r.query.queryItemValue(QStringLiteral("id_incarcare"));
        if (stateCap) {
            return {200,
                    "application/xml",
                    stateXml("><Errors errorMessage=\"S-au facut deja 20 descarcari de mesaj in "
                             "cursul zilei\"/></header>"),
                    {}};
        }
        if (!uploads.contains(index)) {
            return {200,
                    "application/xml",
                    stateXml("><Errors errorMessage=\"Nu exista factura cu id_incarcare=" +
                             index.toUtf8() + "\"/></header>"),
                    {}};
        }
        if (asked_[index]++ == 0) {
            return {200, "application/xml", stateXml(" stare=\"in prelucrare\"/>"), {}};
        }
        switch (fates.value(numbers_.value(index))) {
            case Fate::NotTaken:
                return {200,
                        "application/xml",
                        stateXml(" stare=\"XML cu erori nepreluat de sistem\"/>"),
                        {}};
            case Fate::Rejected:
                return {200,
                        "application/xml",
                        stateXml(" stare=\"nok\" id_descarcare=\"9" + index.toUtf8() + "\"/>"),
                        {}};
            default:
                return {200,
                        "application/xml",
                        stateXml(" stare=\"ok\" id_descarcare=\"9" + index.toUtf8() + "\"/>"),
                        {}};
        }
    }
    if (call == QLatin1String("listaMesajeFactura")) {
        QJsonArray list;
        for (const auto& [id, xml] : received) {
            list.append(QJsonObject{{"data_creare", "202603051210"},
                                    {"cif", r.query.queryItemValue(QStringLiteral("cif"))},
                                    {"id_solicitare", "7" + id},
                                    {"detalii", "Factura cu id_incarcare=7" + id +
                                                    " emisa de cif_emitent=7654321 pentru "
                                                    "cif_beneficiar=1234567"},
                                    {"tip", "FACTURA PRIMITA"},
                                    {"id", id}});
        }
        if (list.isEmpty()) {
            return {200,
                    "application/json",
                    json({{"eroare", QStringLiteral("Nu exista mesaje in ultimele %1 zile")
                                         .arg(r.query.queryItemValue(QStringLiteral("zile")))},
                          {"titlu", "Lista Mesaje"}}),
                    {}};
        }
        return {200,
                "application/json",
                json({{"mesaje", list},
                      {"serial", "1234AA456"},
                      {"cui", r.query.queryItemValue(QStringLiteral("cif"))},
                      {"titlu", "Lista Mesaje disponibile din ultimele 60 zile"}}),
                {}};
    }
    if (call == QLatin1String("descarcare")) {
        const QString id = r.query.queryItemValue(QStringLiteral("id"));
        if (downloadCap) {
            return {200,
                    "application/json",
                    json({{"eroare", "S-au facut deja 10 descarcari de mesaj in cursul zilei"},
                          {"titlu", "Descarcare mesaj"}}),
                    {}};
        }
        QByteArray document;
        QString name;
        for (const auto& [rid, xml] : received) {
            if (rid == id) {
                document = xml;
                name = "7" + id;
            }
        }
        const QString index = id.mid(1);
        if (document.isEmpty() && uploads.contains(index)) {
            name = index;
            document = fates.value(numbers_.value(index)) == Fate::Rejected
                           ? "<header xmlns=\"mfp:anaf:dgti:efactura:mesajEroriFactuta:v1\" "
                             "Index_incarcare=\"" +
                                 index.toUtf8() +
                                 "\" Cif_emitent=\"1234567\"><Error errorMessage=\"E: validari "
                                 "globale&#xA; eroare regula: R6.1: CIF-ul vanzatorului nu "
                                 "figureaza in baza de date\"/></header>"
                           : uploads.value(index);
        }
        if (document.isEmpty()) {
            return {200,
                    "application/json",
                    json({{"eroare", "Pentru id=" + id +
                                         " nu exista inregistrata nici o "
                                         "factura"},
                          {"titlu", "Descarcare mesaj"}}),
                    {}};
        }
        const QByteArray zip = makeZip(
            {{name + ".xml", document}, {"semnatura_" + name + ".xml", signedCopy(document)}});
        served.insert(id, zip);
        return {200, "application/zip", zip, {}};
    }
    return {404, "text/html", "<html>Not Found</html>", {}};
}

}  // namespace kov::test
