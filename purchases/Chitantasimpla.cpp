#include "purchases/Chitantasimpla.h"

TFormChitantaSimpla::TFormChitantaSimpla(QWidget* parent) : PurchaseWindow(parent) {
    ui.setupUi(this);
    setup(receiptWidgets(ui), {QStringLiteral("Date furnizor"), ui.Edit15, ui.Edit15, false});
}

bool TFormChitantaSimpla::check() {
    return kov::passes(
        {dateCheck(),
         totalCheck(),
         rateCheck(),
         typedVatCheck(),
         {ui.Edit2->text().isEmpty(), "Nu s-a introdus numarul chitantei!", ui.Edit2},
         explanationCheck(),
         supplierCheck()});
}

void TFormChitantaSimpla::write() {
    kov::insertPayment(cashPayment(QStringLiteral("CH. ") + ui.Edit2->text()));
}

QString TFormChitantaSimpla::question() const {
    return QStringLiteral("Mai introduceti alte plati prin chitanta simpla?");
}
