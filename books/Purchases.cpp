#include "books/Purchases.h"

#include "books/Categories.h"
#include "books/Rows.h"
#include "books/Settlement.h"
#include "data/Database.h"
#include "data/Values.h"
#include "data/Vat.h"

namespace kov {

namespace {

QString expenseCategory(const std::optional<QString>& name) {
    return name ? categoryId(kPayment.categoryKind, *name) : QStringLiteral("0");
}

// The purchase as a received invoice row, paid on the spot.
InvoiceRow paidInvoice(const Purchase& p, const QString& document) {
    return {document,
            p.date,
            p.total,
            p.net,
            p.rate,
            p.vat,
            QStringLiteral("1"),
            QStringLiteral("0"),
            p.supplier,
            QStringLiteral("I"),
            {}};
}

// The cash payment of the purchase, with its explanation, remarks and category.
OperationRow cashPayment(const Purchase& p, const QString& document) {
    OperationRow row;
    row.date = p.date;
    row.document = document;
    row.operation = p.explanation;
    row.total = p.total;
    row.net = p.net;
    row.category = expenseCategory(p.category);
    row.type = kPayment.movementType;
    row.remarks = p.remarks;
    row.inRegister = p.inRegister;
    return row;
}

}  // namespace

void recordReceivedInvoice(const QString& company, const ReceivedInvoice& r) {
    const double paid = r.cash ? numberOf(r.paid) : 0;
    // In whole cents: 119.00 paid on 119 settles the invoice however the texts were typed.
    const long long owed = cents(numberOf(r.total)) - cents(paid);
    InvoiceRow invoice = paidInvoice(r, r.number);
    invoice.paid = QString::number(r.cash && owed == 0 ? 1 : 0);
    invoice.outstanding = formatAmount(static_cast<double>(owed) / 100);
    Transaction transaction;
    insertInvoiceRow(company, invoice);
    if (r.cash) {
        OperationRow payment = cashPayment(
            r, "F." + r.number + (r.fiscalReceipt ? " + BF." : " + CH.") + r.receiptNumber);
        if (r.paid != r.total) {
            payment.total = formatAmount(paid);
            payment.net = formatAmount(netOfTotal(paid, rateOf(r.rate)));
        }
        insertOperationRow(company, payment);
    }
    transaction.commit();
}

void recordFuel(const QString& company, const FuelPurchase& f) {
    const QString document = "BF. " + f.number;
    InvoiceRow purchase = paidInvoice(f, document);
    purchase.total = f.base;
    Transaction transaction;
    insertInvoiceRow(company, purchase);
    // An excise typed in any other form than "0" (0.00 too) is recorded, with its own text.
    if (f.excise != QLatin1String("0")) {
        InvoiceRow excise = purchase;
        excise.total = excise.net = f.excise;
        excise.rate = excise.vat = QStringLiteral("0");
        insertInvoiceRow(company, excise);
    }
    QString category =
        categoryId(kPayment.categoryKind, QStringLiteral("%combustibil%"), NameMatch::Like);
    if (category == QLatin1String("0")) {
        category = categoryId(kPayment.categoryKind, QStringLiteral("%de baza%"), NameMatch::Like);
    }
    OperationRow payment;
    payment.date = f.date;
    payment.document = document;
    payment.operation = QStringLiteral("COMBUSTIBIL");
    payment.total = f.total;
    payment.net = formatAmount(numberOf(f.net) + numberOf(f.excise));
    payment.category = category;
    payment.type = kPayment.movementType;
    insertOperationRow(company, payment);
    transaction.commit();
}

void recordFiscalReceipt(const QString& company, const Purchase& p) {
    const QString document = "BF. " + p.number;
    Transaction transaction;
    insertInvoiceRow(company, paidInvoice(p, document));
    insertOperationRow(company, cashPayment(p, document));
    transaction.commit();
}

void recordSimpleReceipt(const QString& company, const Purchase& p) {
    Transaction transaction;
    insertOperationRow(company, cashPayment(p, "CH. " + p.number));
    transaction.commit();
}

void recordMiscPayment(const QString& company, const MiscPayment& m) {
    OperationRow row;
    row.date = m.date;
    row.document = m.document;
    row.operation = m.explanation;
    row.total = row.net = formatAmount(numberOf(m.amount));
    row.bank = m.bank;
    row.type = kPayment.movementType;
    row.remarks = m.remarks;
    row.inRegister = m.inRegister;
    Transaction transaction;
    row.category = expenseCategory(m.category);
    insertOperationRow(company, row);
    transaction.commit();
}

}  // namespace kov
