#include <gtest/gtest.h>

#include <cmath>

#include "data/Values.h"
#include "tests/Support.h"
#include "tests/report_engine/DemoReport.h"

using namespace kov;
using namespace kov::report;
using kov::test::DemoReport;
using kov::test::TempDatabase;

namespace {

constexpr double kSlack = 1e-6;

PageModel layoutDemo(DemoReport& report) {
    report.query().setSql("select * from operatiuni order by rowid");
    report.query().open();
    PageModel model = report.layout();
    report.query().close();
    return model;
}

QStringList textsOf(const Page& page, const QString& name) {
    QStringList out;
    for (const PlacedItem* item : page.find(name)) {
        out << item->text;
    }
    return out;
}

// Rows on the first page and on each later one, from the band heights.
std::pair<int, int> rowsPerPage() {
    const double body = 297.0 - 2 * DemoReport::kMargin - DemoReport::kFooter;
    return {
        static_cast<int>((body - DemoReport::kTitle - DemoReport::kHeader) / DemoReport::kDetail),
        static_cast<int>((body - DemoReport::kHeader) / DemoReport::kDetail)};
}

}  // namespace

TEST(ReportLayout, PagesCarryHeaderLineNumbersFooterAndTheTotal) {
    TempDatabase t;
    const int rows = 300;
    test::fillReceipts(rows);
    DemoReport report;
    report.setCaption("RLabel2", "Martie 2004");
    const PageModel model = layoutDemo(report);

    const auto [first, later] = rowsPerPage();
    const int expectedPages = 1 + (rows - first + later - 1) / later;
    ASSERT_EQ(model.pageCount(), expectedPages);
    EXPECT_EQ(model.paper, QSizeF(210, 297));

    int line = 0;
    for (const Page& page : model.pages) {
        SCOPED_TRACE(page.number);
        // Title on the first page only, then the column header on top of every page.
        EXPECT_EQ(textsOf(page, "RLabel2"),
                  page.number == 1 ? QStringList{"Martie 2004"} : QStringList{});
        const double headerTop = DemoReport::kMargin + (page.number == 1 ? DemoReport::kTitle : 0);
        ASSERT_EQ(page.find("RShape1").size(), 1u);
        EXPECT_NEAR(page.find("RShape1")[0]->rect.top(), headerTop, kSlack);
        EXPECT_EQ(textsOf(page, "RLabel8"), QStringList{"Documentul"});
        // Detail lines continue the numbering and stay above the footer.
        for (const PlacedItem* item : page.find("RSysData1")) {
            EXPECT_EQ(item->text, QString::number(++line));
            EXPECT_GT(item->rect.top(), headerTop + DemoReport::kHeader - kSlack);
        }
        for (const PlacedItem* item : page.fromBand(BandKind::Detail)) {
            EXPECT_LE(item->rect.bottom(),
                      297 - DemoReport::kMargin - DemoReport::kFooter + kSlack);
        }
        const auto footer = page.find("RExpr2");
        ASSERT_EQ(footer.size(), 1u);
        EXPECT_EQ(footer[0]->text, QStringLiteral("pag. %1").arg(page.number));
        EXPECT_NEAR(footer[0]->rect.top(), 297 - DemoReport::kMargin - DemoReport::kFooter + 1,
                    kSlack);
    }
    EXPECT_EQ(line, rows);
    EXPECT_EQ(model.pages[0].find("RSysData1").size(), static_cast<size_t>(first));
    EXPECT_EQ(model.pages[1].find("RSysData1").size(), static_cast<size_t>(later));

    const Page& firstPage = model.pages.front();
    EXPECT_EQ(firstPage.find("RDBText4")[6]->text, "1,234.50");
    EXPECT_EQ(firstPage.find("RDBText4")[0]->text, "10.25");
    EXPECT_EQ(firstPage.find("RDBText1")[0]->text, "02.03.2004");
    EXPECT_EQ(firstPage.find("RDBText3")[1]->text, "INCASARE 2");

    double total = 0;
    for (int i = 1; i <= rows; ++i) {
        total += test::receiptAmount(i);
    }
    const Page& last = model.pages.back();
    EXPECT_EQ(textsOf(last, "RExpr1"), QStringList{displayAmount(total)});
    EXPECT_EQ(displayAmount(total),
              displayAmount(t.value("select sum(SUMA) from operatiuni").toDouble()));
    EXPECT_EQ(textsOf(last, "RLabel5"), QStringList{"Intocmit"});
    for (size_t i = 0; i + 1 < model.pages.size(); ++i) {
        EXPECT_TRUE(model.pages[i].fromBand(BandKind::Summary).empty());
    }
}

TEST(ReportLayout, SummaryThatDoesNotFitGoesToANewPageAndFooterOptionHoldsForTheLastPage) {
    TempDatabase t;
    const auto [first, later] = rowsPerPage();
    // Fills the second page exactly, leaving no room for the summary.
    test::fillReceipts(first + later);
    DemoReport report;
    PageModel model = layoutDemo(report);
    ASSERT_EQ(model.pageCount(), 3);
    const Page& last = model.pages[2];
    EXPECT_TRUE(last.fromBand(BandKind::Detail).empty());
    EXPECT_EQ(textsOf(last, "RLabel8"), QStringList{"Documentul"});
    ASSERT_EQ(last.find("RLabel4").size(), 1u);
    EXPECT_NEAR(last.find("RLabel4")[0]->rect.top(), DemoReport::kMargin + DemoReport::kHeader + 2,
                kSlack);
    EXPECT_EQ(textsOf(last, "RExpr2"), QStringList{"pag. 3"});

    report.setFooterOnLastPage(false);
    model = layoutDemo(report);
    ASSERT_EQ(model.pageCount(), 3);
    EXPECT_EQ(textsOf(model.pages[1], "RExpr2"), QStringList{"pag. 2"});
    EXPECT_TRUE(model.pages[2].find("RExpr2").empty());
}

