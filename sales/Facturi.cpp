#include "sales/Facturi.h"

#include <QTime>

#include "books/Categories.h"
#include "books/InvoiceDocument.h"
#include "books/Settlement.h"
#include "books/VatExemption.h"
#include "data/Query.h"
#include "data/Values.h"
#include "data/Vat.h"
#include "documents/PartnerLookup.h"
#include "documents/RaportFacturaA4.h"
#include "documents/SpvCommands.h"
#include "efactura/Counties.h"
#include "efactura/EFacturaSource.h"
#include "efactura/SpvConnection.h"
#include "reference/Adaugfirma.h"
#include "sales/EFacturaExport.h"
#include "ui/Checks.h"
#include "ui/FocusExit.h"
#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"
#include "ui/VatRateField.h"

using kov::quoted;

namespace {

const QString kError = QStringLiteral("Eroare!");
const QString kWarning = QStringLiteral("Atentie!");
const QString kCashierError = QStringLiteral("Eroare la tabelul de casieri");

// Refills a pick list, nothing chosen.
void fillList(QComboBox* list, const QStringList& items) {
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

}  // namespace

TFormFactura::TFormFactura(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    ui.ComboBox1->addItems(kov::countyNames());
    for (QLineEdit* edit : {ui.Edit2, ui.Edit6, ui.Edit3, ui.Edit13, ui.Edit8, ui.Edit9, ui.Edit18,
                            ui.Edit10, ui.Edit11, ui.Edit12, ui.Edit16, ui.Edit4}) {
        kov::forceUpperCase(edit);
    }
    for (QWidget* widget :
         QList<QWidget*>{ui.ComboBox1, ui.ComboBox5, ui.ComboBox6, ui.Edit14, ui.Edit17}) {
        kov::setAqua(widget);
    }
    ui.ComboBox6->setMaxVisibleItems(10);
    ui.ComboBox7->addItems(kov::exemptionCaptions());
    kov::setAqua(ui.ComboBox7);

    Partners =
        new PartnerLookup({ui.GroupBox2,
                           ui.ComboBox2,
                           ui.ComboBox3,
                           ui.ComboBox4,
                           ui.Button2,
                           ui.Button3,
                           {ui.Label18, ui.Label19, ui.Label20}},
                          {QStringLiteral("Date platitor"), ui.BitBtn1, nullptr, true}, this);
    PartnerHandlers handlers = windowHandlers(this);
    handlers.Button3Click = [this] { Button3Click(); };
    Partners->connectHandlers(handlers);

    kov::onEvent(ui.Button1, &QPushButton::clicked, this, &TFormFactura::Button1Click);
    kov::onEvent(ui.RadioButton1, &QRadioButton::clicked, this, &TFormFactura::RadioButton1Click);
    kov::onEvent(ui.RadioButton2, &QRadioButton::clicked, this, &TFormFactura::RadioButton2Click);
    kov::onEvent(ui.CheckBox1, &QCheckBox::clicked, this, &TFormFactura::CheckBox1Click);
    kov::onEvent(ui.Edit5, &QLineEdit::textEdited, this, &TFormFactura::Edit5KeyUp);
    kov::onEvent(ui.Edit13, &QLineEdit::textEdited, this, &TFormFactura::Edit13KeyUp);
    rate_ = new kov::VatRateField(ui.Edit1, ui.Edit13, [this] { Edit13KeyUp(); });
    kov::onEvent(ui.Edit15, &QLineEdit::textEdited, this, &TFormFactura::Edit15KeyUp);
    kov::onEvent(ui.ComboBox5, &QComboBox::activated, this, &TFormFactura::ComboBox5Change);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &TFormFactura::BitBtn1Click);
    kov::onEvent(ui.BitBtn3, &QPushButton::clicked, this, &TFormFactura::BitBtn3Click);
    kov::onEvent(ui.BitBtn4, &QPushButton::clicked, this, &TFormFactura::BitBtn4Click);
    kov::onEvent(ui.BitBtn6, &QPushButton::clicked, this, &TFormFactura::BitBtn6Click);
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    kov::onExit(ui.Edit5, [this] { Edit5Exit(); });
    kov::onExit(ui.Edit15, [this] { Edit15Exit(); });
}

