#include "sales/RaportFactura.h"

#include "ui/Checks.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

using namespace kov::report;

namespace {

struct Place {
    const char* name;
    double left, top, width;
    Align align;
    double height = 4.5;
};

// Every value's place on the pre-printed form, from the band's top left corner (mm).
const Place kPlaces[] = {
    // Client and invoice data
    {"RLabel1", 100.3, 21.4, 45.0, Align::Center},
    {"RLabel2", 116.2, 30.4, 29.1, Align::Center},
    {"RLabel3", 112.2, 34.4, 33.1, Align::Center},
    {"RLabel4", 113.2, 38.4, 32.0, Align::Center},
    {"RLabel5", 113.2, 42.3, 32.0, Align::Center},
    {"RLabel6", 113.2, 46.3, 32.0, Align::Center},
    {"RLabel7", 65.9, 34.4, 32.0, Align::Center},
    {"RLabel8", 82.0, 38.4, 15.9, Align::Center},
    {"RLabel10", 78.8, 44.5, 19.3, Align::Center},
    {"RLabel11", 23.0, 47.4, 15.1, Align::Center},
    // The invoice line and the totals
    {"RLabel12", 4.0, 65.4, 2.4, Align::Center},
    {"RLabel13", 9.3, 65.4, 50.0, Align::Center},
    {"RLabel14", 67.7, 65.4, 14.0, Align::Center},
    {"RLabel15", 82.0, 65.4, 20.1, Align::Right},
    {"RLabel16", 102.9, 65.4, 20.1, Align::Right},
    {"RLabel17", 124.1, 65.4, 20.1, Align::Right},
    {"RLabel18", 102.1, 122.2, 20.9, Align::Right},
    {"RLabel19", 123.3, 122.2, 20.9, Align::Right},
    {"RLabel20", 116.9, 133.6, 27.3, Align::Center},
    // Delegate and dispatch
    {"RLabel21", 48.9, 119.1, 33.1, Align::Center},
    {"RLabel22", 37.3, 123.8, 5.0, Align::Center},
    {"RLabel23", 45.0, 123.8, 10.1, Align::Center},
    {"RLabel24", 69.8, 123.8, 17.7, Align::Center},
    {"RLabel26", 51.3, 128.3, 29.9, Align::Center},
    {"RLabel27", 24.3, 135.2, 39.4, Align::Center},
    {"RLabel28", 64.6, 135.2, 14.6, Align::Center},
    {"RLabel25", 10.3, 110.3, 50.0, Align::Center},
    // The receipt part
    {"RLabel9", 160.3, 72.2, 29.9, Align::Center},
    {"RLabel29", 160.3, 75.9, 29.9, Align::Center},
    {"RLabel30", 156.6, 88.6, 37.0, Align::Center, 4.8},
    {"RLabel31", 161.4, 93.1, 32.0, Align::Center, 7.9},
    {"RLabel32", 159.8, 105.8, 29.9, Align::Center},
    {"RLabel33", 159.8, 121.7, 29.9, Align::Right, 5.3},
    {"RLabel34", 153.5, 133.1, 40.0, Align::Center},
};

// Only these two design texts reach the paper; the window sets every other label.
QString designText(const QString& name) {
    if (name == QLatin1String("RLabel12")) {
        return QStringLiteral("1");
    }
    return name == QLatin1String("RLabel14") ? QStringLiteral("1.00") : QString();
}

}  // namespace

TRaportFactura::TRaportFactura(QObject* parent) : ReportForm(parent) {
    setObjectName(QStringLiteral("RaportFactura"));
    setTitle(QStringLiteral("Factura"));
    setCustomPaper(209.0, 153.0);
    setMargins(1.2, 5.0, 10.0, 5.0);
    setPrintIfEmpty(true);
    Band& band = addBand(BandKind::Title, 146.1);
    const Font narrow{QStringLiteral("Arial Narrow"), 8, false};
    for (const Place& p : kPlaces) {
        const QString name = QLatin1String(p.name);
        Label& label = band.addLabel(name, {p.left, p.top, p.width, p.height}, designText(name),
                                     narrow, p.align);
        label.wordWrap = true;
    }
    band.addShape(QStringLiteral("RShape1"), {1.9, 69.8, 142.9, 0.3}, ShapeKind::HorizontalLine);
    // Printing from the preview raises this; its errors are shown over the preview.
    connect(this, &ReportForm::AfterPrint, this,
            [this] { kov::guarded([this] { ReportAfterPrint(); }); });
}

void TRaportFactura::ReportAfterPrint() {
    if (Printed) {
        return;
    }
    Printed = !refuseUsedNumber(!kov::issueInvoice(SelectedFiscalCode, Pending));
}

bool refuseUsedNumber(bool used, QWidget* focus) {
    return kov::refused(used, QStringLiteral("Factura cu acest numar a mai fost introdusa!"),
                        QStringLiteral("Atentie!"), focus);
}
