#include "purchases/PurchaseWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "data/Values.h"
#include "data/Vat.h"
#include "ui/FocusExit.h"
#include "ui/Input.h"
#include "ui/VatRateField.h"

void PurchaseWindow::setup(const PurchaseWidgets& widgets,
                           const PartnerLookupConfig& partnerConfig) {
    w_ = widgets;
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        kov::forceUpperCase(edit);
    }
    for (QLineEdit* computed : {w_.Edit5, w_.Edit14}) {
        computed->setReadOnly(true);
        computed->setFocusPolicy(Qt::ClickFocus);
        kov::shade(computed, kov::Shade::Aqua);
    }
    partners_ = new PartnerLookup(w_.partners, partnerConfig, this);
    rate_ = new kov::VatRateField(w_.date, w_.Edit13, [this] { amountsChanged(); });
    partners_->connectHandlers(windowHandlers(this));
    if (w_.ComboBox5) {
        category_ =
            std::make_unique<kov::CategoryChoice>(w_.RadioButton5, w_.RadioButton6, w_.ComboBox5);
        kov::onEvent(w_.RadioButton5, &QRadioButton::clicked, this,
                     &PurchaseWindow::RadioButton5Click);
        kov::onEvent(w_.RadioButton6, &QRadioButton::clicked, this,
                     &PurchaseWindow::RadioButton6Click);
    }
    kov::onEvent(w_.Button1, &QPushButton::clicked, this, &PurchaseWindow::Button1Click);
    kov::onEvent(w_.Button3, &QPushButton::clicked, this, &PurchaseWindow::Button3Click);
    kov::onEvent(w_.BitBtn3, &QPushButton::clicked, this, &PurchaseWindow::BitBtn3Click);
    kov::onEvent(w_.Edit15, &QLineEdit::textEdited, this, &PurchaseWindow::Edit15KeyUp);
    kov::onEvent(w_.Edit13, &QLineEdit::textEdited, this, &PurchaseWindow::Edit13KeyUp);
    kov::onEvent(w_.Edit14, &QLineEdit::textEdited, this, &PurchaseWindow::Edit14KeyUp);
    kov::onExit(w_.Edit14, [this] { Edit14Exit(); });
    connect(w_.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void PurchaseWindow::FormShow() {
    reset();
}

void PurchaseWindow::reset() {
    clearFields();
    reloadLists();
    w_.date->setFocus();
}

void PurchaseWindow::clearFields() {
    for (QLineEdit* edit : {w_.date, w_.number, w_.explanation, w_.remarks}) {
        if (edit) {
            edit->clear();
        }
    }
    for (QLineEdit* amount : {w_.Edit15, w_.Edit5, w_.Edit14}) {
        amount->setText(QStringLiteral("0"));
    }
    rate_->reset();
    Edit14Exit();
}

void PurchaseWindow::reloadLists() {
    if (category_) {
        category_->reload();
        category_->choose(true);
    }
    partners_->load();
}

void PurchaseWindow::Button1Click() {
    kov::fillToday(w_.date);
}

void PurchaseWindow::Button3Click() {
    w_.Edit14->setReadOnly(false);
    kov::shade(w_.Edit14, kov::Shade::Window);
    w_.Edit14->setFocus();
}

void PurchaseWindow::Edit14Exit() {
    w_.Edit14->setReadOnly(true);
    kov::shade(w_.Edit14, kov::Shade::Aqua);
}

void PurchaseWindow::Edit14KeyUp() {
    const auto base = kov::parseNumber(vatBase()->text());
    const auto vat = kov::parseNumber(w_.Edit14->text());
    w_.Edit5->setText(base && vat ? kov::formatAmount(*base - *vat) : QString());
}

void PurchaseWindow::RadioButton5Click() {
    category_->choose(true);
}

void PurchaseWindow::RadioButton6Click() {
    category_->choose(false);
}

void PurchaseWindow::BitBtn3Click() {
    kov::saveDocument(
        this, [this] { return check(); }, [this] { write(); }, question(), [this] { reset(); });
}

void PurchaseWindow::splitTotal() {
    const auto total = kov::parseNumber(w_.Edit15->text());
    const auto rate = kov::parseRate(w_.Edit13->text());
    if (!total || !rate) {
        return;
    }
    const kov::VatAmounts split = kov::vatFromTotal(*total, *rate);
    w_.Edit5->setText(kov::formatAmount(split.net));
    w_.Edit14->setText(kov::formatAmount(split.vat));
}

kov::Check PurchaseWindow::dateCheck() const {
    return {!kov::isDate(w_.date), "Data introdusa gresit!", w_.date};
}

kov::Check PurchaseWindow::totalCheck() const {
    return {!kov::isNumber(w_.Edit15), "Suma introdusa gresit!", w_.Edit15};
}

kov::Check PurchaseWindow::rateCheck() const {
    return {!kov::parseRate(w_.Edit13->text()), "Cota TVA introdusa gresit!", w_.Edit13};
}

// The VAT typed after "Modificare TVA" (and the amount without VAT worked out from it) go into
// the rows as they are shown.
kov::Check PurchaseWindow::typedVatCheck() const {
    return {!kov::isNumber(w_.Edit14) || !kov::isNumber(w_.Edit5), "Suma TVA introdusa gresit!",
            w_.Edit14};
}

kov::Check PurchaseWindow::supplierCheck() const {
    const PartnerWidgets& p = w_.partners;
    const bool missing = p.ComboBox2->currentIndex() < 0 || p.ComboBox3->currentIndex() < 0 ||
                         p.ComboBox4->currentIndex() < 0;
    return {missing, "Nu s-a introdus firma!", p.ComboBox2};
}

kov::Check PurchaseWindow::explanationCheck() const {
    return {w_.explanation->text().isEmpty(), "Nu s-a introdus explicatia!", w_.explanation};
}

kov::Purchase PurchaseWindow::purchase() const {
    kov::Purchase p;
    p.date = w_.date->text();
    p.number = w_.number->text();
    p.supplier = w_.partners.ComboBox2->currentText();
    p.total = w_.Edit15->text();
    p.net = w_.Edit5->text();
    p.rate = w_.Edit13->text();
    p.vat = w_.Edit14->text();
    if (w_.explanation) {
        p.explanation = w_.explanation->text();
        p.remarks = w_.remarks->text();
    }
    if (category_) {
        p.category = category_->chosen();
    }
    return p;
}
