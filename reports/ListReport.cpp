#include "reports/ListReport.h"

#include "reports/ReportLayout.h"

namespace kov::reports {

using namespace report;

ListReport::ListReport(const ListOptions& options, const std::vector<ListColumn>& columns,
                       QObject* parent)
    : ReportForm(parent) {
    using namespace fonts;
    setA4(options.orientation);
    setMargins(10, 10, 10, 10);
    setFooterOnLastPage(true);
    setTitle(options.title);
    std::vector<double> widths;
    double detailHeight = 4.5;
    int headerLines = 1;
    for (const ListColumn& c : columns) {
        widths.push_back(c.width);
        detailHeight = std::max(detailHeight, c.font.size * 0.45 + 1);
        headerLines = std::max(headerLines, static_cast<int>(c.caption.count(u'\n')) + 1);
    }
    const Columns cols(std::move(widths));
    const double width = cols.width();
    const int last = cols.count() - 1;
    Names names(QStringLiteral("RShape"));
    Names labels(QStringLiteral("RLabelC"));
    Names fields(QStringLiteral("RDBText"));
    Names expressions(QStringLiteral("RExpr"));

    Band& title = addBand(BandKind::Title, 30);
    title.height = addTitleLines(title, {"RLabel1", "RLabel2", "RLabel3", "RLabel4"}, options.title,
                                 width, kArial12Bold, kArial10Bold) +
                   4;

    const double headerHeight = 2 + headerLines * 4.5;
    Band& header = addBand(BandKind::ColumnHeader, headerHeight);
    header.addShape(names.next(), {0, 0, width, headerHeight}, ShapeKind::Rectangle);
    Band& detail = addBand(BandKind::Detail, detailHeight);
    for (int i = 0; i <= last; ++i) {
        const ListColumn& c = columns[static_cast<size_t>(i)];
        addCaption(header, labels.next(), cols.cell(i, 0.5, headerHeight - 1), c.caption,
                   kArial10Bold);
        if (i > 0) {
            vline(header, names, cols.left(i), 0, headerHeight);
        }
        const QRectF cell = cols.cell(i, 0.5, detailHeight - 1);
        switch (c.source) {
            case ListColumn::Source::LineNumber:
                detail.addSystemData(QStringLiteral("RSysData1"), cell, c.font, c.align);
                break;
            case ListColumn::Source::Field:
                detail.addDataText(fields.next(), cell, c.value, c.font, c.align, c.mask);
                break;
            case ListColumn::Source::Expression:
                detail.addExpression(expressions.next(), cell, c.value, c.font, c.align, c.mask);
                break;
        }
    }
    if (options.ruledCells) {
        ruleColumns(detail, names, cols, 0, last, 0, detailHeight);
    }
    hline(detail, names, 0, width, detailHeight);

    constexpr double kTotals = 6.0;
    Band& summary = addBand(BandKind::Summary, options.signature ? 16 : 8);
    if (options.boxedSummary) {
        summary.addShape(names.next(), {0, 0, width, kTotals}, ShapeKind::Rectangle);
    } else {
        hline(summary, names, 0, width, 0.5, 2);
    }
    summary.addLabel(QStringLiteral("RLabel5"), {1, 0.8, 40, 4.5}, QStringLiteral("Total:"),
                     kArial10Bold);
    for (int i = 0; i <= last; ++i) {
        const ListColumn& c = columns[static_cast<size_t>(i)];
        if (c.sum.isEmpty()) {
            continue;
        }
        if (options.boxedSummary) {
            vline(summary, names, cols.left(i), 0, kTotals);
            vline(summary, names, cols.right(i), 0, kTotals);
        }
        summary.addExpression(expressions.next(), cols.cell(i, 1.2, 4), c.sum, options.sumFont,
                              Align::Right, Mask::Amount);
    }
    if (options.signature) {
        summary.addLabel(QStringLiteral("RLabel6"), {0, 9, 40, 5}, QStringLiteral("Intocmit"),
                         kArial10Bold);
    }
    if (options.pageNumbers) {
        addPageNumber(*this, width, Align::Right, kArial8);
    }
}

}  // namespace kov::reports
