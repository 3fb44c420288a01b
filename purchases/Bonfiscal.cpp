#include "purchases/Bonfiscal.h"

#include "ui/Globals.h"

TFormBonFiscal::TFormBonFiscal(QWidget* parent) : PurchaseWindow(parent) {
    ui.setupUi(this);
    setup(documentWidgets(ui, ui.Edit3, ui.Edit2, ui.Edit1, ui.Edit4),
          {QStringLiteral("Date furnizor"), ui.Edit15, ui.Edit15, false});
}

bool TFormBonFiscal::check() {
    return kov::passes(
        {dateCheck(),
         totalCheck(),
         rateCheck(),
         typedVatCheck(),
         {ui.Edit2->text().isEmpty(), "Nu s-a introdus numarul bonului fiscal!", ui.Edit2},
         explanationCheck(),
         supplierCheck()});
}

void TFormBonFiscal::write() {
    kov::Purchase receipt = purchase();
    receipt.inRegister = ui.RadioButton1->isChecked() ? 1 : 0;
    kov::recordFiscalReceipt(SelectedFiscalCode, receipt);
}

QString TFormBonFiscal::question() const {
    return QStringLiteral("Mai introduceti alte plati prin bon fiscal?");
}