kov::AmountFields TFormFactura::amounts() const {
    return {ui.Edit5, ui.Edit13, ui.Edit14, ui.Edit15};
}

void TFormFactura::FormShow() {
    vatPayer_ = kov::ownCompanyParty(SelectedFiscalCode).vatPayer;
    openingFields();
    fillList(ui.ComboBox6, kov::categoryNames(kov::kCollection.categoryKind));
    Partners->load();
    readCounters();
    Partners->clearDetails();
    ui.Edit1->setFocus();
    ui.Edit2->setText(QString::number(InvoiceCounter));
    kov::guardedWith(kCashierError, kError, [this] {
        QStringList names;
        kov::Query q;
        q.setSql(QStringLiteral("select * from casieri order by nume"));
        for (q.open(); !q.eof(); q.next()) {
            names << q.fieldByName(QStringLiteral("NUME")).asString();
        }
        fillList(ui.ComboBox5, names);
    });
    clearCashier();
}

void TFormFactura::openingFields() {
    ui.Edit1->clear();
    ui.Edit6->setText(QStringLiteral("ONORARIU"));
    ui.Edit3->clear();
    ui.Edit5->setText(QStringLiteral("0"));
    rate_->reset();
    ui.Edit14->setText(QStringLiteral("0"));
    ui.Edit15->setText(QStringLiteral("0"));
    ui.CheckBox1->setChecked(false);
    ui.RadioButton5->setChecked(true);
    setReceiptFields(false);
    ui.RadioButton2->setChecked(true);
    RadioButton2Click();
    ui.ComboBox7->setCurrentIndex(-1);
    basisFollowsRate();
}

void TFormFactura::basisFollowsRate() {
    const bool on = vatPayer_ && kov::parseRate(ui.Edit13->text()).value_or(-1) == 0;
    ui.ComboBox7->setEnabled(on);
    ui.Label24->setEnabled(on);
}

// A company without counters (or a switch to one) starts from 1, not from the last one's.
void TFormFactura::readCounters() {
    const kov::Counters counters = kov::readCounters(SelectedFiscalCode);
    InvoiceCounter = counters.invoice;
    ReceiptCounter = counters.receipt;
}

void TFormFactura::clearCashier() {
    ui.ComboBox5->setCurrentIndex(-1);
    ui.Edit17->clear();
}

void TFormFactura::Button1Click() {
    kov::fillToday(ui.Edit1);
}

// The person's fields with their labels.
QList<QWidget*> TFormFactura::personFields() const {
    return {ui.Edit8,   ui.Edit9,     ui.Edit18,  ui.Edit10,  ui.Edit11,  ui.Edit12,
            ui.Edit16,  ui.ComboBox1, ui.Label11, ui.Label12, ui.Label13, ui.Label14,
            ui.Label15, ui.Label16,   ui.Label17, ui.Label23};
}

void TFormFactura::RadioButton1Click() {
    for (QLineEdit* edit :
         {ui.Edit8, ui.Edit9, ui.Edit18, ui.Edit10, ui.Edit11, ui.Edit12, ui.Edit16}) {
        edit->clear();
    }
    ui.ComboBox1->setCurrentIndex(-1);
    for (QWidget* widget : personFields()) {
        widget->setEnabled(false);
    }
    Partners->setListsEnabled(true);
    for (QComboBox* list : {ui.ComboBox2, ui.ComboBox3, ui.ComboBox4}) {
        list->setCurrentIndex(-1);
    }
}

