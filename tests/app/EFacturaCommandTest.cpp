// The e-Factura commands of the command line and the windows against a stand-in of the
// platform: a month sent, followed to the signed answers, received invoices handed to the
// import once; the authorisation taken through the local listener.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include "app/ConectareSPV.h"
#include "app/EFacturaCommand.h"
#include "efactura/SpvRun.h"
#include "reports/StareEFactura.h"
#include "tests/app/AppFixture.h"
#include "tests/efactura/FakePlatform.h"
#include "tests/efactura/SpvEnv.h"

namespace kov::test {

namespace {

struct CommandRun {
    int code;
    QString out;
    QString err;
};

CommandRun command(const QStringList& args) {
    CommandRun r{};
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = runEFacturaCommand(args, out, err);
    return r;
}

}  // namespace

TEST_F(AppTest, TheCommandLineSendsFollowsAndFetches) {
    // A fresh home: the database is made, the company is not there.
    CommandRun r = command({"primite", "--firma", "1234567"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Firma 1234567 nu exista in baza de date.\n");
    EXPECT_TRUE(QFileInfo::exists(home.path("data/Kovaline/Kodra.db")));
    EXPECT_EQ(command({"trimite"}).code, 2);
    EXPECT_EQ(command({"stare", "--firma", "1", "--zile", "3"}).code, 2);

    {
        Database prep(QStringLiteral("prep"));
        prep.open(home.path("data/Kovaline/Kodra.db"));
        for (const QString& sql : monthStatements()) {
            prep.execute(sql);
        }
    }
    FakePlatform fake;
    fake.fates = {{"103", Fate::Rejected}};
    EnvVar api("KOVALINE_SPV_URL", fake.apiUrl().toUtf8());
    EnvVar token("KOVALINE_SPV_TOKEN", "acces-1");

    r = command(
        {"trimite", "--firma", "RO1234567", "--de-la", "01.03.2026", "--pana-la", "2026-03-31"});
    EXPECT_EQ(r.code, 1);  // 106 cannot be written
    EXPECT_EQ(r.out.count("trimisa, index"), 5);
    EXPECT_TRUE(r.out.contains("Factura 106 din 31.03.2026: nu poate fi trimisa"));
    EXPECT_EQ(command({"stare", "--firma", "1234567"}).out.count("in prelucrare"), 5);
    r = command({"stare", "--firma", "1234567"});
    EXPECT_EQ(r.code, 1);  // 103 refused
    const QString emise = home.path("data/Kovaline/e-Factura/emise/1234567");
    EXPECT_TRUE(
        r.out.contains("Factura 101 din 02.03.2026: acceptata, " + emise + "/101_2026-03-02.zip"));
    EXPECT_TRUE(r.out.contains("Factura 103 din 10.03.2026: respinsa: E: validari globale"));
    EXPECT_EQ(QDir(emise).entryList(QDir::Files).size(), 4);
    r = command({"stare", "--firma", "1234567"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");

    // The received invoices are downloaded and imported once.
    QFile fixture(KOVALINE_RECEIVED_FIXTURES "/cote_multiple.xml");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    fake.received = {{"3001", fixture.readAll().replace("RO8609468", "RO1234567")}};
    r = command({"primite", "--firma", "1234567", "--zile", "5"});
    EXPECT_EQ(r.code, 0) << r.out.toStdString() << r.err.toStdString();
    const QString fetched = home.path("data/Kovaline/e-Factura/descarcate/3001.zip");
    EXPECT_TRUE(r.out.contains(fetched + ": inregistrata\n")) << r.out.toStdString();
    EXPECT_EQ(command({"primite", "--firma", "1234567"}).out, "");

    // The state window of the month, seen on 20 March.
    Database books(kMainDatabase);
    books.open(home.path("data/Kovaline/Kodra.db"));
    SelectedFiscalCode = "1234567";
    TFormStareEFactura window;
    window.Today = QDate(2026, 3, 20);
    window.Edit1->setText("01.03.2026");
    window.Edit2->setText("31.03.2026");
    window.fill();
    ASSERT_EQ(window.StringGrid1->rowCount(), 6);
    QStringList shown;
    for (int row = 0; row < 6; ++row) {
        shown << window.StringGrid1->item(row, 0)->text() + u'|' +
                     window.StringGrid1->item(row, 4)->text() + u'|' +
                     window.StringGrid1->item(row, 5)->text();
    }
    EXPECT_EQ(shown[0].section(u'|', 0, 0), "101");
    EXPECT_EQ(shown[0].section(u'|', 2), "acceptata");
    EXPECT_EQ(shown[2],
              "103|17.03.2026 INTARZIATA|respinsa: E: validari globale\n eroare regula: "
              "R6.1: CIF-ul vanzatorului nu figureaza in baza de date");
    EXPECT_EQ(shown[5], "106|07.04.2026|netrimisa");
}

TEST_F(AppTest, TheConnectionWindowTakesTheCodeThroughTheLocalListener) {
    FakePlatform fake;
    EnvVar oauth("KOVALINE_SPV_OAUTH_URL", fake.oauthUrl().toUtf8());
    // A port free now, as the system picks one: a fixed range would meet the ephemeral ports of
    // other tests' connections running at the same time.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const int port = probe.serverPort();
    probe.close();
    TFormConectareSPV window;
    EXPECT_EQ(window.Label6->text(), "Neautorizat");
    window.Edit1->setText("id-aplicatie");
    window.Edit2->setText("secret-aplicatie");
    window.Edit3->setText(QStringLiteral("http://localhost:%1/cb").arg(port));
    QUrl opened;
    QTcpSocket browser;
    window.OpenBrowser = [&](const QUrl& url) {
        opened = url;
        // The browser comes back once the user signed in.
        QTimer::singleShot(50, &window, [&browser, port] {
            browser.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
            browser.write("GET /cb?code=COD-1 HTTP/1.1\r\nHost: localhost\r\n\r\n");
        });
    };
    modals.answer("OK");
    window.BitBtn1Click();
    EXPECT_EQ(QUrlQuery(opened).queryItemValue("client_id"), "id-aplicatie");
    EXPECT_EQ(modals.texts(), QStringList{"Conexiunea e-Factura este autorizata."});
    EXPECT_EQ(window.Label6->text(),
              "Autorizare valabila pana la " + formatDate(QDate::currentDate().addDays(90)));
    EXPECT_EQ(fake.validAccess, "acces-2");
}

}  // namespace kov::test
