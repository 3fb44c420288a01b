#include <gtest/gtest.h>
#include <minizip/zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "books/Backup.h"
#include "books/Journals.h"
#include "data/Values.h"
#include "efactura/Import.h"
#include "tests/Support.h"

namespace kov::test {

namespace {

const QString kFixtures = QStringLiteral(KOVALINE_RECEIVED_FIXTURES);
const QString kCompany = QStringLiteral("RO8609468");

// Partner codes of the fixtures' suppliers: their fiscal codes without "RO".
const QString kAlfa = QStringLiteral("18547290");
const QString kBeta = QStringLiteral("24115601");
const QString kGamma = QStringLiteral("33007129");
const QString kDelta = QStringLiteral("44100338");
const QString kEpsilon = QStringLiteral("15900825");
const QString kZeta = QStringLiteral("22773155");

// Each fixture file, what the import says of it and, when recorded, its invoice row
// (NRFACTURA|DATA|SUMA|FARATVA|PROCENTTVA|TVA|PLATIT|RESTANT|CODCLIENT|EXPLICATIE) and the
// per-rate parts of an invoice of several rates (PROCENTTVA|FARATVA|TVA).
struct Fixture {
    const char* file;
    QString state;
    QString row;
    QStringList parts;
};

std::vector<Fixture> fixtures() {
    return {
        {"cote_multiple.xml",
         "Inregistrata",
         "ALF-101|05.08.2025|470|400|19|70|0|470|" + kAlfa + "|HARTIE COPIATOR A4 si alte 2",
         {"11|100|11", "19|200|38", "21|100|21"}},
        {"reduceri_majorari.xml",
         "Inregistrata",
         "BS 2207|07.08.2025|629.2|520|21|109.2|0|629.2|" + kBeta +
             "|MENTENANTA ECHIPAMENTE si alte 1",
         {}},
        {"storno_381.xml",
         "Inregistrata",
         "ALF-102|10.08.2025|-60.5|-50|21|-10.5|0|-60.5|" + kAlfa + "|RETUR HARTIE COPIATOR",
         {}},
        {"nota_creditare.xml",
         "Inregistrata",
         "GT-9001|12.08.2025|-474|-400|21|-74|0|-474|" + kGamma +
             "|REDUCERE COMERCIALA MARFA si alte 1",
         {"11|-100|-11", "21|-300|-63"}},
        {"cantitati_negative.xml",
         "Inregistrata",
         "GT-9002|13.08.2025|-121|-100|21|-21|0|-121|" + kGamma + "|AMBALAJE RETURNATE",
         {}},
        {"autofactura_389.xml",
         "Inregistrata",
         "AF-17|14.08.2025|1332|1200|11|132|0|1332|" + kDelta + "|CEREALE ACHIZITIONATE",
         {}},
        // 1,356.68 lei of VAT for 267.00 EUR: each rate converted at that rate, the VAT as filed.
        {"valuta_eur.xml",
         "Inregistrata",
         "EI-2025-55|18.08.2025|7962.24|6605.56|21|1356.68|0|7962.24|" + kEpsilon +
             "|LICENTA SOFTWARE ANUALA si alte 1",
         {"19|1524.36|289.63", "21|5081.2|1067.05"}},
        {"valuta_fara_lei.xml", "Eroare: lipseste totalul TVA in lei", {}, {}},
        {"atasament_pdf.xml",
         "Inregistrata",
         "ALF-103|20.08.2025|290.4|240|21|50.4|0|290.4|" + kAlfa + "|TONER IMPRIMANTA",
         {}},
        {"cumparator_persoana.xml", "Nu este pentru firma aleasa", {}, {}},
        {"4242001.zip",
         "Inregistrata",
         "ZS-301|22.08.2025|1573|1300|21|273|0|1573|" + kZeta + "|DEZVOLTARE APLICATIE si alte 1",
         {}},
        {"fara_factura.zip", "Eroare: arhiva nu contine o factura", {}, {}},
        {"nu_este_xml.xml", "Eroare: nu este un fisier XML", {}, {}},
        {"nu_este_factura.xml", "Eroare: nu este o factura", {}, {}},
        {"fara_data.xml",
         "Eroare: factura nu respecta schema UBL (lipseste cbc:IssueDate)",
         {},
         {}},
        {"totaluri_gresite.xml", "Eroare: totalurile facturii nu se potrivesc", {}, {}},
        {"doctype.xml", "Eroare: fisierul declara DOCTYPE sau entitati (refuzat)", {}, {}},
        {"prea_mare.xml", "Eroare: fisierul depaseste 10 MB", {}, {}},
        {"prea_mare.zip", "Eroare: fisierul depaseste 10 MB", {}, {}},
    };
}

// The fixtures copied into a folder, with a file just over 10 MB beside them, and a small ZIP
// that holds one.
QString fixtureFolder(const QTemporaryDir& dir) {
    for (const QString& name : QDir(kFixtures).entryList(QDir::Files)) {
        QFile::copy(QDir(kFixtures).filePath(name), dir.filePath(name));
    }
    const QByteArray tooLarge(10 * 1024 * 1024 + 1, ' ');
    QFile big(dir.filePath(QStringLiteral("prea_mare.xml")));
    EXPECT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(tooLarge);
    zipFile zip = zipOpen64(QFile::encodeName(dir.filePath("prea_mare.zip")).constData(),
                            APPEND_STATUS_CREATE);
    const zip_fileinfo info{};
    EXPECT_EQ(zipOpenNewFileInZip(zip, "prea_mare.xml", &info, nullptr, 0, nullptr, 0, nullptr,
                                  Z_DEFLATED, Z_DEFAULT_COMPRESSION),
              ZIP_OK);
    zipWriteInFileInZip(zip, tooLarge.constData(), static_cast<unsigned>(tooLarge.size()));
    zipCloseFileInZip(zip);
    EXPECT_EQ(zipClose(zip, nullptr), ZIP_OK);
    return dir.path();
}

const QString kRowSql = QStringLiteral(
    "select NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,CODCLIENT,EXPLICATIE "
    "from facturi where felfactura='I' and codfiscal='RO8609468' and nrfactura=");

}  // namespace

TEST(ReceivedImport, EachKindOfFileRecordsItsTotalsOnce) {
    TempDatabase t;
    t.exec("insert into datefirma (NUME,CODFISCAL) values('KOVA TEST SRL','RO8609468')");
    QTemporaryDir files, archive;
    const QString folder = fixtureFolder(files);

    const std::vector<efactura::ImportItem> items =
        efactura::importReceivedFiles(kCompany, {folder}, archive.path());
    ASSERT_EQ(items.size(), fixtures().size());
    for (const Fixture& f : fixtures()) {
        SCOPED_TRACE(f.file);
        const auto item = std::find_if(items.begin(), items.end(), [&](const auto& i) {
            return QFileInfo(i.file).fileName() == QLatin1String(f.file);
        });
        ASSERT_NE(item, items.end());
        EXPECT_EQ(efactura::stateText(*item), f.state);
        if (f.row.isEmpty()) {
            continue;
        }
        const QString number = f.row.section(u'|', 0, 0);
        EXPECT_EQ(t.rows(kRowSql + quoted(number)), QStringList{f.row});
        EXPECT_EQ(t.rows("select PROCENTTVA,FARATVA,TVA from cotefacturi where nrfactura=" +
                         quoted(number) + " order by procenttva"),
                  f.parts);
        EXPECT_TRUE(QFileInfo::exists(archive.filePath(
            "primite/" + f.row.section(u'|', 8, 8) + u'/' + number + u'_' +
            item->invoice->date.toString(Qt::ISODate) + u'.' + QFileInfo(item->file).suffix())));
    }
    // Suppliers are created once, with what the file says of them.
    EXPECT_EQ(t.value("select count(*) from firme"), "6");
    EXPECT_EQ(t.rows("select COD,DENUMIRE,CODFISCAL,ADRESA,LOC,JUDET,CONTBANCA,OBS from firme "
                     "where cod='" +
                     kBeta + "'"),
              QStringList{kBeta + "|BETA SERVICII SRL|RO" + kBeta +
                          "|BD. UNIRII 5|SECTOR3|BUC.SECTOR 3|RO66BACX0000001234567890|NRJ "
                          "J40/1200/2015"});
    // Nothing else was written: the refused files left no row.
    EXPECT_EQ(t.value("select count(*) from facturi"), "9");

    // A second import of the same files records nothing.
    const auto again = efactura::importReceivedFiles(kCompany, {folder}, archive.path());
    for (const auto& item : again) {
        EXPECT_NE(item.state, efactura::ImportState::Recorded) << item.file.toStdString();
    }
    EXPECT_EQ(t.value("select count(*) from facturi"), "9");
    EXPECT_EQ(t.value("select count(*) from cotefacturi"), "7");
    EXPECT_EQ(t.value("select count(*) from firme"), "6");
}

// The purchase journal puts an invoice of several rates on one line, each rate's amounts in
// its column; the backup carries the parts and a restore brings them back once.
TEST(ReceivedImport, JournalColumnsAndBackupKeepTheRates) {
    TempDatabase t;
    t.exec("insert into datefirma (NUME,CODFISCAL) values('KOVA TEST SRL','8609468')");
    QTemporaryDir archive;
    const QString dir = kFixtures + u'/';
    efactura::importReceivedFiles(
        QStringLiteral("8609468"),
        {dir + "cote_multiple.xml", dir + "valuta_eur.xml", dir + "reduceri_majorari.xml"}, {});
    JournalTotals totals;
    EXPECT_EQ(fillRegister(QStringLiteral("8609468"), u'I', 2025, 8, totals), 3);
    EXPECT_EQ(
        t.rows("select NRFACTURA,SUMA,SCUTITTVA,FARATVA,VALTVA,FARATVA9,VALTVA9 from "
               "registru"),
        (QStringList{"ALF-101|470.00||100.00|21.00|300.00|49.00", "BS 2207|629.20||520.00|109.20||",
                     "EI-2025-55|7,962.24||5,081.20|1,067.05|1,524.36|289.63"}));
    EXPECT_NEAR(totals.vat + totals.vatOther, 70 + 109.2 + 1356.68, 0.001);

    Database backup(kBackupDatabase);
    EXPECT_EQ(fillBackup(backup, QStringLiteral("8609468")).rateParts, 5);
    t.exec("delete from cotefacturi");
    t.exec("delete from facturi");
    EXPECT_EQ(mergeBackup(QStringLiteral("8609468")).rateParts, 5);
    EXPECT_EQ(mergeBackup(QStringLiteral("8609468")).rateParts, 0);
    EXPECT_EQ(t.rows("select CODCLIENT,NRFACTURA,DATA,PROCENTTVA,FARATVA,TVA from cotefacturi "
                     "where nrfactura='ALF-101' order by procenttva"),
              (QStringList{kAlfa + "|ALF-101|05.08.2025|11|100|11",
                           kAlfa + "|ALF-101|05.08.2025|19|200|38",
                           kAlfa + "|ALF-101|05.08.2025|21|100|21"}));
}

}  // namespace kov::test
