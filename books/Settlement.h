#pragma once
// Money received for issued invoices and money paid for received ones are booked alike: the
// listed invoices are settled in list order and one movement row records the document. What
// differs is the kind of invoice, the movement type and the kind of breakdown category.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

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

// "upper(column)=upper('number')": document numbers match whatever their case, and the
// number is compared whole, never as a pattern.
QString numberIs(const QString& column, const QString& number);

// One invoice as the settling and deletion windows show it.
struct InvoiceEntry {
    long long id = 0;  // rowid
    QString number;
    QString date;     // dd.mm.yyyy
    QString partner;  // the partner's name
    double total = 0;
    double owed = 0;
    double rate = 0;
    bool paid = false;
};

// The company's invoices carrying the number, of one kind (FELFACTURA) or, with an empty
// kind, of both; oldest first.
std::vector<InvoiceEntry> invoicesNumbered(const QString& company, const QString& kind,
                                           const QString& number);

// An invoice listed in a settling document: its number as listed and the invoice chosen for
// it (id 0: none carries the number).
struct ListedInvoice {
    QString number;
    long long id = 0;
};

// The first invoice of the flow with this id is already settled.
bool alreadySettled(const QString& company, const Flow& flow, long long id);

// The first listed invoice that may not be settled because it already is, or the listed
// invoices' rates differ. Run inside the transaction that settles them.
std::optional<Refusal> checkInvoices(const QString& company, const Flow& flow,
                                     const std::vector<ListedInvoice>& listed);

// What the listed invoices still owe together, in cents.
long long owedCents(const QString& company, const Flow& flow,
                    const std::vector<ListedInvoice>& listed);

// Spreads the amount over the listed invoices in list order, in whole cents, and rewrites each
// one's paid flag and outstanding amount. Returns the explanation "C.V. FACT. 12,15", which
// names every listed number, found or not.
QString settleInvoices(const QString& company, const Flow& flow,
                       const std::vector<ListedInvoice>& listed, double amount);

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
