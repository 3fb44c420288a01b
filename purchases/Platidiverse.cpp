#include "purchases/Platidiverse.h"

#include "books/Purchases.h"
#include "data/Values.h"
#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"

TFormPlatiDiverse::TFormPlatiDiverse(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    category_ =
        std::make_unique<kov::CategoryChoice>(ui.RadioButton5, ui.RadioButton6, ui.ComboBox5);
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        kov::forceUpperCase(edit);
    }
    kov::onEvent(ui.Button1, &QPushButton::clicked, this, &TFormPlatiDiverse::Button1Click);
    kov::onEvent(ui.RadioButton5, &QRadioButton::clicked, this,
                 &TFormPlatiDiverse::RadioButton5Click);
    kov::onEvent(ui.RadioButton6, &QRadioButton::clicked, this,
                 &TFormPlatiDiverse::RadioButton6Click);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &TFormPlatiDiverse::BitBtn1Click);
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormPlatiDiverse::FormShow() {
    category_->reload();
    category_->choose(true);
    ui.RadioButton1->setChecked(true);
    ui.RadioButton3->setChecked(true);
    for (QLineEdit* edit : {ui.Edit1, ui.Edit2, ui.Edit3, ui.Edit4, ui.Edit6}) {
        edit->clear();
    }
    ui.Edit1->setFocus();
}

void TFormPlatiDiverse::Button1Click() {
    kov::fillToday(ui.Edit1);
}

void TFormPlatiDiverse::RadioButton5Click() {
    category_->choose(true);
}

void TFormPlatiDiverse::RadioButton6Click() {
    category_->choose(false);
}

void TFormPlatiDiverse::BitBtn1Click() {
    kov::saveDocument(
        this, [this] { return check(); }, [this] { write(); },
        QStringLiteral("Mai introduceti alte plati?"), [this] { FormShow(); });
}

bool TFormPlatiDiverse::check() {
    if (!kov::passes({{!kov::isDate(ui.Edit1), "Data introdusa gresit!", ui.Edit1},
                      {ui.Edit2->text().isEmpty(), "Nu s-a introdus documentul!", ui.Edit2},
                      {!kov::isNumber(ui.Edit4), "Suma introdusa gresit!", ui.Edit4}})) {
        return false;
    }
    if (ui.Edit6->text().isEmpty() &&
        kov::message(QStringLiteral("Nu s-a introdus explicatia documentului! Continuati?"),
                     QStringLiteral("Atentie!"), kov::Buttons::YesNo) != kov::Answer::Yes) {
        ui.Edit6->setFocus();
        return false;
    }
    return true;
}

void TFormPlatiDiverse::write() {
    kov::MiscPayment payment;
    payment.date = ui.Edit1->text();
    payment.document = ui.Edit2->text();
    payment.explanation = ui.Edit6->text();
    payment.amount = ui.Edit4->text();
    payment.bank = ui.RadioButton4->isChecked() ? 1 : 0;
    payment.category = category_->chosen();
    payment.remarks = ui.Edit3->text();
    payment.inRegister = ui.RadioButton1->isChecked() ? 1 : 0;
    kov::recordMiscPayment(SelectedFiscalCode, payment);
}
