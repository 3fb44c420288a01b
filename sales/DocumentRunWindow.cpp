#include "sales/DocumentRunWindow.h"

#include <limits>

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

const QString kNone = QStringLiteral("fara");
const QString kError = QStringLiteral("Eroare!");
const QString kWarning = QStringLiteral("Atentie!");
const QString kBadDate = QStringLiteral("Data introdusa gresit!");
const QString kBadAmount = QStringLiteral("Suma introdusa gresit!");
constexpr long long kMostDocuments = 1000;

enum Column { Number, Date, Amount, Category };

// A document number as the user types it: a whole number of the usual integer range.
std::optional<long long> documentInteger(const QString& text) {
    const auto value = kov::parseInteger(text);
    if (!value || *value < std::numeric_limits<int>::min() ||
        *value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

DocumentRunWindow::DocumentRunWindow(kov::Document document, const QString& caption,
                                     QWidget* parent)
    : kov::FormDialog(parent), document_(document) {
    ui.setupUi(this);
    setWindowTitle(caption);
    rate_ = new kov::VatRateField(ui.Edit3, ui.Edit8);
    const bool receipts = document == kov::Document::Receipt;
    ui.GroupBox1->setTitle(receipts ? QStringLiteral("Chitante")
                                    : QStringLiteral("Ordine de plata"));
    ui.Label9->setText(receipts ? QStringLiteral("Nr. chitanta:") : QStringLiteral("Nr. O.P.:"));
    ui.ListView1->headerItem()->setText(
        Number, receipts ? QStringLiteral("Nr. chitanta") : QStringLiteral("Nr. O.P."));
    ui.ListView1->headerItem()->setTextAlignment(Amount, Qt::AlignRight | Qt::AlignVCenter);
    for (const auto& [column, width] :
         {std::pair{Number, 80}, {Date, 100}, {Amount, 100}, {Category, 140}}) {
        ui.ListView1->setColumnWidth(column, width);
    }
    kov::forceUpperCase(ui.Edit2);
    kov::forceUpperCase(ui.Edit10);
    kov::forceUpperCase(ui.Edit11);
    kov::forceLowerCase(ui.Edit9);
    kov::forceLowerCase(ui.Edit12);
    kov::forceLowerCase(ui.Edit13);
    ui.ListView1->installEventFilter(this);
    kov::onEvent(ui.Button1, &QPushButton::clicked, this, &DocumentRunWindow::Button1Click);
    kov::onEvent(ui.Edit3, &QLineEdit::textChanged, this, &DocumentRunWindow::Edit3Change);
    kov::onEvent(ui.Edit10, &QLineEdit::textEdited, this, &DocumentRunWindow::Edit10KeyUp);
    kov::onEvent(ui.Edit11, &QLineEdit::textEdited, this, &DocumentRunWindow::Edit11KeyUp);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &DocumentRunWindow::BitBtn1Click);
    kov::onEvent(ui.Edit9, &QLineEdit::textEdited, this, &DocumentRunWindow::Edit9KeyUp);
    kov::onEvent(ui.Edit12, &QLineEdit::textEdited, this, &DocumentRunWindow::Edit12KeyUp);
    kov::onEvent(ui.Edit13, &QLineEdit::textEdited, this, &DocumentRunWindow::Edit13KeyUp);
    kov::onEvent(ui.ListView1, &QTreeWidget::itemClicked, this, &DocumentRunWindow::ListView1Click);
    kov::onEvent(ui.BitBtn6, &QPushButton::clicked, this, &DocumentRunWindow::BitBtn6Click);
    kov::onEvent(ui.BitBtn7, &QPushButton::clicked, this, &DocumentRunWindow::BitBtn7Click);
    kov::onEvent(ui.BitBtn8, &QPushButton::clicked, this, &DocumentRunWindow::BitBtn8Click);
    kov::onEvent(ui.BitBtn4, &QPushButton::clicked, this, &DocumentRunWindow::BitBtn4Click);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

bool DocumentRunWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui.ListView1 && event->type() == QEvent::KeyRelease) {
        kov::guarded([this] { ListView1KeyUp(); });
    }
    return kov::FormDialog::eventFilter(watched, event);
}

