#include "documents/RaportFacturaA4.h"

#include "data/Values.h"
#include "report_engine/TextMetrics.h"

using namespace kov::report;

namespace {

constexpr double kWidth = 180.0;  // between the margins
constexpr double kHalf = 87.0;    // each party's block
constexpr double kHeader = 12.0;
constexpr double kLine = 5.0;

const Font kTitle{QStringLiteral("Arial"), 18, true};
const Font kBold10{QStringLiteral("Arial"), 10, true};
const Font kText9{QStringLiteral("Arial"), 9, false};
const Font kBold9{QStringLiteral("Arial"), 9, true};
const Font kNarrow8{QStringLiteral("Arial Narrow"), 8, false};
const Font kNarrow8Bold{QStringLiteral("Arial Narrow"), 8, true};

// The table's columns: caption, data field, alignment, width with VAT and without.
struct Column {
    const char* caption;
    const char* field;
    Align align;
    double withVat, withoutVat;
};
const Column kColumns[] = {
    {"Nr. crt.", "NR", Align::Center, 9, 9},
    {"Denumirea produselor sau a serviciilor", "TEXT", Align::Left, 61, 85},
    {"U.M.", "UM", Align::Center, 12, 12},
    {"Cantitatea", "CANT", Align::Right, 16, 16},
    {"Pretul unitar (fara TVA) -lei-", "PRET", Align::Right, 24, 29},
    {"Valoarea -lei-", "VALOARE", Align::Right, 24, 29},
    {"Cota TVA", "COTA", Align::Center, 12, 0},
    {"Valoarea TVA -lei-", "TVA", Align::Right, 22, 0},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

QString columnName(const char* prefix, int c) {
    return QLatin1String(prefix) + QString::number(c);
}

QString rateText(double rate) {
    return kov::plainNumber(rate) + QStringLiteral(" %");
}

QString partyText(const kov::InvoiceParty& p, bool supplier) {
    QStringList lines{p.name};
    const QString code = kov::printedFiscalCode(p);
    if (p.person) {
        lines << QStringLiteral("CNP: ") + code;
    } else {
        lines << QStringLiteral("Cod fiscal: ") + code;
    }
    if (supplier || !p.registration.isEmpty()) {
        lines << QStringLiteral("Nr. Reg. Com.: ") + p.registration;
    }
    lines << (p.person || !supplier ? QStringLiteral("Adresa: ") : QStringLiteral("Sediul: ")) +
                 p.address;
    lines << QStringLiteral("Localitatea: ") + p.locality;
    lines << QStringLiteral("Judetul: ") + p.county;
    if (!p.person && (supplier || !p.iban.isEmpty())) {
        lines << QStringLiteral("IBAN: ") + p.iban;
    }
    if (!p.person && (supplier || !p.bank.isEmpty())) {
        lines << QStringLiteral("Banca: ") + p.bank;
    }
    return lines.join(u'\n');
}

Label& addText(Band& band, const QString& name, const QRectF& rect, const QString& caption,
               const Font& font, Align align = Align::Left) {
    Label& label = band.addLabel(name, rect, caption, font, align);
    label.wordWrap = true;
    label.autoSize = true;  // wrapped: the height grows with the lines
    return label;
}

}  // namespace

TRaportFacturaA4::TRaportFacturaA4(QObject* parent) : ReportForm(parent) {
    setObjectName(QStringLiteral("RaportFacturaA4"));
    setTitle(QStringLiteral("Factura"));
    setA4(Orientation::Portrait);
    setMargins(15, 12, 15, 12);
    setFooterOnLastPage(true);
    setPrintIfEmpty(true);

    Band& title = addBand(BandKind::Title, 60);
    addText(title, QStringLiteral("LTitlu"), {0, 0, kWidth, 9}, QStringLiteral("FACTURA"), kTitle,
            Align::Center);
    addText(title, QStringLiteral("LNumar"), {0, 10, kWidth, 5}, QString(), kBold10, Align::Center);
    addText(title, QStringLiteral("LData"), {0, 15, kWidth, 5}, QString(), kText9, Align::Center);
    addText(title, QStringLiteral("LFurnizorTitlu"), {0, 23, kHalf, 5}, QStringLiteral("Furnizor"),
            kBold10);
    addText(title, QStringLiteral("LClientTitlu"), {kWidth - kHalf, 23, kHalf, 5},
            QStringLiteral("Cumparator"), kBold10);
    title.addShape(QStringLiteral("RShapeF"), {0, 28.5, kHalf, 0.3}, ShapeKind::HorizontalLine);
    title.addShape(QStringLiteral("RShapeC"), {kWidth - kHalf, 28.5, kHalf, 0.3},
                   ShapeKind::HorizontalLine);
    addText(title, QStringLiteral("LFurnizor"), {0, 30, kHalf, 5}, QString(), kText9);
    addText(title, QStringLiteral("LClient"), {kWidth - kHalf, 30, kHalf, 5}, QString(), kText9);

    Band& header = addBand(BandKind::ColumnHeader, kHeader);
    header.addShape(QStringLiteral("RShapeH"), {0, 0, kWidth, kHeader}, ShapeKind::Rectangle);
    Band& detail = addBand(BandKind::Detail, kLine);
    detail.addShape(QStringLiteral("RShapeD"), {0, 0, kWidth, 0.3}, ShapeKind::HorizontalLine);
    for (int c = 0; c < kColumnCount; ++c) {
        const Column& col = kColumns[c];
        addText(header, columnName("LCap", c), {}, QLatin1String(col.caption), kNarrow8Bold,
                Align::Center);
        if (c > 0) {
            header.addShape(columnName("RShapeV", c), {}, ShapeKind::VerticalLine);
        }
        DataText& text = detail.addDataText(columnName("RDBText", c), {}, QLatin1String(col.field),
                                            kNarrow8, col.align);
        text.wordWrap = true;
        text.autoSize = true;
    }

    Band& summary = addBand(BandKind::Summary, 60);
    summary.addShape(QStringLiteral("RShapeS"), {0, 0, kWidth, 0.3}, ShapeKind::HorizontalLine);
    addText(summary, QStringLiteral("LTotalText"), {}, QStringLiteral("Total"), kBold9,
            Align::Right);
    addText(summary, QStringLiteral("LTotalNet"), {}, QString(), kBold9, Align::Right);
    addText(summary, QStringLiteral("LTotalTVA"), {}, QString(), kBold9, Align::Right);
    addText(summary, QStringLiteral("LCote"), {0, 0, kWidth, kLine}, QString(), kText9,
            Align::Right);
    addText(summary, QStringLiteral("LDePlataText"), {90, 0, 55, kLine},
            QStringLiteral("Total de plata:"), kBold10, Align::Right);
    addText(summary, QStringLiteral("LDePlata"), {145, 0, 35, kLine}, QString(), kBold10,
            Align::Right);
    addText(summary, QStringLiteral("LDinCareText"), {90, 0, 55, kLine},
            QStringLiteral("din care TVA:"), kText9, Align::Right);
    addText(summary, QStringLiteral("LDinCare"), {145, 0, 35, kLine}, QString(), kText9,
            Align::Right);
    addText(summary, QStringLiteral("LMentiuni"), {0, 0, kWidth, kLine}, QString(), kText9);
    addText(summary, QStringLiteral("LExpeditie"), {0, 0, kWidth, kLine}, QString(), kText9);
    addText(summary, QStringLiteral("LIntocmit"), {0, 0, 70, kLine}, QStringLiteral("Intocmit de:"),
            kBold9);
    addText(summary, QStringLiteral("LPrimire"), {kWidth - 70, 0, 70, kLine},
            QStringLiteral("Semnatura de primire:"), kBold9, Align::Right);

    addBand(BandKind::PageFooter, 6)
        .addExpression(QStringLiteral("RExprPag"), {0, 1, kWidth, 4}, QStringLiteral("''"),
                       kNarrow8, Align::Right);
    setColumns(true);
}

// The table's columns, the VAT pair only for a VAT payer.
void TRaportFacturaA4::setColumns(bool vat) {
    double left = 0;
    std::vector<double> lefts, widths;
    for (const Column& col : kColumns) {
        const double w = vat ? col.withVat : col.withoutVat;
        lefts.push_back(left);
        widths.push_back(w);
        left += w;
    }
    const auto controlOf = [this](BandKind kind, const QString& name) -> Control* {
        for (const auto& control : band(kind)->controls()) {
            if (control->name == name) {
                return control.get();
            }
        }
        return nullptr;
    };
    for (int c = 0; c < kColumnCount; ++c) {
        const double l = lefts[c], w = widths[c];
        const bool shown = w > 0;
        Label& caption = label(columnName("LCap", c));
        caption.rect = QRectF(l + 0.5, 1, std::max(0.0, w - 1), kHeader - 2);
        caption.caption = shown ? QLatin1String(kColumns[c].caption) : QString();
        if (Control* v = controlOf(BandKind::ColumnHeader, columnName("RShapeV", c))) {
            v->rect = QRectF(l, 0, 0, shown ? kHeader : 0);
        }
        controlOf(BandKind::Detail, columnName("RDBText", c))->rect =
            QRectF(l + 0.7, 0.7, std::max(0.0, w - 1.4), kLine - 1.4);
    }
    const auto at = [&](int c) { return lefts[static_cast<size_t>(c)]; };
    label(QStringLiteral("LTotalText")).rect = QRectF(0, 1, at(5) - 2, kLine);
    label(QStringLiteral("LTotalNet")).rect = QRectF(at(5), 1, widths[5] - 0.7, kLine);
    label(QStringLiteral("LTotalTVA")).rect =
        QRectF(at(7), 1, std::max(0.0, widths[7] - 0.7), kLine);
}

// Puts the label's text at the top given and returns the height it takes.
double TRaportFacturaA4::placeText(const QString& name, double top, const QString& text) {
    Label& l = label(name);
    l.caption = text;
    l.rect.moveTop(top);
    if (text.isEmpty()) {
        return 0;
    }
    TextMetrics metrics;
    const double lines = static_cast<double>(metrics.wrap(l.font, text, l.rect.width()).size());
    return std::max(l.rect.height(), lines * metrics.lineHeight(l.font));
}

void TRaportFacturaA4::fill(const kov::InvoiceDocument& d) {
    const bool vat = d.supplier.vatPayer;
    setTitle(QStringLiteral("Factura %1 %2").arg(d.number, kov::isoDate(d.date)));
    setColumns(vat);
    setCaption(QStringLiteral("LNumar"), QStringLiteral("Nr. ") + d.number);
    setCaption(QStringLiteral("LData"),
               QStringLiteral("Data emiterii: ") + d.date.toString(QStringLiteral("dd.MM.yyyy")));
    const double parties =
        std::max(placeText(QStringLiteral("LFurnizor"), 30, partyText(d.supplier, true)),
                 placeText(QStringLiteral("LClient"), 30, partyText(d.client, false)));
    band(BandKind::Title)->height = 30 + parties + 4;

    std::vector<QStringList> rows;
    int n = 0;
    for (const kov::InvoiceLine& line : d.lines) {
        rows.push_back({QString::number(++n), line.text, line.unit, kov::plainNumber(line.quantity),
                        kov::displayAmount(line.unitPrice), kov::displayAmount(line.value),
                        vat ? rateText(line.rate) : QString(),
                        vat ? kov::displayAmount(line.vat) : QString()});
    }
    QStringList names;
    for (const Column& col : kColumns) {
        names << QLatin1String(col.field);
    }
    query().openRows(names, rows);

    setCaption(QStringLiteral("LTotalNet"), kov::displayAmount(d.net));
    setCaption(QStringLiteral("LTotalTVA"), vat ? kov::displayAmount(d.vat) : QString());
    double y = 1 + kLine + 1;
    QStringList perRate;
    if (vat && d.rates.size() > 1) {
        for (const kov::RateTotal& r : d.rates) {
            perRate << QStringLiteral("din care cota %1: baza %2, TVA %3")
                           .arg(rateText(r.rate), kov::displayAmount(r.base),
                                kov::displayAmount(r.vat));
        }
    }
    y += placeText(QStringLiteral("LCote"), y, perRate.join(u'\n'));
    y += placeText(QStringLiteral("LDePlataText"), y, QStringLiteral("Total de plata:"));
    placeText(QStringLiteral("LDePlata"), y - kLine, kov::displayAmount(d.total));
    if (vat) {
        y += placeText(QStringLiteral("LDinCareText"), y, QStringLiteral("din care TVA:"));
        placeText(QStringLiteral("LDinCare"), y - kLine, kov::displayAmount(d.vat));
    } else {
        placeText(QStringLiteral("LDinCareText"), y, QString());
        placeText(QStringLiteral("LDinCare"), y, QString());
    }
    y += 2;
    const double mentions = placeText(QStringLiteral("LMentiuni"), y, d.mentions.join(u'\n'));
    y += mentions > 0 ? mentions + 2 : 0;
    QStringList dispatch;
    if (!d.delegate.isEmpty()) {
        dispatch << QStringLiteral("Numele delegatului: ") + d.delegate;
    }
    if (!d.identity.isEmpty()) {
        dispatch << d.identity;
    }
    if (!d.transport.isEmpty()) {
        dispatch << QStringLiteral("Mijlocul de transport: ") + d.transport;
    }
    if (!dispatch.isEmpty()) {
        dispatch.prepend(QStringLiteral("Date privind expeditia:"));
        dispatch << QStringLiteral("Expedierea s-a efectuat la data de ") +
                        d.date.toString(QStringLiteral("dd.MM.yyyy"));
    }
    const double expedition = placeText(QStringLiteral("LExpeditie"), y, dispatch.join(u'\n'));
    y += expedition > 0 ? expedition + 3 : 1;
    placeText(QStringLiteral("LIntocmit"), y, QStringLiteral("Intocmit de:"));
    placeText(QStringLiteral("LPrimire"), y, QStringLiteral("Semnatura de primire:"));
    band(BandKind::Summary)->height = y + kLine + 12;

    // "pag. N din M" only when the invoice runs over a page; the footer's room is the same
    // either way, so the count holds.
    auto* pages = dynamic_cast<Expression*>(band(BandKind::PageFooter)->controls().front().get());
    pages->formula = Formula(QStringLiteral("''"));
    const int count = layout().pageCount();
    if (count > 1) {
        pages->formula = Formula(QStringLiteral("'pag. ' + PAGENUMBER + ' din %1'").arg(count));
    }
}
