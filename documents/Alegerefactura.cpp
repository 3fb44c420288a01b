#include "documents/Alegerefactura.h"

#include <QTreeWidget>

#include "data/Values.h"
#include "ui/Globals.h"

TFormAlegereFactura::TFormAlegereFactura(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    setObjectName(QStringLiteral("TFormAlegereFactura"));
    ui.ListView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &TFormAlegereFactura::BitBtn1Click);
    connect(ui.ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormAlegereFactura::BitBtn1Click() {
    if (ui.ListView1->currentItem()) {
        accept();
    }
}

std::optional<long long> TFormAlegereFactura::choose(
    const std::vector<kov::InvoiceEntry>& invoices) {
    ui.ListView1->clear();
    for (const kov::InvoiceEntry& invoice : invoices) {
        auto* row = new QTreeWidgetItem(
            ui.ListView1, {invoice.date, invoice.partner, kov::formatAmount(invoice.total),
                           kov::formatAmount(invoice.owed)});
        row->setData(0, Qt::UserRole, invoice.id);
        for (int column : {2, 3}) {
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    ui.ListView1->setCurrentItem(ui.ListView1->topLevelItem(0));
    if (exec() != QDialog::Accepted || !ui.ListView1->currentItem()) {
        return std::nullopt;
    }
    return ui.ListView1->currentItem()->data(0, Qt::UserRole).toLongLong();
}

namespace kov {

InvoiceChoice chooseInvoice(const std::vector<InvoiceEntry>& invoices) {
    if (invoices.size() <= 1) {
        return {false, invoices.empty() ? std::nullopt : std::optional(invoices.front())};
    }
    const auto id = FormAlegereFactura->choose(invoices);
    if (!id) {
        return {true, std::nullopt};
    }
    for (const InvoiceEntry& invoice : invoices) {
        if (invoice.id == *id) {
            return {false, invoice};
        }
    }
    return {true, std::nullopt};
}

}  // namespace kov