void DocumentRunWindow::FormShow() {
    reset();
}

// The run flags stay as they were; the button they drive starts off all the same.
void DocumentRunWindow::reset() {
    ui.Edit3->clear();
    ui.Edit2->clear();
    rate_->reset();
    for (QLineEdit* edit : {ui.Edit9, ui.Edit10, ui.Edit11, ui.Edit12, ui.Edit13}) {
        edit->clear();
    }
    for (QPushButton* button : {ui.BitBtn1, ui.BitBtn6, ui.BitBtn7, ui.BitBtn8}) {
        button->setEnabled(false);
    }
    kov::fillCategories(ui.ComboBox5, kov::kCollection, {kNone});
    ui.ComboBox5->setCurrentIndex(0);
    ui.ListView1->clear();
    EditedNumber.clear();
}

void DocumentRunWindow::Button1Click() {
    kov::fillToday(ui.Edit3);
}

void DocumentRunWindow::Edit3Change() {
    ui.Edit12->setText(ui.Edit3->text());
}

void DocumentRunWindow::runFlags() {
    StartValid = documentInteger(ui.Edit10->text()).has_value();
    EndValid = documentInteger(ui.Edit11->text()).has_value();
    ui.BitBtn1->setEnabled(StartValid && EndValid);
}

void DocumentRunWindow::Edit10KeyUp() {
    runFlags();
}

void DocumentRunWindow::Edit11KeyUp() {
    runFlags();
}

void DocumentRunWindow::addRow(const QStringList& columns) {
    kov::insertSorted(ui.ListView1, columns)
        ->setTextAlignment(Amount, Qt::AlignRight | Qt::AlignVCenter);
}

void DocumentRunWindow::BitBtn1Click() {
    const auto start = documentInteger(ui.Edit10->text());
    const auto end = documentInteger(ui.Edit11->text());
    if (kov::refused(!start, QStringLiteral("Numar chitanta de inceput introdus gresit!"),
                     kError) ||
        kov::refused(!end, QStringLiteral("Numar chitanta de sfarsit introdus gresit!"), kError) ||
        kov::refused(*end < *start,
                     QStringLiteral("Numar chitanta de sfarsit mai mic decat cel de inceput!"),
                     kWarning) ||
        kov::refused(*end - *start >= kMostDocuments,
                     QStringLiteral("Se pot introduce cel mult 1000 de documente odata!"),
                     kWarning)) {
        return;
    }
    // Both ends are ints held in a long long: the step past the last one cannot overflow.
    for (long long n = *start; n <= *end; ++n) {
        addRow({QString::number(n), ui.Edit3->text(), QStringLiteral("0"), kNone});
    }
}

void DocumentRunWindow::editorFlags() {
    ui.BitBtn6->setEnabled(documentInteger(ui.Edit9->text()) && kov::parseDate(ui.Edit12->text()) &&
                           kov::parseNumber(ui.Edit13->text()));
}

void DocumentRunWindow::Edit9KeyUp() {
    editorFlags();
}

void DocumentRunWindow::Edit12KeyUp() {
    editorFlags();
}

void DocumentRunWindow::Edit13KeyUp() {
    editorFlags();
}

void DocumentRunWindow::ListView1Click() {
    const QTreeWidgetItem* row = ui.ListView1->currentItem();
    if (!row || !row->isSelected()) {
        return;
    }
    ui.Edit9->setText(row->text(Number));
    ui.Edit12->setText(row->text(Date));
    ui.Edit13->setText(row->text(Amount));
    ui.ComboBox5->setCurrentIndex(ui.ComboBox5->findText(row->text(Category), Qt::MatchExactly));
    EditedNumber = row->text(Number);
    ui.BitBtn6->setEnabled(false);
    ui.BitBtn7->setEnabled(true);
    ui.BitBtn8->setEnabled(true);
}

void DocumentRunWindow::ListView1KeyUp() {
    ListView1Click();
}

void DocumentRunWindow::clearEditor() {
    ui.Edit9->clear();
    ui.Edit12->setText(ui.Edit3->text());
    ui.Edit13->clear();
    for (QPushButton* button : {ui.BitBtn6, ui.BitBtn7, ui.BitBtn8}) {
        button->setEnabled(false);
    }
}

