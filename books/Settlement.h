#pragma once
// Money received for issued invoices and money paid for received ones are booked alike: the
// listed invoices are settled in list order and one movement row records the document. What
// differs is the kind of invoice, the movement type and the kind of breakdown category.

#include <QString>
#include <QStringList>
#include <optional>

namespace kov {

struct Flow {
    QString invoiceKind;   // facturi.FELFACTURA of the invoices it settles
    QString movementType;  // operatiuni.TIP of its movement rows
    QString categoryKind;  // defalcari.TIP of its breakdown categories
};

// Collections settle the company's own invoices; payments settle its suppliers' invoices.
extern const Flow kCollection;
extern const Flow kPayment;

enum class Document { Receipt, Order };

// "CH. " + number for a receipt, "O.P. " + number for a payment order.
QString documentNumber(Document document, const QString& number);
// operatiuni.BANCA: 0 cash, 1 bank.
int bankFlag(Document document);

// A check that stops a document before anything is written.
struct Refusal {
    QString text;
    QString title;
};

// The company's invoices of the flow that carry this number.
QString invoiceSql(const QString& company, const Flow& flow, const QString& number);

// The first invoice of the flow with this number is already settled.
bool alreadySettled(const QString& company, const Flow& flow, const QString& number);

// The first listed number that may not be settled: one carried by several invoices (the
// update by number would settle them all), or one already settled. Numbers without an invoice
// pass.
std::optional<Refusal> checkInvoices(const QString& company, const Flow& flow,
                                     const QStringList& numbers);

// Spreads the amount over the listed invoices in list order, in whole cents, and rewrites each
// one's paid flag and outstanding amount. Returns the explanation "C.V. FACT. 12,15", which
// names every listed number, found or not.
QString settleInvoices(const QString& company, const Flow& flow, const QStringList& numbers,
                       double amount);

// The explanation of documents paying one invoice.
QString invoiceExplanation(const QString& numbers);

// One operatiuni row.
struct Movement {
    QString date;         // as typed
    QString number;       // NRDOC, with its prefix
    QString explanation;  // FELOPERATIE
    double total = 0;
    double net = 0;
    int bank = 0;
    QString category = QStringLiteral("0");
    int inRegister = 1;
};
void insertMovement(const QString& company, const Flow& flow, const Movement& movement);

}  // namespace kov
