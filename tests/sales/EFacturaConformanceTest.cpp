#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <iostream>

#include "tests/Support.h"
#include "tests/sales/EFacturaSamples.h"

namespace kov::test {

// The national validator beside the project; a clone of the project alone has none.
TEST(EFacturaConformance, EveryInvoiceOfTheTablePassesTheNationalValidator) {
    const QString validator = QStringLiteral(KOVALINE_EFACTURA_VALIDATOR);
    if (!QFileInfo(validator).isExecutable()) {
        GTEST_SKIP() << "e-Factura validator not found at " << validator.toStdString()
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
    // One run over all files: each start of the validator costs seconds.
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(validator, files);
    ASSERT_TRUE(process.waitForFinished(-1)) << "validator did not finish";
    const std::string output = QString::fromUtf8(process.readAll()).toStdString();
    std::cout << output;
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << output;
    EXPECT_EQ(QString::fromStdString(output).count(": valid\n"), files.size()) << output;
}

}  // namespace kov::test
