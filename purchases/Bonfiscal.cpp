#include "purchases/Bonfiscal.h"

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
    const QString document = QStringLiteral("BF. ") + ui.Edit2->text();
    kov::insertInvoice(paidPurchase(document));
    kov::Payment payment = cashPayment(document);
    payment.inRegister = ui.RadioButton1->isChecked() ? 1 : 0;
    kov::insertPayment(payment);
}

QString TFormBonFiscal::question() const {
    return QStringLiteral("Mai introduceti alte plati prin bon fiscal?");
}