void DocumentRunWindow::BitBtn6Click() {
    if (kov::refused(kov::findRow(ui.ListView1, ui.Edit9->text()) != nullptr,
                     QStringLiteral("Aces numar de chitanta chitanta a mai fost introdus!"),
                     kWarning) ||
        kov::refused(!kov::parseDate(ui.Edit12->text()), kBadDate, kError)) {
        return;
    }
    addRow({ui.Edit9->text(), ui.Edit12->text(), ui.Edit13->text(), ui.ComboBox5->currentText()});
    clearEditor();
}

void DocumentRunWindow::BitBtn7Click() {
    delete kov::findRow(ui.ListView1, EditedNumber);
    clearEditor();
}

void DocumentRunWindow::BitBtn8Click() {
    if (kov::refused(!kov::parseDate(ui.Edit12->text()), kBadDate, kError) ||
        kov::refused(!kov::parseNumber(ui.Edit13->text()), kBadAmount, kError)) {
        return;
    }
    // The changed number takes its place in the text order.
    if (QTreeWidgetItem* row = kov::findRow(ui.ListView1, EditedNumber)) {
        delete row;
        addRow(
            {ui.Edit9->text(), ui.Edit12->text(), ui.Edit13->text(), ui.ComboBox5->currentText()});
    }
    clearEditor();
}

bool DocumentRunWindow::rowsReady() {
    for (int i = 0; i < ui.ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = ui.ListView1->topLevelItem(i);
        if (kov::refused(row->text(Amount) == QStringLiteral("0"),
                         "Suma pentru chitanta nr." + row->text(Number) + " nu a fost introdusa!",
                         kWarning)) {
            return false;
        }
    }
    return true;
}

// The invoice is found, checked and settled with the documents' total inside the transaction
// that writes them, so that another program recording at the same time is seen.
void DocumentRunWindow::BitBtn4Click() {
    const QString invoice = ui.Edit2->text();
    const auto rate = kov::parseRate(ui.Edit8->text());
    if (kov::refused(invoice.isEmpty(), QStringLiteral("Nu s-a introdus numarul de factura!"),
                     kWarning, ui.Edit2) ||
        kov::refused(!rate, QStringLiteral("Cota TVA introdusa gresit!"), kError, ui.Edit8) ||
        !rowsReady()) {
        return;
    }
    kov::Transaction transaction;
    const kov::InvoiceChoice choice = kov::chooseInvoice(
        kov::invoicesNumbered(SelectedFiscalCode, kov::kCollection.invoiceKind, invoice));
    const kov::ListedInvoice paid{invoice, choice.invoice ? choice.invoice->id : 0};
    if (choice.cancelled ||
        kov::refused(kov::alreadySettled(SelectedFiscalCode, kov::kCollection, paid.id),
                     "Factura numarul " + invoice + " a fost deja platita!", kWarning)) {
        return;
    }
    long long total = 0;
    for (int i = 0; i < ui.ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = ui.ListView1->topLevelItem(i);
        kov::Movement movement;
        movement.date = row->text(Date);
        movement.number = kov::documentNumber(document_, row->text(Number));
        movement.explanation = kov::invoiceExplanation(invoice);
        // Rows enter the list only through checks that the amount is a number.
        movement.total = kov::parseNumber(row->text(Amount)).value_or(0);
        movement.net = kov::netOfTotal(movement.total, *rate);
        movement.bank = kov::bankFlag(document_);
        movement.category =
            row->text(Category) == kNone
                ? QStringLiteral("0")
                : kov::categoryId(kov::kCollection.categoryKind, row->text(Category));
        kov::insertMovement(SelectedFiscalCode, kov::kCollection, movement);
        total += kov::cents(movement.total);
    }
    if (ui.ListView1->topLevelItemCount() > 0) {
        kov::settleInvoices(SelectedFiscalCode, kov::kCollection, {paid},
                            static_cast<double>(total) / 100);
    }
    transaction.commit();
    if (kov::anotherDocument(this, document_)) {
        reset();
    }
}
