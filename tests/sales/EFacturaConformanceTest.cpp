#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QXmlStreamReader>
#include <iostream>

#include "tests/Support.h"
#include "tests/sales/EFacturaSamples.h"

namespace kov::test {

namespace {

// The rule codes of the fatal findings in a rule report, read whole: the validator's own
// summary skips findings whose text runs over several lines.
QStringList fatalFindings(const QString& reportPath) {
    QFile file(reportPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {"no report " + reportPath};
    }
    QStringList found;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"failed-assert") {
            const QString flag = xml.attributes().value("flag").toString();
            if (flag.isEmpty() || flag == u"fatal") {
                found << xml.attributes().value("id").toString();
            }
        }
    }
    return found;
}

}  // namespace

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

    // The rules once more, every file in one run per rule set, each report read whole.
    const QString saxon = QStringLiteral("/usr/share/java/Saxon-HE.jar");
    const QDir rules(QFileInfo(validator).absolutePath() + QStringLiteral("/cius-ro-1.0.9"));
    ASSERT_TRUE(QFileInfo::exists(saxon));
    for (const QString& xslt : rules.entryList({QStringLiteral("*.xslt")})) {
        const QString reports = home.path(QStringLiteral("svrl-") + xslt);
        QDir().mkpath(reports);
        QProcess java;
        java.setProcessChannelMode(QProcess::MergedChannels);
        java.start(QStringLiteral("java"), {"-jar", saxon, "-s:" + home.path(),
                                            "-xsl:" + rules.filePath(xslt), "-o:" + reports});
        ASSERT_TRUE(java.waitForFinished(-1));
        ASSERT_EQ(java.exitCode(), 0) << java.readAll().toStdString();
        for (const QString& xml : files) {
            EXPECT_EQ(fatalFindings(reports + u'/' + QFileInfo(xml).fileName()), QStringList())
                << xslt.toStdString() << " " << xml.toStdString();
        }
    }
}

}  // namespace kov::test
