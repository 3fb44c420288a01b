#pragma once
// "Alegere factura": when a typed number belongs to several invoices, the user picks the one
// meant, from its date, partner, total and outstanding amount.

#include <optional>
#include <vector>

#include "books/Settlement.h"
#include "ui/FormBase.h"
#include "ui_Alegerefactura.h"

class TFormAlegereFactura : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormAlegereFactura(QWidget* parent = nullptr);
    Ui::TFormAlegereFactura ui;

    void BitBtn1Click();  // Alegere

    // Lists the invoices (oldest first, the first one chosen) and shows the window; the id of
    // the invoice chosen, nothing after "Renuntare".
    std::optional<long long> choose(const std::vector<kov::InvoiceEntry>& invoices);
};

namespace kov {

// The one invoice among those carrying a number: none when there is none, the only one, or
// the one the user picks in the global choice window; nothing chosen when the user gives up.
struct InvoiceChoice {
    bool cancelled = false;
    std::optional<InvoiceEntry> invoice;
};
InvoiceChoice chooseInvoice(const std::vector<InvoiceEntry>& invoices);

}  // namespace kov
