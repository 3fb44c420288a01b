#pragma once
// Issuing an invoice: its row, the collection row of a receipt given with it, and the company's
// counters of invoice and receipt numbers (numere).

#include <QString>
#include <optional>

namespace kov {

// A private person invoiced, as typed on the invoice.
struct InvoicedPerson {
    QString name, address, locality, county, cnp;
};

// An invoice ready to be recorded: the texts as the invoice window holds them once checked.
struct PendingInvoice {
    QString number, date;
    QString total, net, rate, vat;  // numbers as typed (they go into the statement bare)
    QString clientCode;
    QString paid;       // "1" settled by the receipt, else "0"
    QString remainder;  // two decimals
    QString breakdown = QStringLiteral("0");
    bool receipt = false;
    QString receiptNumber, lineText, remarks;
    double receiptAmount = 0;
    std::optional<InvoicedPerson> person;  // nothing for a partner firm
    QString basis;  // TEMEI: the code of the legal basis of a 0 % invoice, else empty
};

// Writes the company's invoice row and, with a receipt, its collection row: both or neither.
void recordInvoice(const QString& company, const PendingInvoice& invoice);

// An issued invoice of the company carries this number; received invoices number on their own.
bool issuedNumberUsed(const QString& company, const QString& number);

// Issues the invoice: the number's check, its rows and the counters in one write transaction,
// taken before the check, so that a second program issuing at the same time waits and then
// finds this one's row. Returns false, writing nothing, when an issued invoice of the company
// already carries the number.
bool issueInvoice(const QString& company, const PendingInvoice& invoice);

// The numbers an invoice was issued with.
struct IssuedNumbers {
    QString invoice, receipt;  // receipt: empty without a receipt
};

// Which of an invoice's numbers are the ones the window offered from the counters, not typed.
struct Offered {
    bool invoice = false;
    bool receipt = false;
};

// Issues the invoice as issueInvoice does. An offered number another program took since it was
// offered is replaced, inside the write transaction, by the next free one: the invoice number by
// the first one from the counter on that no issued invoice of the company carries, the receipt
// number by the counter. Returns nothing, writing nothing, when a typed invoice number is used.
std::optional<IssuedNumbers> issueInvoice(const QString& company, PendingInvoice invoice,
                                          Offered offered);

// The numbers the company's next invoice and receipt are offered; numbering starts at 1, also
// for a company without counters.
struct Counters {
    long long invoice = 0;
    long long receipt = 0;
};
Counters readCounters(const QString& company);

// Moves the company's counters past the numbers the invoice used (the receipt counter only
// with a receipt), in one statement and never back: a counter already further stays. A number
// that is no whole number counts as 0, as does one too large for a counter.
void advanceCounters(const QString& company, const PendingInvoice& invoice);

}  // namespace kov