void TFormFactura::RadioButton2Click() {
    for (QLineEdit* edit :
         {ui.Edit8, ui.Edit9, ui.Edit18, ui.Edit10, ui.Edit11, ui.Edit12, ui.Edit16}) {
        edit->clear();
    }
    ui.ComboBox1->setCurrentIndex(1);  // ARAD
    for (QWidget* widget : personFields()) {
        widget->setEnabled(true);
    }
    Partners->setListsEnabled(false);
}

void TFormFactura::setReceiptFields(bool on) {
    if (!on) {
        ui.Edit4->clear();
        ui.Edit7->clear();
    }
    for (QWidget* widget : QList<QWidget*>{ui.Edit4, ui.Edit7, ui.Label7, ui.Label8, ui.GroupBox5,
                                           ui.RadioButton5, ui.RadioButton6, ui.ComboBox6}) {
        widget->setEnabled(on);
    }
    ui.ComboBox6->setCurrentIndex(on && ui.ComboBox6->count() > 0 ? 0 : -1);
}

void TFormFactura::CheckBox1Click() {
    const bool on = ui.CheckBox1->isChecked();
    setReceiptFields(on);
    if (on) {
        ui.Edit7->setText(ui.Edit15->text());
        ui.Edit4->setText(QString::number(ReceiptCounter));
        ui.Edit4->setFocus();
    }
}

// With a receipt, the amount received follows the total.
void TFormFactura::followTotal() {
    const auto total = kov::parseNumber(ui.Edit15->text());
    if (ui.CheckBox1->isChecked() && total) {
        ui.Edit7->setText(kov::formatAmount(*total));
    }
}

void TFormFactura::Edit5KeyUp() {
    if (kov::amountsFromNet(amounts())) {
        followTotal();
    }
}

void TFormFactura::Edit13KeyUp() {
    basisFollowsRate();
    Edit5KeyUp();
}

void TFormFactura::Edit15KeyUp() {
    if (kov::amountsFromTotal(amounts())) {
        followTotal();
    }
}

void TFormFactura::Edit5Exit() {
    kov::reformatAmount(ui.Edit5);
}

void TFormFactura::Edit15Exit() {
    kov::reformatAmount(ui.Edit15);
}

void TFormFactura::ComboBox2Exit() {
    Partners->ComboBox2Exit();
}

void TFormFactura::ComboBox3Exit() {
    Partners->ComboBox3Exit();
}

void TFormFactura::ComboBox4Exit() {
    Partners->ComboBox4Exit();
}

void TFormFactura::Button2Click() {
    Partners->Button2Click();
}

void TFormFactura::Button3Click() {
    Partners->Button3Click();
}

void TFormFactura::ComboBox5Change() {
    kov::guardedWith(kCashierError, kError, [this] {
        kov::Query q;
        q.setSql("select * from casieri where nume=" + quoted(ui.ComboBox5->currentText()));
        q.open();
        ui.Edit17->setText(q.eof() ? QString() : q.fieldByName(QStringLiteral("CNP")).asString());
    });
}

