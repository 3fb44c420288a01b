#include "reports/JournalReport.h"

#include <QDate>

#include "reports/ReportLayout.h"

namespace kov::reports {

using namespace report;

namespace {

constexpr double kHeader = 32.0;
constexpr double kHeaderTop = 9.0;  // height of the captions over two sub-columns
constexpr double kDetail = 4.5;

std::vector<double> widths(int exemptColumns) {
    std::vector<double> w{9, 17, 17, 51, 20, 23};
    w.insert(w.end(), static_cast<size_t>(exemptColumns), 27.0);
    w.insert(w.end(), {22, 21, 22, 21});
    return w;
}

}  // namespace

JournalReport::JournalReport(const Captions& captions, QObject* parent) : ReportForm(parent) {
    using namespace fonts;
    setA4(Orientation::Landscape);
    setMargins(10, 10, 10, 10);
    setFooterOnLastPage(true);
    setPrintIfEmpty(true);
    setTitle(captions.title);
    query().setSql(QStringLiteral("select * from registru"));

    const int exempt = static_cast<int>(captions.exempt.size());
    withoutDeduction_ = exempt > 1;
    const Columns cols(widths(exempt));
    const double width = cols.width();
    const int total = 5, base1 = 6 + exempt, vat1 = base1 + 1, base2 = vat1 + 1, vat2 = base2 + 1;
    Names names(QStringLiteral("RShape"));
    Names labels(QStringLiteral("RLabelC"));
    Names fields(QStringLiteral("RDBText"));

    Band& title = addBand(BandKind::Title, 36);
    const double bottom = addTitleLines(title, {"RLabel13", "RLabel12", "RLabel1", "RLabel14"},
                                        captions.title, width, kArial16Bold, kArial12Bold);
    title.addLabel(labels.next(), {width - 30, bottom + 3, 30, 4}, QStringLiteral("- lei -"),
                   kNarrow8Bold, Align::Right);
    title.height = bottom + 8;

    // Captions over two sub-columns take the top of the header, the sub-captions the rest.
    Band& header = addBand(BandKind::ColumnHeader, kHeader);
    header.addShape(names.next(), {0, 0, width, kHeader}, ShapeKind::Rectangle);
    const auto whole = [&](int column, const QStringList& text) {
        addCaption(header, labels.next(), cols.cell(column, 0.5, kHeader - 1), lines(text),
                   kNarrow8Bold);
    };
    // A pair whose caption the program sets passes its name and as many blank lines.
    const auto pair = [&](int first, const QString& name, const QStringList& text,
                          const QStringList& left, const QStringList& right) {
        addCaption(header, name.isEmpty() ? labels.next() : name,
                   cols.cell(first, first + 1, 0.5, kHeaderTop - 1), lines(text), kNarrow8Bold);
        hline(header, names, cols.left(first), cols.right(first + 1), kHeaderTop);
        vline(header, names, cols.left(first + 1), kHeaderTop, kHeader - kHeaderTop);
        const double top = kHeaderTop + 0.5, height = kHeader - kHeaderTop - 1;
        addCaption(header, labels.next(), cols.cell(first, top, height), lines(left), kNarrow8Bold);
        addCaption(header, labels.next(), cols.cell(first + 1, top, height), lines(right),
                   kNarrow8Bold);
    };
    const QStringList base{"Baza", "de", "impozitare"};
    const QStringList vat{"Valoarea", "T.V.A."};
    whole(0, {"Nr.", "Crt."});
    pair(1, {}, {"Documentul"}, {"Data"}, {"Nr."});
    pair(3, {}, {captions.counterparty}, {"Denumirea"},
         {"Codul", "de", "inregis-", "trare fiscala"});
    whole(total, {"Total", "document", "(inclusiv", "TVA)"});
    for (int c = 0; c < exempt; ++c) {
        whole(6 + c, captions.exempt[c].split(u'\n'));
    }
    pair(base1, QStringLiteral("LCota1"), {QString(), QString()}, base, vat);
    pair(base2, QStringLiteral("LCota2"), {QString(), QString()}, base, vat);
    for (int c = 1; c < cols.count(); ++c) {
        if (c != 2 && c != 4 && c != vat1 && c != vat2) {
            vline(header, names, cols.left(c), 0, kHeader);
        }
    }

    Band& detail = addBand(BandKind::Detail, kDetail);
    const auto field = [&](int column, const char* name, Align align, Mask mask = Mask::None) {
        detail.addDataText(fields.next(), cols.cell(column, 0.5, kDetail - 1),
                           QString::fromLatin1(name), kNarrow8, align, mask);
    };
    detail.addSystemData(QStringLiteral("RSysData1"), cols.cell(0, 0.5, kDetail - 1), kNarrow8);
    field(1, "DATA", Align::Right);
    field(2, "NRFACTURA", Align::Left);
    field(3, "DENUMIRE", Align::Left);
    field(4, "CODFISCAL", Align::Right);
    field(total, "SUMA", Align::Right, Mask::Amount);
    field(6, "SCUTITTVA", Align::Right, Mask::Amount);
    field(base1, "FARATVA", Align::Right, Mask::Amount);
    field(vat1, "VALTVA", Align::Right, Mask::Amount);
    field(base2, "FARATVA9", Align::Right, Mask::Amount);
    field(vat2, "VALTVA9", Align::Right, Mask::Amount);
    if (exempt > 1) {  // the sales journal's column without the right of deduction
        field(7, "SCUTITFARA", Align::Right, Mask::Amount);
    }
    ruleColumns(detail, names, cols, 0, cols.count() - 1, 0, kDetail);
    hline(detail, names, 0, width, kDetail);

    Band& summary = addBand(BandKind::Summary, 16);
    hline(summary, names, 0, width, 0.5, 2);
    summary.addLabel(QStringLiteral("RLabel2"), cols.cell(0, 4, 2, 4),
                     QStringLiteral("Total pe jurnal :"), kNarrow8Bold);
    const std::pair<const char*, int> totals[] = {{"LTotal", total},    {"LScutit", 6},
                                                  {"LFaraTVA", base1},  {"LTVA", vat1},
                                                  {"LFaraTVA9", base2}, {"LTVA9", vat2}};
    for (const auto& [name, column] : totals) {
        summary.addLabel(QString::fromLatin1(name), cols.cell(column, 2, 4), QString(),
                         kNarrow8Bold, Align::Right);
    }
    if (exempt > 1) {
        summary.addLabel(QStringLiteral("LScutitFara"), cols.cell(7, 2, 4), QString(), kNarrow8Bold,
                         Align::Right);
    }
    summary.addLabel(QStringLiteral("RLabel3"), {width - 40, 10, 40, 5}, QStringLiteral("Intocmit"),
                     kArial10Bold, Align::Right);

    addPageNumber(*this, width, Align::Left, kNarrow8);
    setRates(journalRates(QDate::currentDate().year(), QDate::currentDate().month()));
}

void JournalReport::setRates(const JournalRates& rates) {
    const QString taxable = QStringLiteral("Operatiuni taxabile\n");
    setCaption(QStringLiteral("LCota1"), taxable + rates.firstCaption);
    setCaption(QStringLiteral("LCota2"), taxable + rates.otherCaption);
}

}  // namespace kov::reports
