#include <gtest/gtest.h>

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
    QStringList files;
    for (const efactura::Invoice& invoice : samples::conformanceTable()) {
        ASSERT_EQ(efactura::problems(invoice), QStringList()) << invoice.number.toStdString();
        QFile file(home.path(efactura::fileName(invoice)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(efactura::toXml(invoice));
        files << file.fileName();
    }
    // The validator's summary, and the rules' reports read whole.
    EXPECT_EQ(nationalFindings(files), "");

    // The check sees a refusal: the first file without the cities.
    QFile first(files.first());
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(first.readAll());
    first.close();
    text.remove(QRegularExpression("<cbc:CityName>[^<]*</cbc:CityName>"));
    QFile broken(home.path("broken.xml"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(text.toUtf8());
    broken.close();
    EXPECT_TRUE(nationalFindings({broken.fileName()}).contains("[BR-RO-090]"));
}

}  // namespace kov::test
