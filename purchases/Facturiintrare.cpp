#include "purchases/Facturiintrare.h"

#include "data/Values.h"
#include "data/Vat.h"
#include "ui/FocusExit.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

TFormFacturaIntrare::TFormFacturaIntrare(QWidget* parent) : PurchaseWindow(parent) {
    ui.setupUi(this);
    setup(documentWidgets(ui, ui.Edit1, ui.Edit2, ui.Edit6, ui.Edit3),
          {QStringLiteral("Date furnizor / prestator"), nullptr, nullptr, false});
    kov::onEvent(ui.CheckBox1, &QCheckBox::clicked, this, &TFormFacturaIntrare::CheckBox1Click);
    kov::onEvent(ui.RadioButton1, &QRadioButton::clicked, this,
                 &TFormFacturaIntrare::RadioButton1Click);
    kov::onEvent(ui.RadioButton2, &QRadioButton::clicked, this,
                 &TFormFacturaIntrare::RadioButton2Click);
    kov::onEvent(ui.Edit5, &QLineEdit::textEdited, this, &TFormFacturaIntrare::Edit5KeyUp);
    kov::onExit(ui.Edit15, [this] { Edit15Exit(); });
    kov::onExit(ui.Edit5, [this] { Edit5Exit(); });
}

void TFormFacturaIntrare::FormShow() {
    reloadLists();
    openingState();
}

void TFormFacturaIntrare::reset() {
    for (QComboBox* list : {ui.ComboBox2, ui.ComboBox3, ui.ComboBox4}) {
        list->setCurrentIndex(-1);
    }
    openingState();
    ui.Label7->setText(QStringLiteral("Nr. chitanta"));
}

void TFormFacturaIntrare::openingState() {
    clearFields();
    ui.CheckBox1->setChecked(false);
    ui.RadioButton1->setChecked(true);
    ui.Label7->setText(QStringLiteral("Nr. chitanta:"));
    ui.RadioButton5->setChecked(true);
    setCashPayment(false);
    partners_->clearDetails();
    ui.Edit1->setFocus();
}

void TFormFacturaIntrare::setCashPayment(bool on) {
    ui.Edit4->clear();
    ui.Edit7->setText(on ? ui.Edit15->text() : QString());
    for (QWidget* field :
         std::initializer_list<QWidget*>{ui.Edit4, ui.Edit7, ui.Label7, ui.Label8, ui.RadioButton1,
                                         ui.RadioButton2, ui.GroupBox4}) {
        field->setEnabled(on);
    }
    for (QLineEdit* edit : {ui.Edit4, ui.Edit7}) {
        kov::shade(edit, on ? kov::Shade::Window : kov::Shade::ButtonFace);
    }
    if (on) {
        category_->choose(ui.RadioButton5->isChecked());
        ui.Edit4->setFocus();
    } else {
        ui.ComboBox5->setCurrentIndex(-1);
        kov::shade(ui.ComboBox5, kov::Shade::ButtonFace);
    }
}

void TFormFacturaIntrare::CheckBox1Click() {
    setCashPayment(ui.CheckBox1->isChecked());
}

void TFormFacturaIntrare::RadioButton1Click() {
    ui.Label7->setText(QStringLiteral("Nr. chitanta:"));
}

void TFormFacturaIntrare::RadioButton2Click() {
    ui.Label7->setText(QStringLiteral("Nr. BF:"));
}

void TFormFacturaIntrare::amountsChanged() {
    splitTotal();
    followTotal();
}

void TFormFacturaIntrare::Edit5KeyUp() {
    const auto net = kov::parseNumber(ui.Edit5->text());
    const auto rate = kov::parseRate(ui.Edit13->text());
    if (!net || !rate) {
        return;
    }
    const kov::VatAmounts split = kov::vatFromNet(*net, *rate);
    ui.Edit15->setText(kov::formatAmount(split.total));
    ui.Edit14->setText(kov::formatAmount(split.vat));
    followTotal();
}

void TFormFacturaIntrare::followTotal() {
    const auto total = kov::parseNumber(ui.Edit15->text());
    if (ui.CheckBox1->isChecked() && total) {
        ui.Edit7->setText(kov::formatAmount(*total));
    }
}

void TFormFacturaIntrare::Edit15Exit() {
    kov::reformatAmount(ui.Edit15);
}

void TFormFacturaIntrare::Edit5Exit() {
    kov::reformatAmount(ui.Edit5);
}

bool TFormFacturaIntrare::check() {
    const bool cash = ui.CheckBox1->isChecked();
    if (!kov::passes({dateCheck(),
                      totalCheck(),
                      rateCheck(),
                      typedVatCheck(),
                      {cash && !kov::isNumber(ui.Edit7), "Suma de pe chitanta introdusa gresit!",
                       ui.Edit7}})) {
        return false;
    }
    if (cash && kov::cents(*kov::parseNumber(ui.Edit7->text())) >
                    kov::cents(*kov::parseNumber(ui.Edit15->text()))) {
        if (kov::message(QStringLiteral("Suma de pe chitanta mai mare decit cea de pa factura! "
                                        "Continuati?"),
                         QStringLiteral("Atentie!"), kov::Buttons::YesNo) != kov::Answer::Yes) {
            ui.Edit7->setFocus();
            return false;
        }
    }
    return kov::passes(
        {{ui.Edit2->text().isEmpty(), "Nu s-a introdus numarul de factura!", ui.Edit2},
         {cash && ui.Edit4->text().isEmpty(), "Nu s-a introdus numarul de chitanta!", ui.Edit4},
         supplierCheck(),
         explanationCheck()});
}

void TFormFacturaIntrare::write() {
    kov::ReceivedInvoice invoice{purchase()};
    invoice.cash = ui.CheckBox1->isChecked();
    invoice.fiscalReceipt = !ui.RadioButton1->isChecked();
    invoice.receiptNumber = ui.Edit4->text();
    invoice.paid = ui.Edit7->text();
    kov::recordReceivedInvoice(SelectedFiscalCode, invoice);
}

QString TFormFacturaIntrare::question() const {
    return QStringLiteral("Mai introduceti alte facturi de intrare?");
}
