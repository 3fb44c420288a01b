#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "tests/Support.h"
#include "tests/efactura/EFacturaCheck.h"
#include "tests/efactura/EFacturaSamples.h"

namespace kov::test {

// The national validator beside the project; a clone of the project alone has none.
TEST(EFacturaConformance, EveryInvoiceOfTheTablePassesTheNationalValidator) {
    if (!validatorPresent()) {
        GTEST_SKIP() << "e-Factura validator not found at " << validatorPath().toStdString()
                     << ": conformance test skipped";
    }
    TempHome home;
    QDir().mkpath(home.path("invoices"));
    QStringList files;
    for (const efactura::Invoice& invoice : samples::conformanceTable()) {
        ASSERT_EQ(efactura::problems(invoice), QStringList()) << invoice.number.toStdString();
        QFile file(home.path("invoices/" + efactura::fileName(invoice)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(efactura::toXml(invoice));
        files << file.fileName();
    }
    // The received fixtures of an Invoice root pass as well. Not checked here: the credit note
    // (the checker reads Invoice roots only) and the storno of type 381 in an Invoice root, which
    // the checker refuses (BR-CL-01) and the import still takes.
    for (const char* name : {"cote_multiple.xml", "reduceri_majorari.xml", "cantitati_negative.xml",
                             "autofactura_389.xml", "valuta_eur.xml", "atasament_pdf.xml",
                             "cumparator_persoana.xml"}) {
        const QString copy = home.path(QStringLiteral("invoices/received_") + name);
        ASSERT_TRUE(QFile::copy(QStringLiteral(KOVALINE_RECEIVED_FIXTURES "/") + name, copy));
        files << copy;
    }
    // The check sees a refusal: the first file without the cities, checked with the others.
    QFile first(files.first());
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(first.readAll());
    first.close();
    text.remove(QRegularExpression("<cbc:CityName>[^<]*</cbc:CityName>"));
    QFile broken(home.path("invoices/broken.xml"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(text.toUtf8());
    broken.close();

    std::map<QString, QStringList> findings = nationalFindings(home.path("invoices"));
    ASSERT_EQ(findings.size(), static_cast<size_t>(files.size()) + 1);
    EXPECT_TRUE(findings["broken.xml"].join(u'\n').contains("[BR-RO-090]"))
        << findings["broken.xml"].join(u'\n').toStdString();
    findings.erase("broken.xml");
    // The schema and the rules' reports, for every file of the table.
    EXPECT_EQ(joined(findings), "");
}

}  // namespace kov::test
