// The issued invoices read from the books for the e-Factura files, and the files written from
// them, without windows.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/Values.h"
#include "efactura/EFacturaFiles.h"
#include "efactura/EFacturaSource.h"
#include "tests/Support.h"
#include "tests/efactura/EFacturaSamples.h"

namespace kov::test {

// What the export reads for each kind of invoice, and the reasons that name where to fix it.
TEST(EFacturaSource, TheExportReadsEachKindOfInvoiceAndNamesWhatIsMissing) {
    const struct {
        const char* client;  // CODCLIENT
        const char* person;  // NUMEPF, or null
        const char* buyer;   // name|code|street|locality|county, person or not
        QStringList reasons;
    } cases[] = {
        {"B1",
         nullptr,
         "firma|BETA IMPEX SRL|RO7654321|STR. LUNGA NR. 2|BUCURESTI|BUC.SECTOR 3",
         {}},
        {"G1",
         nullptr,
         "firma|GAMA SRL|RO7654321||DEJ|CLUJ",
         {"Clientul \"GAMA SRL\": lipseste adresa."}},
        {"PF 1800101123456",
         nullptr,
         "persoana||1800101123456|||",
         {"Persoana fizica: lipseste numele.", "Persoana fizica: lipseste adresa.",
          "Persoana fizica: lipseste judetul.", "Persoana fizica: lipseste localitatea."}},
        {"PF ",
         "'ANA'",
         "persoana|ANA||||",
         {"Persoana fizica \"ANA\": lipseste adresa.", "Persoana fizica \"ANA\": lipseste judetul.",
          "Persoana fizica \"ANA\": lipseste localitatea."}},
    };
    TempDatabase db;
    // The own company as "Date firma" stores it, its locality left empty.
    db.exec(
        "insert into datefirma (descriere,nume,codfiscal,tva,NRJ,SEDIU,LOC,JUDET,CONT,BANCA) "
        "values ('PFA','ALFA CONSULT SRL','1234567',1,'J02/100/2001','BD. REVOLUTIEI NR. 5','',"
        "'ARAD','RO49AAAA1B31007593840000','BANCA TRANSILVANIA')");
    db.exec(
        "insert into firme (COD,DENUMIRE,CODFISCAL,ADRESA,LOC,JUDET) values "
        "('B1','BETA IMPEX SRL','RO7654321','STR. LUNGA NR. 2','BUCURESTI','BUC.SECTOR 3'),"
        "('G1','GAMA SRL','RO7654321','','DEJ','CLUJ')");
    for (const auto& c : cases) {
        db.exec("delete from facturi");
        db.exec(QString("insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,"
                        "TVA,CODCLIENT,FELFACTURA,EXPLICATIE,NUMEPF,TEMEI) values ('1234567','5',"
                        "'2025-10-01',10,10,0,0,%1,'E','ONORARIU',%2,'SFD')")
                    .arg(quoted(c.client), c.person ? c.person : "null"));
        const auto invoices = efactura::issuedInvoices("1234567", {});
        ASSERT_EQ(invoices.size(), 1u);
        const efactura::Buyer& b = invoices[0].buyer;
        EXPECT_EQ(QStringList({b.person ? "persoana" : "firma", b.name, b.code, b.address.street,
                               b.address.locality, b.address.county})
                      .join('|'),
                  c.buyer);
        QStringList expected{"Firma proprie \"ALFA CONSULT SRL\": lipseste localitatea."};
        expected << c.reasons;
        EXPECT_EQ(efactura::problems(invoices[0]), expected) << c.client;
    }
}

// A file that cannot be written is listed like an invoice with problems; an existing file is
// asked about and kept or replaced by the answer.
TEST(EFacturaFiles, WritesKeepsOrListsEachInvoice) {
    TempHome home;
    efactura::Invoice good = samples::firmInvoice();
    efactura::Invoice kept = good, replaced = good, incomplete = good;
    kept.number = "K 1", replaced.number = "R 1", incomplete.number = "P 1";
    incomplete.buyer.address.street.clear();
    for (const char* name : {"K 1_2025-03-05.xml", "R 1_2025-03-05.xml"}) {
        QFile old(home.path(name));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("vechi") == 5);
    }
    QStringList asked;
    const auto replace = [&asked](const QString& path) {
        asked << QFileInfo(path).fileName();
        return path.endsWith("R 1_2025-03-05.xml");
    };
    const efactura::Written w =
        efactura::writeFiles({good, kept, replaced, incomplete}, home.path(), replace);
    EXPECT_EQ(asked, QStringList({"K 1_2025-03-05.xml", "R 1_2025-03-05.xml"}));
    EXPECT_EQ(w.files, 2);
    EXPECT_EQ(w.kept, 1);
    EXPECT_EQ(w.refused,
              QStringList{"Factura P 1 din 05.03.2025:\n  Clientul \"BETA IMPEX SRL\": lipseste "
                          "adresa."});
    QFile again(home.path("R 1_2025-03-05.xml"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), efactura::toXml(replaced));
    // Each file written is archived under emise/<own fiscal code>/, and never overwritten there.
    const QString emise = home.path("emise/" + good.seller.fiscalCode + "/");
    EXPECT_TRUE(QFileInfo::exists(emise + "F 1023_2025-03-05.xml"));
    EXPECT_FALSE(QFileInfo::exists(emise + "K 1_2025-03-05.xml"));
    efactura::Invoice changed = replaced;
    changed.explanation = "ALTA";
    efactura::writeFiles({changed}, home.path(), [](const QString&) { return true; });
    QFile archived(emise + "R 1_2025-03-05.xml");
    ASSERT_TRUE(archived.open(QIODevice::ReadOnly));
    EXPECT_EQ(archived.readAll(), efactura::toXml(replaced));

    const QString missing = home.path("absent");
    const efactura::Written none = efactura::writeFiles({good}, missing, replace);
    EXPECT_EQ(efactura::summary(none),
              "Au fost scrise 0 fisiere e-Factura in " + QDir::toNativeSeparators(missing) +
                  ".\n\nNu au putut fi exportate:\nFactura F 1023 din 05.03.2025:\n  nu s-a putut "
                  "scrie fisierul " +
                  QDir::toNativeSeparators(missing + "/F 1023_2025-03-05.xml") +
                  ".\n\nDatele firmei proprii se completeaza din Fisier - Date firma, ale "
                  "clientului din fereastra firmei (Modificare delegat).");
}

}  // namespace kov::test
