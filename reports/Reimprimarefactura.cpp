#include "reports/Reimprimarefactura.h"
#include <algorithm>

#include "books/InvoiceDocument.h"
#include "books/VatExemption.h"
#include "data/Values.h"
#include "documents/Alegerefactura.h"
#include "documents/RaportFacturaA4.h"
#include "ui/Checks.h"
#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"

namespace {

const QString kError = QStringLiteral("Eroare!");
const QString kWarning = QStringLiteral("Atentie!");

}  // namespace

TFormReimprimareFactura::TFormReimprimareFactura(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    setObjectName(QStringLiteral("TFormReimprimareFactura"));
    kov::forceUpperCase(ui.Edit1);
    ui.ComboBox7->addItems(kov::exemptionCaptions());
    kov::setAqua(ui.ComboBox7);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &TFormReimprimareFactura::BitBtn1Click);
    kov::onEvent(ui.BitBtn2, &QPushButton::clicked, this, &TFormReimprimareFactura::BitBtn2Click);
    connect(ui.BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormReimprimareFactura::FormShow() {
    ui.Edit1->clear();
    ui.ComboBox7->setCurrentIndex(-1);
    ui.Edit1->setFocus();
}

std::optional<kov::InvoiceEntry> TFormReimprimareFactura::chosen() {
    if (kov::refused(ui.Edit1->text().trimmed().isEmpty(),
                     QStringLiteral("Nu s-a introdus numarul de factura!"), kError, ui.Edit1)) {
        return std::nullopt;
    }
    const kov::InvoiceChoice choice = kov::chooseInvoice(
        kov::invoicesNumbered(SelectedFiscalCode, QStringLiteral("E"), ui.Edit1->text()));
    if (choice.cancelled) {
        return std::nullopt;
    }
    if (kov::refused(!choice.invoice, QStringLiteral("Nu exista o factura emisa cu acest numar!"),
                     kWarning, ui.Edit1)) {
        return std::nullopt;
    }
    return choice.invoice;
}

void TFormReimprimareFactura::BitBtn1Click() {
    const auto invoice = chosen();
    if (!invoice) {
        return;
    }
    const auto document = kov::recordedInvoiceDocument(SelectedFiscalCode, invoice->id);
    if (!document) {
        return;
    }
    // The basis recorded, for the user to see or set.
    const kov::ExemptionBasis basis =
        kov::exemptionBasis(kov::recordedExemptionCode(SelectedFiscalCode, invoice->id));
    const auto* at =
        std::find(std::begin(kov::kExemptionBases), std::end(kov::kExemptionBases), basis);
    ui.ComboBox7->setCurrentIndex(at == std::end(kov::kExemptionBases)
                                      ? -1
                                      : static_cast<int>(at - std::begin(kov::kExemptionBases)));
    RaportFacturaA4->fill(*document);
    RaportFacturaA4->previewModal();
}

void TFormReimprimareFactura::BitBtn2Click() {
    const auto invoice = chosen();
    if (!invoice) {
        return;
    }
    if (kov::refused(kov::cents(invoice->rate) != 0,
                     QStringLiteral("Temeiul scutirii se alege doar la o factura cu cota 0!"),
                     kWarning, ui.Edit1) ||
        kov::refused(ui.ComboBox7->currentIndex() < 0,
                     QStringLiteral("Alegeti temeiul scutirii de TVA!"), kError, ui.ComboBox7)) {
        return;
    }
    kov::setExemptionBasis(SelectedFiscalCode, invoice->id,
                           kov::exemptionCode(kov::kExemptionBases[ui.ComboBox7->currentIndex()]));
    kov::message(QStringLiteral("Temeiul scutirii a fost salvat."), QString());
}
