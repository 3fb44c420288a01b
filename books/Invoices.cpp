#include "books/Invoices.h"

#include <algorithm>
#include <climits>

#include "books/Rows.h"
#include "data/Database.h"
#include "data/Query.h"
#include "data/Values.h"
#include "data/Vat.h"

namespace kov {

namespace {

long long nextNumber(const QString& text) {
    const auto n = parseInteger(text);
    return (n && *n >= INT_MIN && *n <= INT_MAX ? *n : 0) + 1;
}

// The line's text, the person and the basis of a 0 % invoice stay with the invoice for its
// e-Factura file.
QStringList keptTexts(const PendingInvoice& p) {
    const auto orNull = [&p](QString InvoicedPerson::*text) {
        return p.person ? quoted((*p.person).*text) : QStringLiteral("null");
    };
    return {quoted(p.lineText),
            orNull(&InvoicedPerson::name),
            orNull(&InvoicedPerson::address),
            orNull(&InvoicedPerson::locality),
            orNull(&InvoicedPerson::county),
            orNull(&InvoicedPerson::cnp),
            p.basis.isEmpty() ? QStringLiteral("null") : quoted(p.basis)};
}

}  // namespace

void recordInvoice(const QString& company, const PendingInvoice& p) {
    const double rate = rateOf(p.rate);
    Transaction transaction;
    insertInvoiceRow(company, {p.number, p.date, p.total, p.net, p.rate, p.vat, p.paid, p.remainder,
                               p.clientCode, QStringLiteral("E"), keptTexts(p)});
    if (p.receipt) {
        OperationRow row;
        row.date = p.date;
        row.document = "F." + p.number + " + CH." + p.receiptNumber;
        row.operation = p.lineText;
        row.total = formatAmount(p.receiptAmount);
        row.net = formatAmount(netOfTotal(p.receiptAmount, rate));
        row.category = p.breakdown;
        row.type = QStringLiteral("incasare");
        row.remarks = p.remarks;
        insertOperationRow(company, row);
    }
    transaction.commit();
}

bool issuedNumberUsed(const QString& company, const QString& number) {
    Query q;
    q.setSql("select * from facturi where NRFACTURA=" + quoted(number) +
             " and codfiscal=" + quoted(company) + " and felfactura='E'");
    q.open();
    return !q.eof();
}

bool issueInvoice(const QString& company, const PendingInvoice& invoice) {
    return issueInvoice(company, invoice, Offered{}).has_value();
}

namespace {

// The company's counters, locked until the recording ends: two users issuing at once take turns
// from here on, so the check of the number below sees the other's invoice.
void lockCounters(const QString& company) {
    Query q;
    q.setSql("select * from numere where CODFISCAL=" + quoted(company) + " for update");
    q.open();
}

}  // namespace

std::optional<IssuedNumbers> issueInvoice(const QString& company, PendingInvoice invoice,
                                          Offered offered) {
    Transaction transaction;
    lockCounters(company);
    if (issuedNumberUsed(company, invoice.number)) {
        if (!offered.invoice) {
            return std::nullopt;
        }
        long long next = std::max(readCounters(company).invoice, nextNumber(invoice.number));
        while (issuedNumberUsed(company, QString::number(next))) {
            ++next;
        }
        invoice.number = QString::number(next);
    }
    if (invoice.receipt && offered.receipt) {
        const long long counter = readCounters(company).receipt;
        if (nextNumber(invoice.receiptNumber) <= counter) {
            invoice.receiptNumber = QString::number(counter);
        }
    }
    recordInvoice(company, invoice);
    advanceCounters(company, invoice);
    transaction.commit();
    return IssuedNumbers{invoice.number, invoice.receipt ? invoice.receiptNumber : QString()};
}

Counters readCounters(const QString& company) {
    Query q;
    q.setSql("select * from numere where CODFISCAL=" + quoted(company));
    q.open();
    Counters counters;
    if (!q.eof()) {
        counters.invoice = q.fieldByName(QStringLiteral("NRFACTURA")).asInteger();
        counters.receipt = q.fieldByName(QStringLiteral("NRCHITANTA")).asInteger();
    }
    // A new company's counters stand at 0: its first document is number 1.
    counters.invoice = std::max(counters.invoice, 1LL);
    counters.receipt = std::max(counters.receipt, 1LL);
    return counters;
}

namespace {

// The counter set past the number used, in the statement itself so that it never goes back.
QString advanced(const char* column, const QString& used) {
    return QStringLiteral("%1=max(ifnull(%1,0),%2)")
        .arg(QLatin1String(column), QString::number(nextNumber(used)));
}

}  // namespace

void advanceCounters(const QString& company, const PendingInvoice& invoice) {
    QString sql = "update numere set " + advanced("nrfactura", invoice.number);
    if (invoice.receipt) {
        sql += ", " + advanced("nrchitanta", invoice.receiptNumber);
    }
    Query q;
    q.setSql(sql + " where codfiscal=" + quoted(company));
    q.execSql();
}

}  // namespace kov
