#pragma once
// Recording what the company buys and pays: a received invoice (paid later or in cash on the
// spot), fuel with its excise, a fiscal receipt, a simple receipt, and a miscellaneous payment.
// Each writes its rows in one transaction: all of them or none.

#include <QString>
#include <optional>

namespace kov {

// A purchase document as its window holds it once checked: the texts as typed or shown. The
// numbers go into the statements bare, so anything else refuses the whole document.
struct Purchase {
    QString date;
    QString number;    // the document's own number, as typed
    QString supplier;  // the supplier's code
    QString total, net, rate, vat;
    QString explanation, remarks;
    std::optional<QString> category;  // the expense category chosen by name; nothing for none
    int inRegister = 1;               // whether the payment enters the cash register
};

// A received invoice ("I"), optionally paid in cash against a receipt ("CH.") or a fiscal
// receipt ("BF."): settled when the amount paid covers the total to the cent. An amount paid
// typed otherwise than the total is paid as typed, its amount without VAT worked out at the
// rate.
struct ReceivedInvoice : Purchase {
    bool cash = false;
    bool fiscalReceipt = false;
    QString receiptNumber{};
    QString paid{};  // the amount paid, as typed
};
void recordReceivedInvoice(const QString& company, const ReceivedInvoice& invoice);

// Fuel bought against a fiscal receipt: the invoice row holds the VAT base (the total less the
// excise), an excise typed otherwise than "0" gets a row of its own, and the whole total is
// paid under the fuel category (else the basic expenses one).
struct FuelPurchase : Purchase {
    QString base{};    // as the window shows it
    QString excise{};  // as typed
};
void recordFuel(const QString& company, const FuelPurchase& fuel);

// A fiscal receipt: a received invoice row "BF. " + number, already paid, and its payment.
void recordFiscalReceipt(const QString& company, const Purchase& receipt);

// A simple receipt: its payment "CH. " + number, no invoice row.
void recordSimpleReceipt(const QString& company, const Purchase& receipt);

// A payment of any other kind: no VAT, so the amount is paid with and without VAT alike.
struct MiscPayment {
    QString date, document, explanation;
    QString amount;  // as typed
    int bank = 0;    // 0 cash, 1 bank
    std::optional<QString> category;
    QString remarks;
    int inRegister = 1;
};
void recordMiscPayment(const QString& company, const MiscPayment& payment);

}  // namespace kov