std::optional<kov::PendingInvoice> TFormFactura::checked() {
    const QString wrongAmount = QStringLiteral("Suma introdusa gresit!");
    const bool receipt = ui.CheckBox1->isChecked();
    if (kov::refused(!kov::parseDate(ui.Edit1->text()), QStringLiteral("Data introdusa gresit!"),
                     kError, ui.Edit1)) {
        return std::nullopt;
    }
    const auto total = kov::parseNumber(ui.Edit15->text());
    const auto received = kov::parseNumber(ui.Edit7->text());
    if (receipt) {
        if (kov::refused(!total, wrongAmount, kError, ui.Edit15) ||
            kov::refused(!received, QStringLiteral("Suma de pe chitanta introdusa gresit!"), kError,
                         ui.Edit7)) {
            return std::nullopt;
        }
        if (kov::cents(*received) > kov::cents(*total) &&
            kov::message(QStringLiteral("Suma de pe chitanta mai mare decit cea de pa factura! "
                                        "Continuati?"),
                         kWarning, kov::Buttons::YesNo) != kov::Answer::Yes) {
            ui.Edit7->setFocus();
            return std::nullopt;
        }
    } else if (kov::refused(!total, wrongAmount, kError, ui.Edit15)) {
        return std::nullopt;
    }
    const bool firm = ui.RadioButton1->isChecked();
    if (!kov::passes({
            {ui.Edit2->text().isEmpty(), "Nu s-a introdus numarul de factura!", ui.Edit2},
            {receipt && ui.Edit4->text().isEmpty(), "Nu s-a introdus numarul de chitanta!",
             ui.Edit4},
            {firm && (ui.ComboBox2->currentIndex() < 0 || ui.ComboBox3->currentIndex() < 0 ||
                      ui.ComboBox4->currentIndex() < 0),
             "Nu s-a introdus firma!", ui.ComboBox2},
            {!firm && ui.Edit8->text().isEmpty() && ui.Edit10->text().isEmpty() &&
                 ui.Edit11->text().isEmpty() && ui.Edit12->text().isEmpty(),
             "Nu s-au introdus date suficiente despre persoana!", ui.Edit8},
            {ui.Edit6->text().isEmpty(), "Nu s-a introdus explicatia!", ui.Edit6},
            // Both go into the statement bare, and a rate of -100 would divide by zero.
            {!kov::parseNumber(ui.Edit5->text()), "Suma introdusa gresit!", ui.Edit5},
            {!kov::parseRate(ui.Edit13->text()), "Cota TVA introdusa gresit!", ui.Edit13},
            {ui.ComboBox7->isEnabled() && ui.ComboBox7->currentIndex() < 0,
             "Alegeti temeiul scutirii de TVA!", ui.ComboBox7},
        })) {
        return std::nullopt;
    }

    kov::PendingInvoice p;
    p.number = ui.Edit2->text();
    p.date = ui.Edit1->text();
    p.total = ui.Edit15->text();
    p.net = ui.Edit5->text();
    p.rate = ui.Edit13->text();
    p.vat = ui.Edit14->text();
    // Settled only when the receipt covers the total to the cent.
    const long long owed = kov::cents(*total) - (receipt ? kov::cents(*received) : 0);
    p.paid = receipt && owed == 0 ? QStringLiteral("1") : QStringLiteral("0");
    p.remainder = kov::formatAmount(static_cast<double>(owed) / 100);
    p.clientCode = firm ? ui.ComboBox2->currentText() : "PF " + ui.Edit10->text();
    p.receipt = receipt;
    p.lineText = ui.Edit6->text();
    if (ui.ComboBox7->isEnabled() && ui.ComboBox7->currentIndex() >= 0) {
        p.basis = kov::exemptionCode(kov::kExemptionBases[ui.ComboBox7->currentIndex()]);
    }
    if (!firm) {
        p.person = kov::InvoicedPerson{ui.Edit8->text(), ui.Edit9->text(), ui.Edit18->text(),
                                       ui.ComboBox1->currentText(), ui.Edit10->text()};
    }
    if (receipt) {
        p.breakdown = breakdownValue();
        p.receiptNumber = ui.Edit4->text();
        p.receiptAmount = *received;
        p.remarks = ui.Edit3->text();
    }
    return p;
}

// The income category of the receipt; none chosen, or one that is not found, is 0.
QString TFormFactura::breakdownValue() {
    return ui.RadioButton5->isChecked()
               ? kov::categoryId(kov::kCollection.categoryKind, ui.ComboBox6->currentText())
               : QStringLiteral("0");
}

// An issued invoice of the company with this number; received invoices number on their own.
// What was typed stays, so that only the number needs changing.
bool TFormFactura::numberUsed() {
    return refuseUsedNumber(kov::issuedNumberUsed(SelectedFiscalCode, ui.Edit2->text()), ui.Edit2);
}

