#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/Support.h"
#include "tests/report_engine/DemoReport.h"

using namespace kov;
using namespace kov::report;
using kov::test::DemoReport;
using kov::test::TempDatabase;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST(ReportPdf, APrintedPdfHoldsEveryPageTheTextsAndTheFonts) {
    TempDatabase t;
    test::fillReceipts(300);
    DemoReport report;
    int printed = 0;
    QObject::connect(&report, &ReportForm::AfterPrint, [&] { ++printed; });
    report.setCaption("RLabel2", "Martie 2004");
    report.query().setSql("select * from operatiuni order by rowid");
    report.query().open();
    const int pages = report.layout().pageCount();
    QTemporaryDir dir;
    const QString path = dir.filePath("demo.pdf");
    ASSERT_TRUE(report.printToPdf(path));
    EXPECT_EQ(printed, 1);

    const QString info = run("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))))
        << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size:\\s+59[45](\\.\\d+)? x 84[12](\\.\\d+)? pts")))
        << info.toStdString();
    EXPECT_TRUE(info.contains("Title:           Raport demonstrativ")) << info.toStdString();

    const QString text = run("pdftotext", {"-layout", path, "-"});
    const QStringList pagesText = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pagesText.size(), pages);
    EXPECT_TRUE(pagesText[0].contains("RAPORT DEMONSTRATIV"));
    EXPECT_TRUE(pagesText[0].contains("Martie 2004"));
    EXPECT_TRUE(pagesText[0].contains("FIRMA DEMONSTRATIVA SRL"));
    EXPECT_TRUE(pagesText[0].contains("1,234.50"));
    EXPECT_TRUE(pagesText[0].contains(
        QRegularExpression("\\b7\\s+08\\.03\\.2004\\s+CH\\. 7\\s+INCASARE 7\\s+1,234\\.50\\n")));
    for (int n = 1; n <= pages; ++n) {
        EXPECT_TRUE(pagesText[n - 1].contains("Documentul")) << n;
        EXPECT_TRUE(pagesText[n - 1].contains(QStringLiteral("pag. %1").arg(n))) << n;
    }
    EXPECT_TRUE(pagesText.last().contains("Total:"));
    EXPECT_TRUE(pagesText.last().contains("INCASARE 300"));
    EXPECT_TRUE(pagesText.last().contains("Intocmit"));

    // "Arial", "Arial Narrow" and "Courier New" reach the file as the metric-compatible fonts.
    const QString fonts = run("pdffonts", {path});
    for (const char* font : {"LiberationSans-Bold", "LiberationSansNarrow ",
                             "LiberationSansNarrow-Bold", "LiberationMono"}) {
        EXPECT_TRUE(fonts.contains(font)) << font << "\n" << fonts.toStdString();
    }
}

TEST(ReportPdf, CustomPaperSizeAndAFileThatCannotBeWritten) {
    ReportForm report;
    int printed = 0;
    QObject::connect(&report, &ReportForm::AfterPrint, [&] { ++printed; });
    report.setCustomPaper(209.0, 153.0);
    report.setMargins(1.2, 5.0, 10.0, 5.0);
    report.setPrintIfEmpty(true);
    report.addBand(BandKind::Title, 146.1)
        .addLabel("RLabel7", {65.9, 34.4, 32.0, 4.5}, "1234", {"Arial Narrow", 8}, Align::Center);
    QTemporaryDir dir;
    const QString path = dir.filePath("factura.pdf");
    ASSERT_TRUE(report.printToPdf(path));
    const QString info = run("pdfinfo", {path});
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size:\\s+592(\\.\\d+)? x 43[34](\\.\\d+)? pts")))
        << info.toStdString();
    EXPECT_EQ(run("pdftotext", {path, "-"}).trimmed(), "1234");
    EXPECT_EQ(printed, 1);

    const QString missing = dir.filePath("lipsa/factura.pdf");
    EXPECT_FALSE(report.printToPdf(missing));
    EXPECT_FALSE(QFile::exists(missing));
    report.setPrintIfEmpty(false);
    EXPECT_FALSE(report.printToPdf(dir.filePath("gol.pdf")));
    EXPECT_FALSE(QFile::exists(dir.filePath("gol.pdf")));
    EXPECT_EQ(printed, 1);
}
