#include "reports/StareEFactura.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "books/Periods.h"
#include "data/Values.h"
#include "documents/SpvCommands.h"
#include "efactura/Archive.h"
#include "efactura/Deadline.h"
#include "efactura/EFacturaSource.h"
#include "efactura/SpvArchive.h"
#include "efactura/SpvConnection.h"
#include "efactura/SpvStates.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace {

const QString kTitle = QStringLiteral("Stare e-Factura");

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

}  // namespace

TFormStareEFactura::TFormStareEFactura(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormStareEFactura"));
    setWindowTitle(kTitle);
    resize(860, 480);
    auto* layout = new QVBoxLayout(this);
    auto* period = new QHBoxLayout;
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    const QDate first(Today.year(), Today.month(), 1);
    Edit1->setText(kov::formatDate(first));
    Edit2->setText(kov::formatDate(first.addMonths(1).addDays(-1)));
    BitBtn2 = button("BitBtn2", QStringLiteral("Afisare"), this);
    period->addWidget(new QLabel(QStringLiteral("De la data:"), this));
    period->addWidget(Edit1);
    period->addWidget(new QLabel(QStringLiteral("Pana la data:"), this));
    period->addWidget(Edit2);
    period->addWidget(BitBtn2);
    period->addStretch();
    layout->addLayout(period);
    StringGrid1 = new QTableWidget(0, 6, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Numar"), QStringLiteral("Data"),
                                            QStringLiteral("Client"), QStringLiteral("Total"),
                                            QStringLiteral("Termen"), QStringLiteral("Stare")});
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(StringGrid1);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = button("BitBtn1", QStringLiteral("Actualizare"), this);
    BitBtn3 = button("BitBtn3", QStringLiteral("Inchidere"), this);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn3);
    layout->addLayout(buttons);
    kov::onEvent(BitBtn1, &QPushButton::clicked, this, &TFormStareEFactura::BitBtn1Click);
    kov::onEvent(BitBtn2, &QPushButton::clicked, this, &TFormStareEFactura::fill);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormStareEFactura::fill() {
    if (!kov::parseDate(Edit1->text()) || !kov::parseDate(Edit2->text())) {
        kov::message(QStringLiteral("Data nu este valida (ZZ.LL.AAAA)."), kTitle);
        return;
    }
    const auto invoices = kov::efactura::issuedInvoices(
        SelectedFiscalCode, kov::dateRange(Edit1->text().trimmed(), Edit2->text().trimmed()).sql);
    StringGrid1->setRowCount(static_cast<int>(invoices.size()));
    int row = 0;
    for (const auto& invoice : invoices) {
        const auto state =
            kov::efactura::loadState(SelectedFiscalCode, invoice.number, invoice.date);
        const QDate deadline = kov::efactura::sendingDeadline(invoice.date);
        // Late: reached the platform after the deadline, or still not there after it.
        const bool onPlatform = state && (state->state == kov::efactura::kAccepted ||
                                          state->state == kov::efactura::kPending);
        const bool late = onPlatform ? state->sent > deadline : Today > deadline;
        const QStringList cells{
            invoice.number,
            kov::formatDate(invoice.date),
            invoice.buyer.name,
            kov::formatAmount(invoice.total),
            kov::formatDate(deadline) + (late ? QStringLiteral(" INTARZIATA") : QString()),
            kov::efactura::stateText(state)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (late) {
                item->setForeground(QBrush(Qt::red));
            }
            StringGrid1->setItem(row, column, item);
        }
        ++row;
    }
}

void TFormStareEFactura::BitBtn1Click() {
    try {
        kov::efactura::SpvClient client = kov::efactura::openClient();
        kov::efactura::showRun(
            kov::efactura::followStates(client, SelectedFiscalCode, kov::efactura::archiveFolder()),
            kTitle, QStringLiteral("Nu exista facturi in asteptare."));
    } catch (const kov::efactura::SpvError& e) {
        kov::message(e.message(), kTitle);
    }
    fill();
}
