#pragma once
// An invoice as a reader sees it on paper: who issues it, to whom, its lines, the totals per
// VAT rate and the mentions the law asks for. Plain data, filled from the invoice window, from
// a recorded issued invoice or from a received invoice, and printed by the A4 invoice page.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "books/Invoices.h"

namespace kov {

struct InvoiceParty {
    bool person = false;    // a private person: the code is the CNP
    bool vatPayer = false;  // a firm registered for VAT: its code is printed with "RO"
    QString name;
    QString fiscalCode;    // as the register holds it, with or without "RO"; a person's CNP
    QString registration;  // trade register number
    QString address, locality, county;
    QString iban, bank;
};

struct InvoiceLine {
    QString text;
    QString unit = QStringLiteral("buc");
    double quantity = 1;
    double unitPrice = 0;  // without VAT
    double value = 0;      // without VAT
    double rate = 0;
    double vat = 0;
};

struct RateTotal {
    double rate = 0;
    double base = 0;
    double vat = 0;
};

struct InvoiceDocument {
    QString number;
    QDate date;
    InvoiceParty supplier;
    InvoiceParty client;
    std::vector<InvoiceLine> lines;
    std::vector<RateTotal> rates;  // one per rate, in the order the lines first use them
    double net = 0, vat = 0, total = 0;
    // The legal basis of an exemption, the receipt issued with the invoice, ...: one per line.
    QStringList mentions;
    // The delegate and the dispatch, where known.
    QString delegate, identity, transport;
};

// The per-rate totals and the invoice totals, from the lines.
void sumLines(InvoiceDocument& document);

// The printed fiscal code: "RO" before a VAT payer's code, as the register holds it otherwise.
QString printedFiscalCode(const InvoiceParty& party);

// "B.I./C.I. seria S nr. N, eliberat de E"; empty without series and number.
QString identityText(const QString& series, const QString& number, const QString& issuedBy);

// The own company, from Date firma.
InvoiceParty ownCompanyParty(const QString& company);
// A partner firm, with its delegate's identity card and means of transport where kept.
struct PartnerParty {
    InvoiceParty party;
    QString delegate, identity, transport;
};
PartnerParty partnerParty(const QString& code);

// The issued invoice as the invoice window holds it once checked; the delegate of a person is
// the person, with the identity card typed.
InvoiceDocument issuedInvoiceDocument(const QString& company, const PendingInvoice& invoice,
                                      const QString& personIdentity = {});

// The company's issued invoices carrying the number, by rowid; nothing when there is none.
std::optional<InvoiceDocument> recordedInvoiceDocument(const QString& company, long long id);

// The legal basis code kept with a recorded issued invoice (empty when none), and setting it.
QString recordedExemptionCode(const QString& company, long long id);
void setExemptionBasis(const QString& company, long long id, const QString& code);

}  // namespace kov
