#include "purchases/ReceivedInvoiceView.h"

#include "books/InvoiceDocument.h"
#include "data/Values.h"
#include "documents/RaportFacturaA4.h"
#include "ui/Globals.h"

namespace {

kov::InvoiceParty party(const kov::efactura::ReceivedParty& p) {
    kov::InvoiceParty out;
    const QString code = p.fiscalCode.trimmed();
    out.vatPayer = code.startsWith(QLatin1String("RO"), Qt::CaseInsensitive);
    // A person's CNP (or the thirteen zeros of an unnamed one) has 13 digits.
    out.person = !out.vatPayer && code.size() == 13;
    out.name = p.name;
    out.fiscalCode = code;
    out.registration = p.registration;
    out.address = p.street;
    out.locality = p.locality;
    out.county = p.county;
    out.iban = p.iban;
    return out;
}

// The received invoice as the A4 page prints it: the lines as the file gives them, the
// per-rate and invoice totals in lei as the books record them.
kov::InvoiceDocument document(const kov::efactura::ReceivedInvoice& invoice) {
    kov::InvoiceDocument d;
    d.number = invoice.number;
    d.date = invoice.date;
    d.supplier = party(invoice.supplier);
    d.client = party(invoice.buyer);
    for (const auto& line : invoice.lines) {
        kov::InvoiceLine l;
        l.text = line.text;
        l.unit = line.unit;
        l.quantity = line.quantity;
        l.unitPrice = line.price;
        l.value = line.value;
        l.rate = line.rate;
        l.vat = kov::roundAmount(line.value * line.rate / 100);
        d.lines.push_back(l);
    }
    for (const auto& rate : invoice.rates) {
        d.rates.push_back({rate.rate, rate.base, rate.vat});
    }
    d.net = invoice.net;
    d.vat = invoice.vat;
    d.total = invoice.total;
    if (invoice.creditNote) {
        d.mentions << QStringLiteral("Factura de stornare (nota de creditare).");
    }
    if (invoice.currency != QLatin1String("RON")) {
        d.mentions
            << QStringLiteral("Liniile sunt in %1; totalurile sunt in lei.").arg(invoice.currency);
    }
    return d;
}

}  // namespace

void showReceivedInvoice(const kov::efactura::ReceivedInvoice& invoice) {
    RaportFacturaA4->fill(document(invoice));
    RaportFacturaA4->previewModal();
}
