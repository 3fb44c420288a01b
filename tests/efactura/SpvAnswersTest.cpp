// The platform's answers as documented, each error shape among them, read without a network;
// and the sending deadline with the Romanian public holidays.
#include <gtest/gtest.h>

#include <QDate>
#include <QTimeZone>

#include "efactura/Deadline.h"
#include "efactura/SpvArchive.h"
#include "efactura/SpvAuth.h"
#include "efactura/SpvClient.h"
#include "tests/Support.h"
#include "tests/efactura/FakePlatform.h"

namespace kov::test {

using efactura::SpvError;

namespace {

const char* const kState =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
    "<header xmlns=\"mfp:anaf:dgti:efactura:stareMesajFactura:v1\"";

// "ok:<value>" or "<kind>:<message>".
template <typename Parse>
QString outcome(const Parse& parse) {
    try {
        return QStringLiteral("ok:") + parse();
    } catch (const SpvError& e) {
        static const char* const kinds[] = {"refuz",      "plafon",  "429",
                                            "autorizare", "raspuns", "retea"};
        return QString::fromLatin1(kinds[static_cast<int>(e.kind())]) + u':' + e.message();
    }
}

}  // namespace

TEST(SpvAnswers, EveryDocumentedShapeIsReadAndAnythingElseNamesTheCall) {
    const struct {
        const char* call;
        QByteArray body;
        QString expected;
    } cases[] = {
        {"upload",
         "<header xmlns=\"mfp:anaf:dgti:spv:respUploadFisier:v1\" dateResponse=\"202108051140\" "
         "ExecutionStatus=\"0\" index_incarcare=\"3828\"/>",
         "ok:3828"},
        {"upload",
         "<header xmlns=\"mfp:anaf:dgti:spv:respUploadFisier:v1\" dateResponse=\"202108051144\" "
         "ExecutionStatus=\"1\"><Errors errorMessage=\"Valorile acceptate pentru parametrul "
         "standard sunt UBL, CII sau RASP\"/></header>",
         "refuz:Valorile acceptate pentru parametrul standard sunt UBL, CII sau RASP"},
        {"upload",
         "<header xmlns=\"mfp:anaf:dgti:spv:respUploadFisier:v1\" ExecutionStatus=\"0\"/>",
         "raspuns:Raspuns neasteptat de la platforma e-Factura la apelul upload: lipseste "
         "index_incarcare"},
        {"upload", "<html><body>Eroare</body></html>",
         "raspuns:Raspuns neasteptat de la platforma e-Factura la apelul upload: alt document "
         "decat cel asteptat"},
        {"stare", QByteArray(kState) + " stare=\"ok\" id_descarcare=\"1234\"/>", "ok:ok 1234"},
        {"stare", QByteArray(kState) + " stare=\"nok\" id_descarcare=\"123\"/>", "ok:nok 123"},
        {"stare", QByteArray(kState) + " stare=\"in prelucrare\"/>", "ok:in prelucrare "},
        {"stare", QByteArray(kState) + " stare=\"XML cu erori nepreluat de sistem\"/>",
         "ok:XML cu erori nepreluat de sistem "},
        {"stare",
         QByteArray(kState) + "><Errors errorMessage=\"Nu aveti dreptul de inteorgare pentru "
                              "id_incarcare= 18\" /></header>",
         "refuz:Nu aveti dreptul de inteorgare pentru id_incarcare= 18"},
        {"stare",
         QByteArray(kState) + "><Errors errorMessage=\"Nu exista factura cu id_incarcare=\" />"
                              "</header>",
         "refuz:Nu exista factura cu id_incarcare="},
        {"stare",
         QByteArray(kState) + "><Errors errorMessage=\"Id_incarcare introdus= aaa nu este un "
                              "numar intreg\" /></header>",
         "refuz:Id_incarcare introdus= aaa nu este un numar intreg"},
        {"stare",
         QByteArray(kState) + "><Errors errorMessage=\"Nu exista niciun CIF petru care sa aveti "
                              "drept\" /></header>",
         "refuz:Nu exista niciun CIF petru care sa aveti drept"},
        {"stare",
         QByteArray(kState) + "><Errors errorMessage=\"S-au facut deja 20 descarcari de mesaj in "
                              "cursul zilei\" /></header>",
         "plafon:Platforma e-Factura a oprit apelurile stareMesaj pentru azi: S-au facut deja 20 "
         "descarcari de mesaj in cursul zilei. Ce s-a facut pana acum este pastrat; continuati "
         "maine."},
        {"stare",
         "<header xmlns=\"mfp:anaf:dgti:efactura:mesajEroriFactuta:v1\" Index_incarcare=\"5011\" "
         "Cif_emitent=\"47024170\"><Error errorMessage=\"E: validari globale&#xA; eroare regula: "
         "R6.1\"/></header>",
         "ok:nok  E: validari globale\n eroare regula: R6.1"},
        {"stare", QByteArray(kState) + " stare=\"ok\"/>",
         "raspuns:Raspuns neasteptat de la platforma e-Factura la apelul stareMesaj: lipseste "
         "id_descarcare"},
        {"stare", QByteArray(kState) + " stare=\"altceva\"/>",
         "raspuns:Raspuns neasteptat de la platforma e-Factura la apelul stareMesaj: stare "
         "necunoscuta \"altceva\""},
        {"stare", "{\"eroare\":\"x\"}",
         "raspuns:Raspuns neasteptat de la platforma e-Factura la apelul stareMesaj: nu este un "
         "document XML"},
        {"lista",
         "{\"mesaje\":[{\"data_creare\":\"202211011415\",\"cif\":\"8000000000\","
         "\"id_solicitare\":\"5001120366\",\"detalii\":\"Factura cu id_incarcare=5001120366 "
         "emisa de cif_emitent=8000000000 pentru cif_beneficiar=3\",\"tip\":\"FACTURA "
         "PRIMITA\",\"id\":\"3001293434\"}],\"serial\":\"1234AA456\",\"cui\":\"8000000000\","
         "\"titlu\":\"Lista Mesaje disponibile din ultimele 1 zile\"}",
         "ok:FACTURA PRIMITA 3001293434 5001120366 202211011415"},
        {"lista",
         "{\"eroare\":\"Nu exista mesaje in ultimele 15 zile\",\"titlu\":\"Lista Mesaje\"}", "ok:"},
        {"lista",
         "{\"eroare\":\"Nu aveti drept de inrolare pentru CIF=8000000000\",\"titlu\":\"Lista "
         "Mesaje\"}",
         "refuz:Nu aveti drept de inrolare pentru CIF=8000000000"},
        {"lista", "{\"mesaje\":[{\"tip\":\"FACTURA PRIMITA\"}]}",
         "raspuns:Raspuns neasteptat de la platforma e-Factura la apelul listaMesajeFactura: "
         "mesaj fara id sau tip"},
        {"lista", "[]",
         "raspuns:Raspuns neasteptat de la platforma e-Factura la apelul listaMesajeFactura: nu "
         "este un document JSON"},
        {"token", "{\"access_token\":\"a\",\"refresh_token\":\"r\",\"expires_in\":7776000}",
         "ok:a r 2026-05-31T00:00:00+00:00 2026-05-31T01:00:00+00:00"},
        {"token", "{\"error\":\"invalid_grant\"}",
         "raspuns:Raspuns neasteptat de la platforma e-Factura la apelul token: lipseste "
         "access_token"},
    };
    for (const auto& c : cases) {
        const QString call = QString::fromLatin1(c.call);
        const QString got = outcome([&]() -> QString {
            if (call == QLatin1String("upload")) {
                return efactura::parseUpload(c.body);
            }
            if (call == QLatin1String("stare")) {
                const auto s = efactura::parseState(c.body);
                return s.state + u' ' + s.downloadId +
                       (s.errors.isEmpty() ? QString() : u' ' + s.errors.join(u'|'));
            }
            if (call == QLatin1String("token")) {
                const auto t = efactura::parseTokens(
                    c.body, QDateTime(QDate(2026, 3, 2), QTime(0, 0), QTimeZone::utc()));
                return t.access + u' ' + t.refresh + u' ' + t.accessUntil.toString(Qt::ISODate) +
                       u' ' + t.refreshUntil.toString(Qt::ISODate);
            }
            QStringList out;
            for (const auto& m : efactura::parseMessages(c.body)) {
                out << m.type + u' ' + m.id + u' ' + m.uploadIndex + u' ' + m.created;
            }
            return out.join(u',');
        });
        EXPECT_EQ(got, c.expected) << c.call << ": " << c.body.constData();
    }
}

TEST(SpvAnswers, TheAnswerFileOfAZipIsNotItsSignature) {
    const QByteArray invoice = "<Invoice><cbc:ID>12</cbc:ID></Invoice>";
    // The signature file comes first and repeats the invoice.
    const QByteArray zip =
        makeZip({{"semnatura_5001.xml", signedCopy(invoice)}, {"5001.xml", invoice}});
    EXPECT_EQ(efactura::answerFile(zip), invoice);
    EXPECT_EQ(efactura::zipEntries("PK\x03\x04 nu este o arhiva").size(), 0u);
}

TEST(SpvAnswers, TheAuthorisationAddressAndThePastedCode) {
    qputenv("KOVALINE_SPV_OAUTH_URL", "");
    const efactura::OAuthApp app{"id 1", "secret", "https://localhost:8765/cb"};
    EXPECT_EQ(efactura::authorizeUrl(app).toString(QUrl::FullyEncoded),
              "https://logincert.anaf.ro/anaf-oauth2/v1/authorize?response_type=code&client_id="
              "id%201&redirect_uri=https://localhost:8765/cb&token_content_type=jwt");
    EXPECT_EQ(efactura::codeFromAddress(" https://exemplu.ro/cb?code=ab%2Bc&state=1 "), "ab+c");
    EXPECT_EQ(efactura::codeFromAddress("abc123"), "abc123");
    EXPECT_EQ(efactura::codeFromAddress("https://exemplu.ro/cb?error=access_denied"), "");
}

TEST(SpvDeadline, FiveWorkingDaysWithoutWeekendsAndPublicHolidays) {
    EXPECT_EQ(efactura::orthodoxEaster(2025), QDate(2025, 4, 20));
    EXPECT_EQ(efactura::orthodoxEaster(2026), QDate(2026, 4, 12));
    EXPECT_EQ(efactura::orthodoxEaster(2027), QDate(2027, 5, 2));
    const struct {
        QDate issued;
        QDate deadline;
    } cases[] = {
        {{2026, 3, 2}, {2026, 3, 9}},     // Monday: the next Monday
        {{2026, 3, 6}, {2026, 3, 13}},    // Friday: the weekend not counted
        {{2026, 4, 8}, {2026, 4, 17}},    // Good Friday and Easter Monday
        {{2026, 5, 28}, {2026, 6, 5}},    // Pentecost Monday is also 1 June
        {{2025, 12, 31}, {2026, 1, 13}},  // New Year, Epiphany and Saint John
        {{2026, 1, 22}, {2026, 1, 29}},   // 24 January on a Saturday
        {{2026, 11, 27}, {2026, 12, 8}},  // 30 November and 1 December
        {{2026, 8, 14}, {2026, 8, 21}},   // 15 August on a Saturday
    };
    for (const auto& c : cases) {
        EXPECT_EQ(efactura::sendingDeadline(c.issued), c.deadline)
            << c.issued.toString().toStdString();
    }
}

}  // namespace kov::test
