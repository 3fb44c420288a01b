// Received e-Factura files imported through the window and through the command line: the same
// files give the same rows.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "purchases/Importfacturi.h"
#include "report_engine/PreviewWindow.h"
#include "tests/app/AppFixture.h"
#include "tests/efactura/FakePlatform.h"
#include "tests/efactura/SpvEnv.h"

namespace kov::test {

namespace {

const QString kFixtures = QStringLiteral(KOVALINE_RECEIVED_FIXTURES);

// A mix of files: recorded, not for the company, refused.
const QStringList kFiles = {"cote_multiple.xml", "valuta_eur.xml", "4242001.zip",
                            "cumparator_persoana.xml", "nu_este_xml.xml"};

const QString kInvoices = QStringLiteral(
    "select NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,CODCLIENT,EXPLICATIE,"
    "FELFACTURA,CODFISCAL from facturi order by nrfactura");
const QString kParts = QStringLiteral("select * from cotefacturi order by nrfactura, procenttva");

QStringList fixturePaths() {
    QStringList out;
    for (const QString& name : kFiles) {
        out << QDir(kFixtures).filePath(name);
    }
    return out;
}

// The program's command line in a home of its own, with what it printed and its exit code.
struct CommandRun {
    int code;
    QString out;
};
CommandRun runCommand(const QString& home, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("XDG_DATA_HOME", home + "/data");
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KOVALINE_BINARY), QStringList{"import-efactura"} + arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
}

}  // namespace

TEST_F(AppTest, ImportWindowAndCommandLineRecordTheSameRows) {
    prepareDatabase({{"SRL", "KOVA TEST SRL", "RO8609468"}});
    start();
    showMain();
    ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }, 4000));

    // The folder command asks for a folder and lists its files before anything is written.
    QStringList states;
    modals.handle([](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Alegeti dosarul cu fisierele e-Factura primite");
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(kFixtures);
        static_cast<QDialog*>(dialog)->accept();
    });
    modals.handle([&](QWidget* w) {
        auto* window = qobject_cast<TFormImportFacturi*>(w);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Import facturi primite");
        for (int i = 0; i < window->ListView1->topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = window->ListView1->topLevelItem(i);
            if (kFiles.contains(row->text(0))) {
                states << row->text(0) + ": " + row->text(7);
            } else if (row->checkState(0) == Qt::Checked) {
                row->setCheckState(0, Qt::Unchecked);  // only the chosen files are recorded
            }
        }
        EXPECT_EQ(window->ListView1->headerItem()->text(7), "Stare");
        EXPECT_EQ(window->ListView1->topLevelItem(0)->text(0), "4242001.zip");
        EXPECT_EQ(window->ListView1->topLevelItem(0)->text(5), "1573.00");
        // "Vizualizare" shows the selected file's invoice.
        const auto found = window->ListView1->findItems("cote_multiple.xml", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        window->ListView1->setCurrentItem(found.first());
        click(w, "Vizualizare");
        click(w, "Inregistrare");
    });
    modals.handle([](QWidget* w) {
        auto* preview = qobject_cast<kov::report::PreviewWindow*>(w);
        ASSERT_NE(preview, nullptr);
        const QString text = preview->model().pages[0].texts().join(u'\n');
        EXPECT_TRUE(text.contains("FACTURA")) << text.toStdString();
        EXPECT_TRUE(text.contains("ALF-101"));
        EXPECT_TRUE(text.contains("ALFA DISTRIBUTIE SRL"));
        EXPECT_TRUE(text.contains("Servicii transport"));
        click(preview, "Inchidere");
    });
    modals.answer("OK");
    QAction* command = FormMain->action("ImporteFacturaprimitedindosar1");
    ASSERT_NE(command, nullptr);
    command->trigger();
    EXPECT_EQ(modals.pending(), 0u);
    EXPECT_EQ(states,
              (QStringList{"4242001.zip: De inregistrat", "cote_multiple.xml: De inregistrat",
                           "cumparator_persoana.xml: Nu este pentru firma aleasa",
                           "nu_este_xml.xml: Eroare: nu este un fisier XML",
                           "valuta_eur.xml: De inregistrat"}));
    ASSERT_FALSE(modals.boxes().empty());
    EXPECT_EQ(modals.boxes().back().title, "Informatie");
    EXPECT_TRUE(modals.boxes().back().text.startsWith("Facturi inregistrate: 3\n"));
    EXPECT_TRUE(modals.boxes().back().text.contains(
        "cumparator_persoana.xml: Nu este pentru firma aleasa"));
    const QStringList windowInvoices = rows(kInvoices);
    const QStringList windowParts = rows(kParts);
    EXPECT_EQ(windowInvoices.size(), 3);
    EXPECT_EQ(windowParts.size(), 5);

    // The command line in a fresh home: the default books, made on the way, lack the company.
    QTemporaryDir other;
    const CommandRun missing =
        runCommand(other.path(), QStringList{"--firma", "8609468"} + fixturePaths());
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "Firma cu codul fiscal 8609468 nu exista.\n");
    const QString books = other.path() + "/data/Kovaline/Kodra.db";
    {
        Database prep(QStringLiteral("prep"));
        prep.open(books);
        prep.execute(
            "insert into datefirma (descriere,nume,codfiscal,tva) values('SRL','KOVA "
            "TEST SRL','RO8609468',1)");
    }
    const CommandRun run =
        runCommand(other.path(), QStringList{"--firma", "8609468"} + fixturePaths());
    EXPECT_EQ(run.code, 1);  // one file failed
    const QString dir = kFixtures + u'/';
    EXPECT_EQ(run.out, dir + "cote_multiple.xml: inregistrata\n" + dir +
                           "valuta_eur.xml: inregistrata\n" + dir + "4242001.zip: inregistrata\n" +
                           dir + "cumparator_persoana.xml: nu este pentru firma aleasa\n" + dir +
                           "nu_este_xml.xml: eroare: nu este un fisier XML\n"
                           "Total: 5 fisiere, 3 inregistrate, 1 cu erori\n");
    Database other_books(QStringLiteral("other"));
    other_books.open(books);
    EXPECT_EQ(test::rows(QStringLiteral("other"), kInvoices), windowInvoices);
    EXPECT_EQ(test::rows(QStringLiteral("other"), kParts), windowParts);
    EXPECT_TRUE(QFileInfo::exists(
        other.path() + "/data/Kovaline/e-Factura/primite/22773155/ZS-301_2025-08-22.zip"));

    // A second run records nothing and fails nothing.
    const CommandRun again =
        runCommand(other.path(), {"--firma", "RO8609468", dir + "cote_multiple.xml"});
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(again.out, dir +
                             "cote_multiple.xml: deja inregistrata\n"
                             "Total: 1 fisiere, 0 inregistrate, 0 cu erori\n");
}

