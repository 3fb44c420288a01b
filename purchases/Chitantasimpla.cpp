#include "purchases/Chitantasimpla.h"

#include "ui/Globals.h"

TFormChitantaSimpla::TFormChitantaSimpla(QWidget* parent) : PurchaseWindow(parent) {
    ui.setupUi(this);
    setup(documentWidgets(ui, ui.Edit3, ui.Edit2, ui.Edit1, ui.Edit4),
          {QStringLiteral("Date furnizor"), ui.Edit15, ui.Edit15, false});
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
    kov::recordSimpleReceipt(SelectedFiscalCode, purchase());
}

QString TFormChitantaSimpla::question() const {
    return QStringLiteral("Mai introduceti alte plati prin chitanta simpla?");
}