void TFormFactura::fillPrintout(const kov::PendingInvoice& invoice) {
    const auto set = [](const char* label, const QString& text) {
        RaportFactura->setCaption(QLatin1String(label), text);
    };
    const bool firm = ui.RadioButton1->isChecked();
    if (firm) {
        // Read afresh: the delegate may have been changed through "Modificare delegat".
        kov::Query q;
        q.setSql("select * from firme where cod=" + quoted(ui.ComboBox2->currentText()));
        q.open();
        const auto column = [&q](const char* name) {
            return q.eof() ? QString() : q.fieldByName(QLatin1String(name)).asString();
        };
        const std::pair<const char*, const char*> client[] = {
            {"RLabel1", "DENUMIRE"}, {"RLabel2", "CODFISCAL"}, {"RLabel3", "LOC"},
            {"RLabel4", "JUDET"},    {"RLabel5", "CONTBANCA"}, {"RLabel6", "DENBANCA"},
            {"RLabel21", "DELEGAT"}, {"RLabel22", "BISERIA"},  {"RLabel23", "BINR"},
            {"RLabel24", "BIELIB"},  {"RLabel26", "TRANSNR"}};
        for (const auto& [label, name] : client) {
            set(label, column(name));
        }
    } else {
        const std::pair<const char*, QString> client[] = {
            {"RLabel1", ui.Edit8->text()},   {"RLabel2", "CNP " + ui.Edit10->text()},
            {"RLabel3", ui.Edit9->text()},   {"RLabel4", ui.ComboBox1->currentText()},
            {"RLabel5", QString()},          {"RLabel6", QString()},
            {"RLabel21", ui.Edit8->text()},  {"RLabel22", ui.Edit11->text()},
            {"RLabel23", ui.Edit12->text()}, {"RLabel24", ui.Edit16->text()},
            {"RLabel26", QString()}};
        for (const auto& [label, text] : client) {
            set(label, text);
        }
    }
    const std::pair<const char*, QString> invoiceValues[] = {
        {"RLabel7", ui.Edit2->text()},
        {"RLabel8", ui.Edit1->text()},
        {"RLabel10", QString()},
        {"RLabel11", ui.Edit13->text()},
        {"RLabel13", ui.Edit6->text()},
        {"RLabel15", ui.Edit5->text()},
        {"RLabel16", ui.Edit5->text()},
        {"RLabel17", ui.Edit14->text()},
        {"RLabel18", ui.Edit5->text()},
        {"RLabel19", ui.Edit14->text()},
        {"RLabel20", ui.Edit15->text()},
        {"RLabel27", ui.Edit1->text()},
        {"RLabel28", QTime::currentTime().toString(QStringLiteral("hh.mm"))}};
    for (const auto& [label, text] : invoiceValues) {
        set(label, text);
    }
    const bool receipt = invoice.receipt;
    const auto caption = [](const char* label) {
        return RaportFactura->label(QLatin1String(label)).caption;
    };
    const std::pair<const char*, QString> receiptValues[] = {
        {"RLabel9", ui.Edit4->text()},
        {"RLabel29", ui.Edit1->text()},
        {"RLabel30", caption(firm ? "RLabel1" : "RLabel21")},
        {"RLabel31", caption("RLabel3")},
        {"RLabel32", ui.Edit7->text()},
        {"RLabel33", ui.Edit2->text() + u'/' + ui.Edit1->text()},
        {"RLabel34", ui.ComboBox5->currentText()},
        {"RLabel25", "CNP " + ui.Edit17->text()}};
    for (const auto& [label, text] : receiptValues) {
        set(label, receipt ? text : QString());
    }
}

void TFormFactura::reset() {
    openingFields();
    Partners->clearDetails();
    ui.Edit1->setFocus();
    readCounters();
    ui.Edit2->setText(QString::number(InvoiceCounter));
    clearCashier();
}

