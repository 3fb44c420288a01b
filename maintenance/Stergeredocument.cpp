#include "maintenance/Stergeredocument.h"

#include "books/Deletion.h"
#include "documents/Alegerefactura.h"
#include "maintenance/Selectaredocument.h"
#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"

namespace {

const QString kNoReceipt = QStringLiteral("Nu are");

kov::DeletedKind kindAt(size_t row) {
    return static_cast<kov::DeletedKind>(row);
}

}  // namespace

TFormStergere::TFormStergere(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    rows_ = {{{ui.RadioButton1, ui.Label1, ui.Edit1, ui.Button1},
              {ui.RadioButton2, ui.Label3, ui.Edit3, ui.Button3},
              {ui.RadioButton3, ui.Label4, ui.Edit4, ui.Button4},
              {ui.RadioButton4, ui.Label5, ui.Edit5, ui.Button5},
              {ui.RadioButton5, ui.Label6, ui.Edit6, ui.Button6}}};
    using F = TFormStergere;
    const std::array<void (F::*)(), 5> radios{&F::RadioButton1Click, &F::RadioButton2Click,
                                              &F::RadioButton3Click, &F::RadioButton4Click,
                                              &F::RadioButton5Click};
    const std::array<void (F::*)(), 5> buttons{&F::Button1Click, &F::Button3Click, &F::Button4Click,
                                               &F::Button5Click, &F::Button6Click};
    for (size_t i = 0; i < rows_.size(); ++i) {
        kov::onEvent(rows_[i].radio, &QRadioButton::clicked, this, radios[i]);
        kov::onEvent(rows_[i].button, &QPushButton::clicked, this, buttons[i]);
    }
    // Edit2 shows "Nu are" when there is no receipt; its number is compared whatever its case.
    for (QLineEdit* edit : {ui.Edit1, ui.Edit3, ui.Edit4, ui.Edit5, ui.Edit6}) {
        kov::forceUpperCase(edit);
    }
    kov::onEvent(ui.CheckBox1, &QCheckBox::clicked, this, &F::CheckBox1Click);
    kov::onEvent(ui.BitBtn4, &QPushButton::clicked, this, &F::BitBtn4Click);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormStergere::FormShow() {
    ui.RadioButton1->setChecked(true);
    choose(0);
    ui.Edit1->setFocus();
}

// Disabled edits take the button face, so that the row in use stands out.
void TFormStergere::setEditable(QLabel* label, QLineEdit* edit, bool editable) {
    label->setEnabled(editable);
    edit->setEnabled(editable);
    kov::shade(edit, editable ? kov::Shade::Window : kov::Shade::ButtonFace);
}

void TFormStergere::choose(size_t kind) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        setEditable(rows_[i].label, rows_[i].edit, i == kind);
        rows_[i].button->setEnabled(i == kind);
        rows_[i].edit->clear();
        picked_[i] = 0;
    }
    ui.CheckBox1->setEnabled(kind == 0);
    ui.CheckBox1->setChecked(false);
    setEditable(ui.Label2, ui.Edit2, false);
    ui.Edit2->clear();
}

void TFormStergere::RadioButton1Click() {
    choose(0);
}
void TFormStergere::RadioButton2Click() {
    choose(1);
}
void TFormStergere::RadioButton3Click() {
    choose(2);
}
void TFormStergere::RadioButton4Click() {
    choose(3);
}
void TFormStergere::RadioButton5Click() {
    choose(4);
}

void TFormStergere::pick(size_t kind) {
    FormSelectareDocument->clearRows();
    for (const kov::DeletableDocument& d :
         kov::deletableDocuments(SelectedFiscalCode, kindAt(kind))) {
        FormSelectareDocument->addRow(d.number, d.date, d.counterpart, d.id);
    }
    if (FormSelectareDocument->exec() == 1) {
        rows_[kind].edit->setText(FormSelectareDocument->ChosenNumber);
        picked_[kind] = FormSelectareDocument->ChosenId;
        pickedNumber_[kind] = FormSelectareDocument->ChosenNumber;
    }
}

void TFormStergere::Button1Click() {
    pick(0);
    CheckBox1Click();
}
void TFormStergere::Button3Click() {
    pick(1);
}
void TFormStergere::Button4Click() {
    pick(2);
}
void TFormStergere::Button5Click() {
    pick(3);
}
void TFormStergere::Button6Click() {
    pick(4);
}

void TFormStergere::CheckBox1Click() {
    const bool ticked = ui.CheckBox1->isChecked();
    setEditable(ui.Label2, ui.Edit2, ticked);
    ui.Edit2->clear();
    if (!ticked || ui.Edit1->text().isEmpty()) {
        return;
    }
    if (const auto receipt =
            kov::settledAtIssue(SelectedFiscalCode, ui.Edit1->text(), pickedId(0))) {
        ui.Edit2->setText(*receipt);
        return;
    }
    ui.Edit2->setText(kNoReceipt);
    ui.Edit2->setEnabled(false);
}

long long TFormStergere::pickedId(size_t kind) const {
    return rows_[kind].edit->text() == pickedNumber_[kind] ? picked_[kind] : 0;
}

// Deletes the document of one kind whose number its edit holds: the one picked from the list,
// for an invoice the one the user picks among those sharing the number, otherwise every one
// with the number (twelve monthly "CHIRIE" payments) once the user agrees.
void TFormStergere::remove(size_t kind) {
    const QString number = rows_[kind].edit->text();
    if (number.isEmpty()) {
        return;
    }
    const QString receipt = ui.Edit2->text();
    const bool withReceipt = kind == 0 && ui.CheckBox1->isChecked() && receipt != kNoReceipt;
    const QString ownReceipt = withReceipt ? receipt : QString();
    if (const long long id = pickedId(kind)) {
        kov::deleteDocument(SelectedFiscalCode, kindAt(kind), id, ownReceipt);
        return;
    }
    if (kindAt(kind) == kov::DeletedKind::Invoice) {
        const kov::InvoiceChoice choice =
            kov::chooseInvoice(kov::invoicesNumbered(SelectedFiscalCode, QString(), number));
        if (choice.invoice) {
            kov::deleteDocument(SelectedFiscalCode, kindAt(kind), choice.invoice->id, ownReceipt);
        }
        return;
    }
    const int count = kov::documentCount(SelectedFiscalCode, kindAt(kind), number);
    if (count > 1 &&
        kov::message("Vor fi sterse " + QString::number(count) + " documente cu numarul " + number +
                         ". Continuati?",
                     QStringLiteral("Atentie!"), kov::Buttons::YesNo) != kov::Answer::Yes) {
        return;
    }
    kov::deleteDocuments(SelectedFiscalCode, kindAt(kind), number, ownReceipt);
}

void TFormStergere::BitBtn4Click() {
    for (size_t kind = 0; kind < rows_.size(); ++kind) {
        remove(kind);
    }
    if (kov::message(QStringLiteral("Mai stergeti alte documente?"), QString(),
                     kov::Buttons::YesNo) == kov::Answer::Yes) {
        FormShow();
    } else {
        done(1);
    }
}
