#include "documents/SettleWindow.h"

#include "books/Categories.h"
#include "data/Database.h"
#include "data/Values.h"
#include "data/Vat.h"
#include "documents/Alegerefactura.h"
#include "documents/SettleWidgets.h"
#include "ui/Checks.h"
#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"
#include "ui/VatRateField.h"

namespace {

// The list's columns; the invoice chosen for a row is kept with its caption.
enum Column { Number, Partner, Total, Owed };
constexpr int kInvoiceId = Qt::UserRole;

long long invoiceId(const QTreeWidgetItem* row) {
    return row->data(Number, kInvoiceId).toLongLong();
}

}  // namespace

SettleWindow::SettleWindow(const SettleWindowKind& kind, QWidget* parent)
    : kov::FormDialog(parent),
      flow_(kind.flow),
      document_(kind.document),
      registerChoice_(kind.registerChoice) {
    ui.setupUi(this);
    setWindowTitle(kind.caption);
    ui.Label2->setText(kind.document == kov::Document::Receipt ? QStringLiteral("Nr. chitanta:")
                                                               : QStringLiteral("Numar OP:"));
    ui.GroupBox4->setVisible(registerChoice_);
    kov::forceUpperCase(ui.Edit15);
    kov::forceUpperCase(ui.Edit2);
    kov::forceUpperCase(ui.Edit4);
    for (int column : {Total, Owed}) {
        ui.ListView1->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    rate_ = new kov::VatRateField(ui.Edit1, ui.Edit13, [this] { splitVat(); });
    kov::onEvent(ui.Button1, &QPushButton::clicked, this, &SettleWindow::Button1Click);
    kov::onEvent(ui.Edit1, &QLineEdit::textEdited, this, &SettleWindow::Edit1KeyUp);
    kov::onEvent(ui.Edit2, &QLineEdit::textEdited, this, &SettleWindow::Edit2KeyUp);
    kov::onEvent(ui.Edit15, &QLineEdit::textEdited, this, &SettleWindow::Edit15KeyUp);
    kov::onEvent(ui.Edit13, &QLineEdit::textEdited, this, &SettleWindow::Edit13KeyUp);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &SettleWindow::BitBtn1Click);
    kov::onEvent(ui.BitBtn2, &QPushButton::clicked, this, &SettleWindow::BitBtn2Click);
    kov::onEvent(ui.ListView1, &QTreeWidget::itemClicked, this, &SettleWindow::ListView1Click);
    kov::onEvent(ui.RadioButton5, &QRadioButton::clicked, this, &SettleWindow::RadioButton5Click);
    kov::onEvent(ui.RadioButton6, &QRadioButton::clicked, this, &SettleWindow::RadioButton6Click);
    kov::onEvent(ui.BitBtn4, &QPushButton::clicked, this, &SettleWindow::BitBtn4Click);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

void SettleWindow::FormShow() {
    reset();
}

// The register choice is the user's and outlives the reset.
void SettleWindow::reset() {
    ui.ListView1->clear();
    ui.Edit1->clear();
    ui.Edit2->clear();
    ui.Edit4->clear();
    ui.Edit5->setText(QStringLiteral("0"));
    rate_->reset();
    ui.Edit14->setText(QStringLiteral("0"));
    ui.Edit15->setText(QStringLiteral("0"));
    DateValid = NumberGiven = AmountValid = ListFilled = false;
    updateAccept();
    kov::fillCategories(ui.ComboBox5, flow_);
    ui.RadioButton5->setChecked(true);
    RadioButton5Click();
    ui.Edit1->setFocus();
}

void SettleWindow::updateAccept() {
    ui.BitBtn4->setEnabled(DateValid && NumberGiven && AmountValid && ListFilled);
}

void SettleWindow::Button1Click() {
    kov::fillToday(ui.Edit1);
    Edit1KeyUp();
}

void SettleWindow::Edit1KeyUp() {
    DateValid = kov::parseDate(ui.Edit1->text()).has_value();
    updateAccept();
}

void SettleWindow::Edit2KeyUp() {
    NumberGiven = !ui.Edit2->text().isEmpty();
    updateAccept();
}

void SettleWindow::Edit15KeyUp() {
    splitVat();
}

void SettleWindow::Edit13KeyUp() {
    splitVat();
}

// A rate of -100 or less is a number but splits nothing; "Acceptare" refuses it by name.
void SettleWindow::splitVat() {
    const auto total = kov::parseNumber(ui.Edit15->text());
    AmountValid = total && kov::parseNumber(ui.Edit13->text());
    const auto rate = kov::parseRate(ui.Edit13->text());
    if (total && rate) {
        const kov::VatAmounts split = kov::vatFromTotal(*total, *rate);
        ui.Edit5->setText(kov::formatAmount(split.net));
        ui.Edit14->setText(kov::formatAmount(split.vat));
    }
    updateAccept();
}

// The number is looked up at once: the list shows what the invoice owes, the rate follows the
// invoices', and a number carried by several invoices is settled on the one the user picks.
void SettleWindow::BitBtn1Click() {
    const QString number = ui.Edit4->text();
    if (number.isEmpty()) {
        return;
    }
    const kov::InvoiceChoice choice =
        kov::chooseInvoice(kov::invoicesNumbered(SelectedFiscalCode, flow_.invoiceKind, number));
    if (choice.cancelled) {
        return;
    }
    const long long id = choice.invoice ? choice.invoice->id : 0;
    for (int i = 0; i < ui.ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = ui.ListView1->topLevelItem(i);
        if (row->text(Number) == number && invoiceId(row) == id) {
            kov::refuse(QStringLiteral("Acest numar de factura a mai fost introdus!"),
                        QStringLiteral("Atentie!"));
            return;
        }
    }
    QStringList columns{number};
    if (choice.invoice) {
        columns << choice.invoice->partner << kov::formatAmount(choice.invoice->total)
                << kov::formatAmount(choice.invoice->owed);
    }
    QTreeWidgetItem* row = kov::insertSorted(ui.ListView1, columns);
    row->setData(Number, kInvoiceId, id);
    for (int column : {Total, Owed}) {
        row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (choice.invoice) {
        rate_->takeRate(choice.invoice->rate);
    }
    ui.Edit4->clear();
    ListFilled = true;
    updateAccept();
}

void SettleWindow::BitBtn2Click() {
    delete kov::findRow(ui.ListView1, ui.Edit4->text());
    ListFilled = ui.ListView1->topLevelItemCount() > 0;
    ui.Edit4->clear();
    updateAccept();
}

void SettleWindow::ListView1Click() {
    if (auto* row = ui.ListView1->currentItem()) {
        ui.Edit4->setText(row->text(0));
    }
}

void SettleWindow::RadioButton5Click() {
    ui.ComboBox5->setEnabled(true);
    kov::shade(ui.ComboBox5, kov::Shade::Aqua);
    ui.ComboBox5->setCurrentIndex(ui.ComboBox5->count() > 0 ? 0 : -1);
}

void SettleWindow::RadioButton6Click() {
    ui.ComboBox5->setEnabled(false);
    kov::shade(ui.ComboBox5, kov::Shade::Window);
    ui.ComboBox5->setCurrentIndex(-1);
}

std::vector<kov::ListedInvoice> SettleWindow::listed() const {
    std::vector<kov::ListedInvoice> out;
    for (int i = 0; i < ui.ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = ui.ListView1->topLevelItem(i);
        out.push_back({row->text(Number), invoiceId(row)});
    }
    return out;
}

// The invoices are checked, and the user asked, before the file's write lock is taken, so that
// no other user waits on a question; they are read and checked again inside the transaction
// that settles them, so that another program recording at the same time is seen.
void SettleWindow::BitBtn4Click() {
    const auto rate = kov::parseRate(ui.Edit13->text());
    if (kov::refused(!rate, QStringLiteral("Cota TVA introdusa gresit!"), QStringLiteral("Eroare!"),
                     ui.Edit13)) {
        return;
    }
    const auto amount = kov::parseNumber(ui.Edit15->text());
    if (!amount) {
        return;  // "Acceptare" is off until the amount converts
    }
    const std::vector<kov::ListedInvoice> invoices = listed();
    auto refusal = kov::checkInvoices(SelectedFiscalCode, flow_, invoices);
    if (!refusal && kov::cents(*amount) > kov::owedCents(SelectedFiscalCode, flow_, invoices) &&
        kov::message(QStringLiteral("Suma de pe chitanta mai mare decit restul de plata al "
                                    "facturilor! Continuati?"),
                     QStringLiteral("Atentie!"), kov::Buttons::YesNo) != kov::Answer::Yes) {
        return;
    }
    if (!refusal) {
        kov::Transaction transaction;
        refusal = kov::checkInvoices(SelectedFiscalCode, flow_, invoices);
        if (!refusal) {
            record(invoices, *amount, *rate);
            transaction.commit();
        }
    }
    if (refusal) {
        kov::refuse(refusal->text, refusal->title);
        return;
    }
    if (kov::anotherDocument(this, document_)) {
        reset();
    }
}

void SettleWindow::record(const std::vector<kov::ListedInvoice>& invoices, double amount,
                          double rate) {
    kov::Movement movement;
    movement.explanation = kov::settleInvoices(SelectedFiscalCode, flow_, invoices, amount);
    movement.date = ui.Edit1->text();
    movement.number = kov::documentNumber(document_, ui.Edit2->text());
    movement.total = amount;
    movement.net = kov::netOfTotal(amount, rate);
    movement.bank = kov::bankFlag(document_);
    movement.category = ui.RadioButton5->isChecked()
                            ? kov::categoryId(flow_.categoryKind, ui.ComboBox5->currentText())
                            : QStringLiteral("0");
    movement.inRegister = !registerChoice_ || ui.RadioButton1->isChecked() ? 1 : 0;
    kov::insertMovement(SelectedFiscalCode, flow_, movement);
}
