// A month of issued invoices sent to a stand-in of the platform, their states followed to the
// signed answers in the archive, received invoices fetched once, and the authorisation kept
// and refreshed without the user.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/Settings.h"
#include "efactura/EFacturaSource.h"
#include "efactura/SecretStore.h"
#include "efactura/SpvConnection.h"
#include "efactura/SpvRun.h"
#include "tests/Support.h"
#include "tests/efactura/FakePlatform.h"
#include "tests/efactura/SpvEnv.h"

namespace kov::test {

namespace {

efactura::SpvClient client(const FakePlatform& fake, std::vector<int>& waits) {
    efactura::SpvClient c(QUrl(fake.apiUrl()), QStringLiteral("acces-1"));
    c.wait = [&waits](int seconds) { waits.push_back(seconds); };
    return c;
}

}  // namespace

TEST(SpvFlow, AMonthGoesUpAndItsStatesAreFollowedToTheSignedAnswers) {
    TempDatabase db;
    for (const QString& sql : monthStatements()) {
        db.exec(sql);
    }
    FakePlatform fake;
    fake.fates = {{"103", Fate::Rejected}, {"104", Fate::NotTaken}, {"105", Fate::RefusedAtUpload}};
    fake.tooMany = 1;  // the first call waits once
    std::vector<int> waits;
    auto spv = client(fake, waits);
    const QString root = QDir::homePath() + "/arhiva";
    const auto month = [] {
        return efactura::issuedInvoices("1234567", " and data>='2026-03-01' and data<'2026-04-01'");
    };

    auto report = efactura::sendInvoices(spv, "1234567", month());
    EXPECT_EQ(report.lines,
              QStringList({"Factura 101 din 02.03.2026: trimisa, index 5001",
                           "Factura 102 din 05.03.2026: trimisa, index 5002",
                           "Factura 103 din 10.03.2026: trimisa, index 5003",
                           "Factura 104 din 16.03.2026: trimisa, index 5004",
                           "Factura 105 din 20.03.2026: Fisierul transmis nu este valid. "
                           "org.xml.sax.SAXParseException",
                           "Factura 106 din 31.03.2026: nu poate fi trimisa: Clientul \"GAMA "
                           "SRL\": lipseste adresa."}));
    EXPECT_TRUE(report.failed);
    EXPECT_EQ(report.stopped, "");
    EXPECT_EQ(waits, std::vector<int>{0});
    EXPECT_EQ(fake.paths(), QStringList({"POST upload", "POST upload", "POST uploadb2c",
                                         "POST upload", "POST upload", "POST upload"}));
    EXPECT_EQ(fake.requests[0].query.queryItemValue("cif"), "1234567");

    report = efactura::followStates(spv, "1234567", root);
    EXPECT_EQ(report.lines, QStringList({"Factura 101 din 02.03.2026: in prelucrare",
                                         "Factura 102 din 05.03.2026: in prelucrare",
                                         "Factura 103 din 10.03.2026: in prelucrare",
                                         "Factura 104 din 16.03.2026: in prelucrare"}));
    EXPECT_FALSE(report.failed);

    // The daily cap on downloads stops the run; the accepted state is kept.
    fake.downloadCap = true;
    report = efactura::followStates(spv, "1234567", root);
    EXPECT_EQ(report.lines, QStringList());
    EXPECT_EQ(report.stopped,
              "Platforma e-Factura a oprit apelurile descarcare pentru azi: S-au facut deja 10 "
              "descarcari de mesaj in cursul zilei. Ce s-a facut pana acum este pastrat; "
              "continuati maine.");
    EXPECT_EQ(
        db.rows("select STARE, IDDESCARCARE, ARHIVA from efacturastare where nrfactura='101'"),
        QStringList{"ok|95001|"});

    fake.downloadCap = false;
    fake.requests.clear();
    report = efactura::followStates(spv, "1234567", root);
    const QString archived = root + "/emise/1234567/101_2026-03-02.zip";
    EXPECT_EQ(report.lines,
              QStringList({"Factura 101 din 02.03.2026: acceptata, " + archived,
                           "Factura 102 din 05.03.2026: acceptata, " + root +
                               "/emise/1234567/102_2026-03-05.zip",
                           "Factura 103 din 10.03.2026: respinsa: E: validari globale\n eroare "
                           "regula: R6.1: CIF-ul vanzatorului nu figureaza in baza de date",
                           "Factura 104 din 16.03.2026: respinsa: XML cu erori nepreluat de "
                           "sistem"}));
    // 101's state is known already: only its answer is fetched.
    EXPECT_EQ(fake.paths(), QStringList({"GET descarcare", "GET stareMesaj", "GET descarcare",
                                         "GET stareMesaj", "GET descarcare", "GET stareMesaj"}));
    QFile zip(archived);
    ASSERT_TRUE(zip.open(QIODevice::ReadOnly));
    EXPECT_EQ(zip.readAll(), fake.served.value("95001"));
    EXPECT_EQ(db.rows("select NRFACTURA, DATAFACTURA, FISIER, INDEXINCARCARE, STARE, IDDESCARCARE "
                      "from efacturastare order by nrfactura"),
              QStringList({"101|02.03.2026|101_2026-03-02.xml|5001|ok|95001",
                           "102|05.03.2026|102_2026-03-05.xml|5002|ok|95002",
                           "103|10.03.2026|103_2026-03-10.xml|5003|nok|95003",
                           "104|16.03.2026|104_2026-03-16.xml|5004|eroare|",
                           "105|20.03.2026|105_2026-03-20.xml||eroare|"}));

    // Nothing is left to ask; a new sending leaves the accepted invoices out.
    fake.requests.clear();
    EXPECT_EQ(efactura::followStates(spv, "1234567", root).lines, QStringList());
    EXPECT_TRUE(fake.requests.empty());
    fake.fates.clear();
    report = efactura::sendInvoices(spv, "1234567", month());
    EXPECT_EQ(report.lines.size(), 4);
    EXPECT_TRUE(report.lines[0].startsWith("Factura 103 din 10.03.2026: trimisa, index 500"));
    EXPECT_TRUE(report.lines[2].startsWith("Factura 105 din 20.03.2026: trimisa"));
    EXPECT_EQ(QDir(root + "/emise/1234567").entryList(QDir::Files).size(), 2);
}

TEST(SpvFlow, ReceivedInvoicesAreFetchedOnce) {
    TempHome home;
    FakePlatform fake;
    std::vector<int> waits;
    auto spv = client(fake, waits);
    const QString folder = home.path("primite");
    QStringList files;
    auto report = efactura::fetchReceived(spv, "RO1234567", 60, folder, files);
    EXPECT_EQ(report.lines, QStringList());  // "Nu exista mesaje" is an empty list
    EXPECT_FALSE(report.failed);

    fake.received = {{"3001", "<Invoice><cbc:ID>A1</cbc:ID></Invoice>"},
                     {"3002", "<Invoice><cbc:ID>B7</cbc:ID></Invoice>"}};
    report = efactura::fetchReceived(spv, "RO1234567", 60, folder, files);
    EXPECT_EQ(files, QStringList({folder + "/3001.zip", folder + "/3002.zip"}));
    EXPECT_EQ(fake.requests[1].query.queryItemValue("filtru"), "P");
    EXPECT_EQ(fake.requests[1].query.queryItemValue("cif"), "1234567");
    EXPECT_EQ(report.lines.size(), 2);
    files.clear();
    report = efactura::fetchReceived(spv, "RO1234567", 60, folder, files);
    EXPECT_EQ(files, QStringList());
    EXPECT_EQ(fake.paths().last(), "GET listaMesajeFactura");
}

TEST(SpvFlow, TheAuthorisationIsKeptSecretAndRefreshedBeforeItEnds) {
    TempHome home;
    FakePlatform fake;
    EnvVar oauth("KOVALINE_SPV_OAUTH_URL", fake.oauthUrl().toUtf8());
    EnvVar api("KOVALINE_SPV_URL", fake.apiUrl().toUtf8());
    EnvVar token("KOVALINE_SPV_TOKEN", {});
    qunsetenv("KOVALINE_SPV_TOKEN");
    EXPECT_FALSE(efactura::isConnected());

    efactura::Connection c{
        false, {"id-aplicatie", "secret-gresit", "http://localhost:8765/cb"}, {}};
    try {
        efactura::exchangeCode(c.app, "COD-1");
        ADD_FAILURE() << "a wrong secret is refused";
    } catch (const efactura::SpvError& e) {
        EXPECT_EQ(e.kind(), efactura::SpvError::Kind::Unauthorized);
        EXPECT_FALSE(e.message().contains("secret"));
    }
    c.app.clientSecret = "secret-aplicatie";
    c.tokens = efactura::exchangeCode(c.app, "COD-1");
    EXPECT_EQ(c.tokens.access, "acces-2");
    EXPECT_EQ(fake.requests.back().body,
              "grant_type=authorization_code&code=COD-1&redirect_uri=http%3A%2F%2Flocalhost%3A8765"
              "%2Fcb&token_content_type=jwt");
    c.tokens.accessUntil = QDateTime::currentDateTime().addDays(2);  // about to end
    efactura::saveConnection(c);
    EXPECT_TRUE(efactura::isConnected());

    auto spv = efactura::openClient();
    EXPECT_EQ(fake.validAccess, "acces-3");
    EXPECT_TRUE(
        fake.requests.back().body.startsWith("grant_type=refresh_token&refresh_token="
                                             "reinnoire-2"));
    EXPECT_EQ(spv.messages(60, "1234567").size(), 0u);  // the new token is taken
    const auto kept = efactura::loadConnection();
    EXPECT_EQ(kept.tokens.access, "acces-3");
    EXPECT_EQ(kept.app.clientSecret, "secret-aplicatie");
    EXPECT_GT(kept.tokens.accessUntil, QDateTime::currentDateTime().addDays(89));

    // The secrets sit in a file only the user reads; the settings hold none.
    const QFileInfo secrets(efactura::secretFile("conexiune"));
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                        QFileDevice::WriteOther;
    EXPECT_EQ(secrets.permissions() & others, 0);
    EXPECT_TRUE(secrets.permissions().testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QFile ini(SettingsStore().fileName());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray settings = ini.readAll();
    EXPECT_TRUE(settings.contains("id-aplicatie"));
    EXPECT_FALSE(settings.contains("secret-aplicatie"));
    EXPECT_FALSE(settings.contains("acces-"));

    // The platform refusing a stale token names the way back.
    fake.validAccess = "alt-acces";
    try {
        spv.messages(1, "1234567");
        ADD_FAILURE() << "a refused token stops the call";
    } catch (const efactura::SpvError& e) {
        EXPECT_EQ(e.message(),
                  "Platforma e-Factura nu recunoaste autorizarea (apelul listaMesajeFactura). "
                  "Refaceti autorizarea din Fisier > Conectare e-Factura.");
    }
}

}  // namespace kov::test
