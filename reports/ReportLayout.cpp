#include "reports/ReportLayout.h"

#include "report_engine/TextMetrics.h"

#include <algorithm>

namespace kov::reports {

using namespace report;

namespace {
constexpr double kPad = 0.8;  // text keeps this far from a rule
}  // namespace

Columns::Columns(std::vector<double> widths) : widths_(std::move(widths)) {
    double x = 0.0;
    for (double w : widths_) {
        lefts_.push_back(x);
        x += w;
    }
}

QRectF Columns::cell(int first, int last, double top, double height) const {
    return QRectF(left(first) + kPad, top, right(last) - left(first) - 2 * kPad, height);
}

void ruleColumns(Band& band, Names& names, const Columns& columns, int first, int last, double top,
                 double height) {
    for (int c = first; c <= last + 1; ++c) {
        const double x = c <= last ? columns.left(c) : columns.right(last);
        vline(band, names, x, top, height);
    }
}

void vline(Band& band, Names& names, double x, double top, double height) {
    band.addShape(names.next(), {x - 0.5, top, 1.0, height}, ShapeKind::VerticalLine);
}

void hline(Band& band, Names& names, double left, double right, double y, int penWidth) {
    band.addShape(names.next(), {left, y - 0.5, right - left, 1.0}, ShapeKind::HorizontalLine,
                  penWidth);
}

double addTitleLines(Band& band, const TitleLabels& labels, const QString& title, double width,
                     const Font& titleFont, const Font& periodFont) {
    band.addLabel(labels.description, {0, 0, width / 2, 4.5}, QString(), fonts::kArial10Bold);
    band.addLabel(labels.name, {0, 5, width / 2, 4.5}, QString(), fonts::kArial10Bold);
    const double titleHeight = titleFont.size * 0.45;
    band.addLabel(labels.title, {0, 11, width, titleHeight}, title, titleFont, Align::Center);
    const double periodTop = 11 + titleHeight + 1;
    const double periodHeight = periodFont.size * 0.45;
    band.addLabel(labels.period, {0, periodTop, width, periodHeight}, QString(), periodFont,
                  Align::Center);
    return periodTop + periodHeight;
}

Label& addCaption(Band& band, const QString& name, const QRectF& area, const QString& caption,
                  const Font& font) {
    static TextMetrics metrics;
    const double height = metrics.lineHeight(font) * (caption.count(u'\n') + 1);
    const QRectF rect(area.left(), area.top() + std::max(0.0, (area.height() - height) / 2),
                      area.width(), std::min(height, area.height()));
    return band.addLabel(name, rect, caption, font, Align::Center);
}

void addPageNumber(ReportForm& form, double width, Align align, const Font& font) {
    form.addBand(BandKind::PageFooter, 6)
        .addExpression(QStringLiteral("RExpr0"), {0, 1.5, width, 4.5},
                       QStringLiteral("'pag. ' + PAGENUMBER"), font, align);
}

}  // namespace kov::reports
