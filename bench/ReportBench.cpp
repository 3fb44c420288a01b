// Report engine figures: laying out a 10,000-row report with five columns and a summary, and
// painting its first page as the preview does.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "data/Database.h"
#include "data/Query.h"
#include "report_engine/PagePainter.h"
#include "report_engine/ReportForm.h"

using namespace kov;
using namespace kov::report;

namespace {

constexpr int kRows = 10000;

void fill() {
    Transaction t;
    Query q;
    for (int i = 1; i <= kRows; ++i) {
        q.setSql(QStringLiteral("insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,SUMA,"
                                "FARATVA,BANCA,DEFALCARE,TIP,REGISTRU) values('RO1','2004-%2-%1',"
                                "'CH. %3','INCASARE %3',%4,%5,0,0,'incasare',1)")
                     .arg(i % 28 + 1, 2, 10, QChar(u'0'))
                     .arg(i % 12 + 1, 2, 10, QChar(u'0'))
                     .arg(i)
                     .arg(i * 1.19, 0, 'f', 2)
                     .arg(i * 1.0, 0, 'f', 2));
        q.execSql();
    }
    t.commit();
}

void build(ReportForm& r) {
    r.setA4(Orientation::Portrait);
    r.setFooterOnLastPage(true);
    const Font narrow{"Arial Narrow", 8, false};
    Band& title = r.addBand(BandKind::Title, 20);
    title.addLabel("RLabel1", {0, 0, 190, 8}, "REGISTRU", {"Arial", 16, true}, Align::Center);
    Band& header = r.addBand(BandKind::ColumnHeader, 8);
    header.addShape("RShape1", {0, 0, 190, 8}, ShapeKind::Rectangle);
    const QStringList captions{"Data", "Documentul", "Explicatii", "Suma", "Suma fara TVA"};
    for (int c = 0; c < 5; ++c) {
        header.addLabel(QStringLiteral("RLabel%1").arg(c + 2), {c * 38.0, 2, 38, 4}, captions[c],
                        {"Arial Narrow", 8, true}, Align::Center);
    }
    Band& detail = r.addBand(BandKind::Detail, 5);
    detail.addDataText("RDBText1", {0, 0.5, 36, 4}, "DATA", narrow, Align::Right);
    detail.addDataText("RDBText2", {39, 0.5, 36, 4}, "NRDOC", narrow);
    detail.addDataText("RDBText3", {77, 0.5, 36, 4}, "FELOPERATIE", narrow);
    detail.addDataText("RDBText4", {115, 0.5, 36, 4}, "SUMA", narrow, Align::Right, Mask::Amount);
    detail.addDataText("RDBText5", {153, 0.5, 36, 4}, "FARATVA", narrow, Align::Right,
                       Mask::Amount);
    detail.addShape("RShape2", {0, 4.7, 190, 0.2}, ShapeKind::HorizontalLine);
    Band& summary = r.addBand(BandKind::Summary, 10);
    summary.addLabel("RLabel8", {0, 2, 30, 5}, "Total:", {"Arial", 10, true});
    summary.addExpression("RExpr1", {115, 2, 36, 5}, "SUM(Query1.SUMA)", narrow, Align::Right,
                          Mask::Amount);
    summary.addExpression("RExpr2", {153, 2, 36, 5}, "SUM(Query1.FARATVA)", narrow, Align::Right,
                          Mask::Amount);
    r.addBand(BandKind::PageFooter, 6)
        .addExpression("RExpr3", {0, 1, 40, 4}, "'pag. ' + PAGENUMBER", narrow);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    Database db(kMainDatabase);
    db.open(dir.filePath("bench.db"), true);
    fill();

    ReportForm report;
    build(report);
    report.query().setSql("select * from operatiuni order by rowid");
    report.query().open();

    QElapsedTimer clock;
    clock.start();
    report.layout();  // the first one also loads the fonts
    std::printf("first layout of %d rows: %.1f ms\n", kRows, clock.nsecsElapsed() / 1e6);
    clock.restart();
    const PageModel model = report.layout();
    std::printf("layout of %d rows: %d pages in %.1f ms (target < 1000 ms)\n", kRows,
                model.pageCount(), clock.nsecsElapsed() / 1e6);

    for (int dpi : {96, 150}) {
        clock.restart();
        const QImage image = renderPage(model, 0, dpi);
        std::printf("first page painted into a %dx%d image (%d dpi): %.1f ms (target < 100 ms)\n",
                    image.width(), image.height(), dpi, clock.nsecsElapsed() / 1e6);
    }
    return 0;
}