TEST(ReportLayout, EmptyDataSetPrintsTheTitleOnlyWhenAsked) {
    TempDatabase t;
    DemoReport report;
    report.setCaption("RLabel2", "Aprilie 2004");
    PageModel model = layoutDemo(report);
    ASSERT_EQ(model.pageCount(), 1);
    const Page& page = model.pages[0];
    EXPECT_EQ(textsOf(page, "RLabel1"), QStringList{"RAPORT DEMONSTRATIV"});
    EXPECT_EQ(textsOf(page, "RLabel2"), QStringList{"Aprilie 2004"});
    EXPECT_TRUE(page.fromBand(BandKind::Detail).empty());
    EXPECT_EQ(textsOf(page, "RExpr1"), QStringList{"0.00"});
    EXPECT_EQ(textsOf(page, "RExpr2"), QStringList{"pag. 1"});

    // A form without a data set, like the invoice, prints too.
    EXPECT_EQ(report.layout().pageCount(), 1);

    report.setPrintIfEmpty(false);
    EXPECT_EQ(layoutDemo(report).pageCount(), 0);
    report.query().setSql("select * from operatiuni");
    report.query().open();
    EXPECT_FALSE(report.preview());
    EXPECT_EQ(report.previewWindow(), nullptr);
}

TEST(ReportLayout, ExpressionsJoinTextAddNumbersAndSumTheRowsPrintedSoFar) {
    TempDatabase t;
    test::fillReceipts(120);
    t.exec("update operatiuni set OBSERVATII='ACHITAT' where NRDOC='CH. 1'");
    DemoReport report;
    report.band(BandKind::Detail)
        ->addExpression("RExpr3", {0, 0, 50, 4}, "Query1.FelOperatie+' '+Query1.Observatii");
    report.band(BandKind::PageFooter)
        ->addExpression("RExpr4", {100, 1, 89, 4}, "SUM(query1.suma) + 0.5", {"Arial", 8},
                        Align::Right, Mask::Amount);
    report.band(BandKind::PageFooter)->addExpression("RExpr5", {50, 1, 40, 4}, "PAGENUMBER + 1");
    const PageModel model = layoutDemo(report);
    ASSERT_GE(model.pageCount(), 3);
    EXPECT_EQ(textsOf(model.pages[0], "RExpr3").mid(0, 2),
              QStringList({"INCASARE 1 ACHITAT", "INCASARE 2 "}));

    double running = 0;
    int line = 0;
    for (const Page& page : model.pages) {
        line += static_cast<int>(page.find("RSysData1").size());
        running = 0;
        for (int i = 1; i <= line; ++i) {
            running += test::receiptAmount(i);
        }
        EXPECT_EQ(textsOf(page, "RExpr4"), QStringList{displayAmount(running + 0.5)});
        EXPECT_EQ(textsOf(page, "RExpr5"), QStringList{QString::number(page.number + 1)});
    }

    for (const char* bad : {"'pag. ' +", "SUM(Query1.SUMA", "'neterminat", "Query1.", "1 2", ""}) {
        EXPECT_THROW(Formula{bad}, ReportError) << bad;
    }
    DemoReport other;
    other.band(BandKind::Summary)->addExpression("RExpr6", {0, 0, 10, 4}, "Query2.SUMA");
    EXPECT_THROW(layoutDemo(other), ReportError);
    EXPECT_THROW(other.setCaption("RLabel99", "x"), ReportError);
    EXPECT_THROW(other.setCaption("RExpr1", "x"), ReportError);
    EXPECT_THROW(other.addBand(BandKind::Detail, 5), ReportError);
}

TEST(ReportLayout, SumsReadDisplayAmountsAndRefuseText) {
    TempDatabase t;
    t.exec("insert into jurnal (DATA,NRDOC,INCASARIN) values ('01.03.2004','CH. 1','1,234.50')");
    t.exec("insert into jurnal (DATA,NRDOC,INCASARIN) values ('02.03.2004','CH. 2','')");
    t.exec("insert into jurnal (DATA,NRDOC,INCASARIN) values ('03.03.2004','CH. 3','-10.5')");
    ReportForm report;
    report.addBand(BandKind::Detail, 5)
        .addDataText("RDBText1", {0, 0, 30, 4}, "INCASARIN", {}, Align::Right, Mask::Amount);
    report.addBand(BandKind::Summary, 5)
        .addExpression("RExpr1", {0, 0, 30, 4}, "SUM(Query1.INCASARIN)", {}, Align::Right,
                       Mask::Amount);
    report.query().setSql("select * from jurnal order by rowid");
    report.query().open();
    const PageModel model = report.layout();
    EXPECT_EQ(textsOf(model.pages[0], "RDBText1"), QStringList({"1,234.50", "", "-10.50"}));
    EXPECT_EQ(textsOf(model.pages[0], "RExpr1"), QStringList{"1,224.00"});

    t.exec("update jurnal set INCASARIN='doi lei' where NRDOC='CH. 2'");
    report.query().open();
    try {
        report.layout();
        ADD_FAILURE() << "a sum over text was accepted";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), "Campul INCASARIN nu contine un numar: 'doi lei'");
    }
}
