#include <gtest/gtest.h>

#include "report_engine/PagePainter.h"
#include "report_engine/ReportForm.h"
#include "report_engine/TextMetrics.h"
#include "tests/Support.h"

using namespace kov;
using namespace kov::report;
using kov::test::TempDatabase;

namespace {

constexpr double kSlack = 1e-6;
const Font kNarrow{"Arial Narrow", 8, false};

const PlacedItem& only(const Page& page, const QString& name) {
    const auto items = page.find(name);
    EXPECT_EQ(items.size(), 1u) << name.toStdString();
    return *items.at(0);
}

// Left and right edge, in mm, of the ink on a page image.
std::pair<double, double> inkSpan(const QImage& image, int dpi) {
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 192) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left * 25.4 / dpi, (right + 1) * 25.4 / dpi};
}

}  // namespace

TEST(ReportText, PaintedTextSpansWhatTheLayoutMeasuredAtEveryResolution) {
    ReportForm report;
    report.setCustomPaper(100, 12);
    report.setMargins(0, 0, 0, 0);
    report.setPrintIfEmpty(true);
    const QString text = "INCASARE 123 Documentul 1,234.50 Total pe jurnal";
    report.addBand(BandKind::Title, 12).addLabel("RLabel1", {5, 4, 90, 5}, text, kNarrow).autoSize =
        true;
    const PageModel model = report.layout();
    const double measured = TextMetrics().width(kNarrow, text);
    EXPECT_NEAR(model.pages[0].items[0].rect.width(), measured, kSlack);
    for (int dpi : {60, 96, 150, 300}) {
        const auto [left, right] = inkSpan(renderPage(model, 0, dpi), dpi);
        // Side bearings and one pixel apart, the ink covers the measured width.
        EXPECT_NEAR(left, 5.0, 0.3 + 25.4 / dpi) << dpi;
        EXPECT_NEAR(right, 5.0 + measured, 0.3 + 25.4 / dpi) << dpi;
    }
}

TEST(ReportText, AutoSizeFollowsTheTextAnchoredByItsAlignment) {
    ReportForm report;
    report.setCustomPaper(209.0, 153.0);
    report.setMargins(1.2, 5.0, 10.0, 5.0);
    report.setPrintIfEmpty(true);
    Band& title = report.addBand(BandKind::Title, 146.1);
    title.addLabel("RLabel1", {100.3, 21.4, 45.0, 4.5}, "FIRMA CLIENT SRL", kNarrow, Align::Center);
    title.addLabel("RLabel2", {10, 10, 60, 4.5}, "STANGA", kNarrow).autoSize = true;
    title.addLabel("RLabel3", {10, 20, 60, 4.5}, "DREAPTA", kNarrow, Align::Right).autoSize = true;
    title.addLabel("RLabel4", {10, 30, 60, 4.5}, "CENTRU", kNarrow, Align::Center).autoSize = true;
    const PageModel model = report.layout();
    ASSERT_EQ(model.pageCount(), 1);
    EXPECT_EQ(model.paper, QSizeF(209.0, 153.0));
    const Page& page = model.pages[0];

    // Positions are from the band's corner, the band from the margins.
    EXPECT_EQ(only(page, "RLabel1").rect, QRectF(101.5, 26.4, 45.0, 4.5));

    TextMetrics metrics;
    const double left = metrics.width(kNarrow, "STANGA");
    const double right = metrics.width(kNarrow, "DREAPTA");
    const double centre = metrics.width(kNarrow, "CENTRU");
    ASSERT_GT(left, 5.0);
    EXPECT_NEAR(only(page, "RLabel2").rect.left(), 11.2, kSlack);
    EXPECT_NEAR(only(page, "RLabel2").rect.width(), left, kSlack);
    EXPECT_NEAR(only(page, "RLabel3").rect.right(), 71.2, kSlack);
    EXPECT_NEAR(only(page, "RLabel3").rect.width(), right, kSlack);
    EXPECT_NEAR(only(page, "RLabel4").rect.center().x(), 41.2, kSlack);
    EXPECT_NEAR(only(page, "RLabel4").rect.width(), centre, kSlack);
    // A larger or bolder font measures wider.
    EXPECT_GT(metrics.width({"Arial Narrow", 16, false}, "STANGA"), 1.9 * left);
    EXPECT_GT(metrics.width({"Arial Narrow", 8, true}, "STANGA"), left);
    EXPECT_GT(metrics.width({"Arial", 8, false}, "STANGA"), left);
}

TEST(ReportText, WordWrapBreaksWithinTheWidthAndStretchesTheBand) {
    TempDatabase t;
    t.exec("insert into jurnal (NRDOC,FELOPERATIE) values ('1','SCURT')");
    t.exec(
        "insert into jurnal (NRDOC,FELOPERATIE) values ('2','O EXPLICATIE MULT PREA LUNGA "
        "PENTRU O SINGURA LINIE A COLOANEI SI UN CUVANTFOARTEFOARTEFOARTELUNG')");
    t.exec("insert into jurnal (NRDOC,FELOPERATIE) values ('3','SCURT')");
    ReportForm report;
    Band& detail = report.addBand(BandKind::Detail, 5);
    detail.addDataText("RDBText1", {0, 0.5, 10, 4}, "NRDOC", kNarrow);
    auto& text = detail.addDataText("RDBText2", {12, 0.5, 30, 4}, "FELOPERATIE", kNarrow);
    text.wordWrap = true;
    text.autoSize = true;
    auto& fixed = detail.addDataText("RDBText3", {50, 0.5, 30, 4}, "FELOPERATIE", kNarrow);
    fixed.wordWrap = true;
    report.query().setSql("select * from jurnal order by rowid");
    report.query().open();
    const PageModel model = report.layout();
    ASSERT_EQ(model.pageCount(), 1);
    const auto numbers = model.pages[0].find("RDBText1");
    const auto wrapped = model.pages[0].find("RDBText2");
    const auto unstretched = model.pages[0].find("RDBText3");
    ASSERT_EQ(wrapped.size(), 3u);

    TextMetrics metrics;
    const double lineHeight = metrics.lineHeight(kNarrow);
    EXPECT_EQ(wrapped[0]->lines, QStringList{"SCURT"});
    const QStringList lines = wrapped[1]->lines;
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.join(' ').remove(' '), QString(wrapped[1]->text).remove(' '));
    for (const QString& line : lines) {
        EXPECT_LE(metrics.width(kNarrow, line), 30.0 + kSlack) << line.toStdString();
    }
    EXPECT_FALSE(metrics.width(kNarrow, lines[0] + " " + lines[1].section(' ', 0, 0)) <= 30.0);
    EXPECT_NEAR(wrapped[1]->rect.height(), lines.size() * lineHeight, kSlack);
    EXPECT_NEAR(wrapped[1]->lineHeight, lineHeight, kSlack);
    // The stretched row pushes the next one down; the row before keeps its height.
    EXPECT_NEAR(numbers[1]->rect.top() - numbers[0]->rect.top(), 5.0, kSlack);
    EXPECT_NEAR(numbers[2]->rect.top() - numbers[1]->rect.top(), 0.5 + lines.size() * lineHeight,
                kSlack);
    // Without auto size the control keeps its rectangle yet prints every line.
    EXPECT_NEAR(unstretched[1]->rect.height(), 4.0, kSlack);
    EXPECT_EQ(unstretched[1]->lines, lines);
}
