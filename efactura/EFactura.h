#pragma once
// e-Factura: one issued invoice as the UBL 2.1 Invoice file of the national usage rules
// CIUS-RO, which the national platform takes, and the checks that say why an
// invoice cannot be written yet. Pure data in, text out: no database, no widgets.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace kov::efactura {

struct Address {
    QString street;    // street and number
    QString locality;  // not needed in Bucharest, where the county names the sector
    QString county;    // a name of the county lists: "ALBA", "BUC.SECTOR 3", ...
};

// The own company issuing the invoice.
struct Seller {
    QString name;
    bool vatPayer = true;
    QString fiscalCode;    // with or without the "RO" prefix
    QString registration;  // trade register number (NRJ), optional
    Address address;
    QString iban;  // needed when the invoice is paid by transfer
    QString bank;
};

struct Buyer {
    bool person = false;  // a private person typed on the invoice, not a partner firm
    QString name;
    QString code;  // the firm's fiscal code, or the person's CNP (may be empty)
    Address address;
};

// One invoice as recorded: one line, amounts as stored.
struct Invoice {
    QString number;
    QDate date;
    Seller seller;
    Buyer buyer;
    QString explanation;  // the line's text
    double net = 0;       // amount without VAT
    double rate = 0;      // VAT rate in percent
    double vat = 0;
    double total = 0;
    bool cashReceipt = false;  // paid in cash with a receipt issued with the invoice
    QString basis = {};        // the code of the legal basis of a 0 % invoice (TEMEI)
};

// Why an invoice at 0 % from a VAT payer exempt under art. 292 carries no VAT: a domestic
// exemption without the right of deduction.
inline constexpr char kExemptionReason[] = "Scutit de TVA conform art. 292 din Codul fiscal";

// The reasons, in Romanian, why the platform would refuse the invoice; empty when it can be
// written. Each reason names the own company, the partner or the person and the field. The
// total must be the amount without VAT plus the VAT, give or take the cent that splitting a
// typed total leaves (the file carries it as rounding).
QStringList problems(const Invoice& invoice);

// The UBL Invoice, UTF-8. Meant for an invoice without problems().
QByteArray toXml(const Invoice& invoice);

// "<number>_<yyyy-mm-dd>.xml", with characters that cannot stand in a file name replaced.
QString fileName(const Invoice& invoice);

}  // namespace kov::efactura