// An offered number another program took meanwhile: the document got the next free one.
void TFormFactura::tellRenumbered(const QString& document, const QString& offered,
                                  const QString& given, QLineEdit* field) {
    if (given == offered) {
        return;
    }
    field->setText(given);
    kov::message(QStringLiteral("Numarul %1 a fost folosit intre timp; %2 a primit numarul %3.")
                     .arg(offered, document, given),
                 QStringLiteral("Atentie!"));
}

void TFormFactura::BitBtn3Click() {
    save(false);
}

void TFormFactura::BitBtn4Click() {
    save(true);
}

void TFormFactura::save(bool eFactura) {
    const auto invoice = checked();
    // A number the user typed is refused when used; the offered one is settled when recorded.
    const kov::Offered offered{ui.Edit2->text() == QString::number(InvoiceCounter),
                               ui.Edit4->text() == QString::number(ReceiptCounter)};
    if (!invoice || (!offered.invoice && numberUsed())) {
        return;
    }
    // The folder is known, and can be written, before anything is recorded.
    const QString folder = eFactura ? kov::efactura::filesFolder(this) : QString();
    if (eFactura && folder.isEmpty()) {
        return;
    }
    // Another program may have issued the number since it was offered or checked.
    const auto issued = kov::issueInvoice(SelectedFiscalCode, *invoice, offered);
    if (refuseUsedNumber(!issued, ui.Edit2)) {
        return;
    }
    tellRenumbered(QStringLiteral("factura"), invoice->number, issued->invoice, ui.Edit2);
    if (invoice->receipt) {
        tellRenumbered(QStringLiteral("chitanta"), invoice->receiptNumber, issued->receipt,
                       ui.Edit4);
    }
    if (eFactura) {
        // Written from the recorded rows, as the export command writes it later.
        const auto recorded = kov::efactura::issuedInvoices(
            SelectedFiscalCode, kov::efactura::numberCondition(issued->invoice));
        kov::efactura::saveFiles(recorded, folder);
        // With a connection set up, the file also goes to the platform.
        if (kov::efactura::isConnected()) {
            kov::efactura::sendToPlatform(recorded, QStringLiteral("Salvare e-Factura"));
        }
    }
    if (kov::message(QStringLiteral("Mai introduceti alte facturi?"), QString(),
                     kov::Buttons::YesNo) == kov::Answer::Yes) {
        reset();
    } else {
        accept();
    }
}

void TFormFactura::BitBtn1Click() {
    const auto invoice = checked();
    if (!invoice || numberUsed()) {
        return;
    }
    fillPrintout(*invoice);
    previewRecording(*RaportFactura, *invoice);
}

void TFormFactura::BitBtn6Click() {
    const auto invoice = checked();
    if (!invoice || numberUsed()) {
        return;
    }
    RaportFacturaA4->fill(kov::issuedInvoiceDocument(
        SelectedFiscalCode, *invoice,
        kov::identityText(ui.Edit11->text(), ui.Edit12->text(), ui.Edit16->text())));
    previewRecording(*RaportFacturaA4, *invoice);
}

void TFormFactura::previewRecording(kov::report::ReportForm& form,
                                    const kov::PendingInvoice& invoice) {
    RaportFactura->Pending = invoice;
    RaportFactura->Printed = false;
    // The pre-printed printout records the invoice; any other printout hands it its printing.
    QMetaObject::Connection relay;
    if (&form != RaportFactura) {
        relay = connect(&form, &kov::report::ReportForm::AfterPrint, RaportFactura,
                        &kov::report::ReportForm::AfterPrint);
    }
    form.previewModal();
    disconnect(relay);
    // Printing issued the invoice; a preview closed unprinted (or whose recording failed or
    // was refused) leaves the window as it is, to print again or save.
    if (RaportFactura->Printed) {
        accept();
    }
}