// "Descarcare facturi primite" fetches the platform's new received invoices and opens the
// import window on them; a second run finds nothing new.
TEST_F(AppTest, ReceivedInvoicesDownloadedFromThePlatformOpenTheImport) {
    prepareDatabase({{"SRL", "KOVA TEST SRL", "RO8609468"}});
    start();
    showMain();
    ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }, 4000));
    QFile fixture(QDir(kFixtures).filePath("cote_multiple.xml"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    FakePlatform fake;
    fake.received = {{"3001", fixture.readAll()}};
    EnvVar api("KOVALINE_SPV_URL", fake.apiUrl().toUtf8());
    EnvVar token("KOVALINE_SPV_TOKEN", "acces-1");
    const auto acceptDays = [](QWidget* w) {
        auto* days = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(days, nullptr);
        days->setIntValue(5);
        days->accept();
    };
    QStringList states;
    modals.handle(acceptDays);
    modals.handle([&](QWidget* w) {
        auto* window = qobject_cast<TFormImportFacturi*>(w);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(window->ListView1->topLevelItemCount(), 1);
        states << window->ListView1->topLevelItem(0)->text(0) + ": " +
                      window->ListView1->topLevelItem(0)->text(7);
        click(w, "Inregistrare");
    });
    modals.answer("OK");
    FormMain->action("Descarcarefacturiprimite1")->trigger();
    EXPECT_EQ(states, QStringList{"3001.zip: De inregistrat"});
    EXPECT_TRUE(modals.boxes().back().text.startsWith("Facturi inregistrate: 1"));
    EXPECT_EQ(rows(kParts).size(), 3);

    modals.clear();
    modals.handle(acceptDays);
    modals.answer("OK");
    FormMain->action("Descarcarefacturiprimite1")->trigger();
    EXPECT_EQ(modals.pending(), 0u);
    EXPECT_EQ(modals.texts().value(0), "Nu exista facturi primite noi.");
    EXPECT_EQ(rows(kInvoices).size(), 1);
}

}  // namespace kov::test
