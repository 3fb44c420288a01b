#include "efactura/EFacturaSource.h"

#include "books/InvoiceDocument.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov::efactura {

namespace {

QString text(const Query& q, const char* column) {
    return q.fieldByName(QLatin1String(column)).asString();
}

Seller sellerOf(const QString& fiscalCode) {
    const InvoiceParty own = ownCompanyParty(fiscalCode);
    Seller s;
    s.fiscalCode = fiscalCode;
    s.name = own.name;
    s.vatPayer = own.vatPayer;
    s.registration = own.registration;
    s.address = {own.address, own.locality, own.county};
    s.iban = own.iban;
    s.bank = own.bank;
    return s;
}

// Invoices to a private person carry the client code "PF " and the CNP; those recorded before
// the person's data were kept with the invoice have only that code.
Buyer buyerOf(const Query& invoice) {
    const QString client = text(invoice, "CODCLIENT");
    Query q;
    q.setSql("select * from firme where cod=" + quoted(client));
    q.open();
    const bool personRow = !text(invoice, "NUMEPF").isEmpty() || !text(invoice, "CNPPF").isEmpty();
    Buyer b;
    if (personRow || (q.eof() && client.startsWith(QLatin1String("PF ")))) {
        b.person = true;
        b.name = text(invoice, "NUMEPF");
        b.code = text(invoice, "CNPPF");
        if (b.code.isEmpty()) {
            b.code = client.mid(3).trimmed();
        }
        b.address = {text(invoice, "ADRESAPF"), text(invoice, "LOCPF"), text(invoice, "JUDETPF")};
        return b;
    }
    if (!q.eof()) {
        b.name = text(q, "DENUMIRE");
        b.code = text(q, "CODFISCAL");
        b.address = {text(q, "ADRESA"), text(q, "LOC"), text(q, "JUDET")};
    } else {
        b.name = client;  // a partner since deleted: the checks name what is missing
    }
    return b;
}

struct Receipt {
    bool issued = false;
    QString lineText;
};

// The invoice window records a receipt issued with invoice N as "F.N + CH.M", with the
// invoice line's text as its kind of operation.
Receipt receiptOf(const QString& fiscalCode, const QString& number) {
    const QString prefix = quoted("F." + number + " + CH.");
    Query q;
    q.setSql("select FELOPERATIE from operatiuni where codfiscal=" + quoted(fiscalCode) +
             " and tip='incasare' and substr(nrdoc,1,length(" + prefix + "))=" + prefix);
    q.open();
    return q.eof() ? Receipt{} : Receipt{true, text(q, "FELOPERATIE")};
}

}  // namespace

QString numberCondition(const QString& number) {
    return " and nrfactura=" + quoted(number);
}

std::vector<Invoice> issuedInvoices(const QString& fiscalCode, const QString& condition) {
    const Seller seller = sellerOf(fiscalCode);
    Query q;
    q.setSql("select * from facturi where felfactura='E' and codfiscal=" + quoted(fiscalCode) +
             condition + " order by data, nrfactura");
    q.open();
    std::vector<Invoice> out;
    for (; !q.eof(); q.next()) {
        Invoice i;
        i.number = text(q, "NRFACTURA");
        i.date = q.fieldByName(QStringLiteral("DATA")).asDate();
        i.seller = seller;
        i.buyer = buyerOf(q);
        const Receipt receipt = receiptOf(fiscalCode, i.number);
        i.cashReceipt = receipt.issued;
        // Invoices recorded before the line's text was kept have it only on their receipt.
        i.explanation = q.fieldByName(QStringLiteral("EXPLICATIE")).isNull()
                            ? receipt.lineText
                            : text(q, "EXPLICATIE");
        i.net = q.fieldByName(QStringLiteral("FARATVA")).asFloat();
        i.rate = q.fieldByName(QStringLiteral("PROCENTTVA")).asFloat();
        i.vat = q.fieldByName(QStringLiteral("TVA")).asFloat();
        i.total = q.fieldByName(QStringLiteral("SUMA")).asFloat();
        i.basis = text(q, "TEMEI");
        out.push_back(i);
    }
    return out;
}

}  // namespace kov::efactura
