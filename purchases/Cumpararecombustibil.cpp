#include "purchases/Cumpararecombustibil.h"

#include "data/Values.h"
#include "data/Vat.h"
#include "ui/Globals.h"

TFormCumparareCombustibil::TFormCumparareCombustibil(QWidget* parent) : PurchaseWindow(parent) {
    ui.setupUi(this);
    PurchaseWidgets w = commonWidgets(ui);
    w.date = ui.Edit3;
    w.number = ui.Edit2;
    setup(w, {QStringLiteral("Date furnizor"), ui.Edit15, ui.Edit15, false});
    ui.Edit4->setReadOnly(true);
    ui.Edit4->setFocusPolicy(Qt::ClickFocus);
    kov::shade(ui.Edit4, kov::Shade::Aqua);
    kov::onEvent(ui.Edit1, &QLineEdit::textEdited, this, &TFormCumparareCombustibil::Edit1KeyUp);
}

void TFormCumparareCombustibil::reset() {
    PurchaseWindow::reset();
    ui.Edit1->setText(QStringLiteral("0"));
    ui.Edit4->setText(QStringLiteral("0"));
}

void TFormCumparareCombustibil::amountsChanged() {
    const auto total = kov::parseNumber(ui.Edit15->text());
    const auto excise = kov::parseNumber(ui.Edit1->text());
    if (!total || !excise) {
        return;
    }
    ui.Edit4->setText(kov::formatAmount(*total - *excise));
    const auto rate = kov::parseRate(ui.Edit13->text());
    if (!rate) {
        return;
    }
    const double base = *kov::parseNumber(ui.Edit4->text());
    ui.Edit5->setText(kov::formatAmount(kov::netOfTotal(base, *rate)));
    // The VAT of the base itself, not of the rounded amount without VAT: the two may differ
    // from the base by a cent.
    ui.Edit14->setText(kov::formatAmount(*rate * base / (*rate + 100)));
}

bool TFormCumparareCombustibil::check() {
    return kov::passes(
        {dateCheck(),
         totalCheck(),
         {!kov::isNumber(ui.Edit1), "Accizele introduse gresit!", ui.Edit1},
         rateCheck(),
         typedVatCheck(),
         {ui.Edit2->text().isEmpty(), "Nu s-a introdus numarul bonului fiscal!", ui.Edit2},
         supplierCheck()});
}

void TFormCumparareCombustibil::write() {
    kov::FuelPurchase fuel{purchase()};
    fuel.base = ui.Edit4->text();
    fuel.excise = ui.Edit1->text();
    kov::recordFuel(SelectedFiscalCode, fuel);
}

QString TFormCumparareCombustibil::question() const {
    return QStringLiteral("Mai introduceti alte cheltuieli combustibil?");
}
