#include "tests/report_engine/DemoReport.h"

#include "data/Query.h"

namespace kov::test {

using namespace report;

DemoReport::DemoReport() {
    setA4(Orientation::Portrait);
    setMargins(kMargin, kMargin, kMargin, kMargin);
    setFooterOnLastPage(true);
    setPrintIfEmpty(true);
    setTitle(QStringLiteral("Raport demonstrativ"));
    const Font narrow{"Arial Narrow", 8, false};
    const Font narrowBold{"Arial Narrow", 8, true};
    const Font bold10{"Arial", 10, true};

    Band& title = addBand(BandKind::Title, kTitle);
    title.addLabel("RLabel3", {0, 0, 100, 5}, "FIRMA DEMONSTRATIVA SRL", bold10).autoSize = true;
    title.addLabel("RLabel1", {0, 8, 190, 8}, "RAPORT DEMONSTRATIV", {"Arial", 16, true},
                   Align::Center);
    title.addLabel("RLabel2", {0, 17, 190, 6}, "", {"Arial", 12, true}, Align::Center);

    Band& header = addBand(BandKind::ColumnHeader, kHeader);
    header.addShape("RShape1", {0, 0, 190, 9}, ShapeKind::Rectangle);
    for (double x : {12.0, 35.0, 65.0, 155.0}) {
        header.addShape(QStringLiteral("RShapeV%1").arg(x), {x - 0.5, 0, 1, 9},
                        ShapeKind::VerticalLine);
    }
    header.addLabel("RLabel6", {0, 0.5, 12, 8}, "Nr.\ncrt", narrowBold, Align::Center);
    header.addLabel("RLabel7", {12, 2.5, 23, 4}, "Data", narrowBold, Align::Center);
    header.addLabel("RLabel8", {35, 2.5, 30, 4}, "Documentul", narrowBold, Align::Center);
    header.addLabel("RLabel9", {65, 2.5, 90, 4}, "Explicatii", narrowBold, Align::Center);
    header.addLabel("RLabel10", {155, 2.5, 35, 4}, "Suma", narrowBold, Align::Center);

    Band& detail = addBand(BandKind::Detail, kDetail);
    detail.addSystemData("RSysData1", {0, 0.5, 11, 4}, narrow);
    detail.addDataText("RDBText1", {12, 0.5, 22, 4}, "DATA", narrow, Align::Right);
    detail.addDataText("RDBText2", {36, 0.5, 28, 4}, "NRDOC", narrow);
    detail.addDataText("RDBText3", {66, 0.5, 88, 4}, "FELOPERATIE", narrow);
    detail.addDataText("RDBText4", {156, 0.5, 33, 4}, "SUMA", narrow, Align::Right, Mask::Amount);
    detail.addShape("RShape2", {0, 4.7, 190, 0.2}, ShapeKind::HorizontalLine);

    Band& summary = addBand(BandKind::Summary, kSummary);
    summary.addShape("RShape3", {0, 0.5, 190, 0.3}, ShapeKind::HorizontalLine, 2);
    summary.addLabel("RLabel4", {0, 2, 40, 5}, "Total:", bold10);
    summary.addExpression("RExpr1", {120, 2, 69, 5}, "SUM(Query1.SUMA)", {"Courier New", 9},
                          Align::Right, Mask::Amount);
    summary.addLabel("RLabel5", {0, 8, 40, 5}, "Intocmit", bold10);

    addBand(BandKind::PageFooter, kFooter)
        .addExpression("RExpr2", {0, 1, 40, 4}, "'pag. ' + PAGENUMBER", narrow);
}

double receiptAmount(int i) {
    return i == 7 ? 1234.5 : i * 10.25;
}

void fillReceipts(int n) {
    Transaction t;
    Query q;
    for (int i = 1; i <= n; ++i) {
        q.setSql(QStringLiteral("insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,SUMA,"
                                "FARATVA,BANCA,DEFALCARE,TIP,REGISTRU) values('RO1','2004-03-%1',"
                                "'CH. %2','INCASARE %2',%3,%3,0,0,'incasare',1)")
                     .arg(i % 28 + 1, 2, 10, QChar(u'0'))
                     .arg(i)
                     .arg(receiptAmount(i), 0, 'f', 2));
        q.execSql();
    }
    t.commit();
}

}  // namespace kov::test
