#include "reports/RaportJurnal.h"

#include "reports/ReportLayout.h"

using namespace kov::report;
using namespace kov::reports;

namespace {
constexpr double kHeader = 12.0;
constexpr double kHeaderTop = 6.0;
constexpr double kDetail = 4.5;
}  // namespace

TRaportJurnal::TRaportJurnal(QObject* parent) : ReportForm(parent) {
    using namespace fonts;
    setA4(Orientation::Portrait);
    setMargins(10, 10, 10, 10);
    setFooterOnLastPage(true);
    setTitle(QStringLiteral("REGISTRU JURNAL DE INCASARI SI PLATI"));
    const Columns cols({8, 18, 28, 56, 20, 20, 20, 20});
    const double width = cols.width();
    Names names(QStringLiteral("RShape"));
    Names labels(QStringLiteral("RLabelC"));
    Names fields(QStringLiteral("RDBText"));

    Band& title = addBand(BandKind::Title, 30);
    title.height = addTitleLines(title, {"RLabel1", "RLabel2", "RLabel3", "RLabel4"},
                                 QStringLiteral("REGISTRU JURNAL DE INCASARI SI PLATI"), width,
                                 kArial12Bold, kArial10Bold) +
                   4;

    Band& header = addBand(BandKind::ColumnHeader, kHeader);
    header.addShape(names.next(), {0, 0, width, kHeader}, ShapeKind::Rectangle);
    const QStringList whole[] = {{"Nr.", "crt"}, {"Data"}, {"Documentul"}, {"Explicatii"}};
    for (int c = 0; c < 4; ++c) {
        addCaption(header, labels.next(), cols.cell(c, 0.3, kHeader - 0.6), lines(whole[c]),
                   kArial10Bold);
        if (c > 0) {
            vline(header, names, cols.left(c), 0, kHeader);
        }
    }
    for (int first : {4, 6}) {
        addCaption(header, labels.next(), cols.cell(first, first + 1, 0.3, kHeaderTop - 0.6),
                   first == 4 ? QStringLiteral("INCASARI") : QStringLiteral("PLATI"), kArial10Bold);
        hline(header, names, cols.left(first), cols.right(first + 1), kHeaderTop);
        vline(header, names, cols.left(first), 0, kHeader);
        vline(header, names, cols.left(first + 1), kHeaderTop, kHeader - kHeaderTop);
        for (int c : {first, first + 1}) {
            addCaption(
                header, labels.next(), cols.cell(c, kHeaderTop + 0.3, kHeader - kHeaderTop - 0.6),
                c == first ? QStringLiteral("Numerar") : QStringLiteral("Banca"), kArial10Bold);
        }
    }

    Band& detail = addBand(BandKind::Detail, kDetail);
    detail.addSystemData(QStringLiteral("RSysData1"), cols.cell(0, 0.5, kDetail - 1), kNarrow8);
    const std::pair<const char*, Align> values[] = {
        {"DATA", Align::Right},      {"NRDOC", Align::Left},      {"FELOPERATIE", Align::Left},
        {"INCASARIN", Align::Right}, {"INCASARIB", Align::Right}, {"PLATIN", Align::Right},
        {"PLATIB", Align::Right}};
    for (int c = 1; c <= 7; ++c) {
        const auto& [field, align] = values[c - 1];
        detail.addDataText(fields.next(), cols.cell(c, 0.5, kDetail - 1),
                           QString::fromLatin1(field), kNarrow8, align,
                           c >= 4 ? Mask::Amount : Mask::None);
    }
    ruleColumns(detail, names, cols, 0, 7, 0, kDetail);
    hline(detail, names, 0, width, kDetail);

    Band& summary = addBand(BandKind::Summary, 16);
    summary.addShape(names.next(), {0, 0, width, 6}, ShapeKind::Rectangle);
    summary.addLabel(QStringLiteral("RLabel7"), cols.cell(0, 3, 0.8, 4.5), QStringLiteral("Total:"),
                     kArial10Bold);
    const char* totals[] = {"RLabel8", "RLabel9", "RLabel12", "RLabel13"};
    for (int c = 4; c <= 7; ++c) {
        vline(summary, names, cols.left(c), 0, 6);
        summary.addLabel(QString::fromLatin1(totals[c - 4]), cols.cell(c, 1.2, 4), QString(),
                         kNarrow8, Align::Right);
    }
    summary.addLabel(QStringLiteral("RLabel14"), {0, 9, 40, 5}, QStringLiteral("Intocmit"),
                     kArial10Bold);

    addPageNumber(*this, width, Align::Right, kArial10);
}
