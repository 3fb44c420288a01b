#pragma once
// Deleting one recorded document of a company by its number: an invoice (with the receipt
// that settled it at issue), a fiscal receipt, a payment order, a receipt or a miscellaneous
// payment. Numbers are given as the user types them, without the kind's prefix.

#include <QString>
#include <optional>
#include <vector>

namespace kov {

// In the order the deletion window offers them.
enum class DeletedKind { Invoice, FiscalReceipt, PaymentOrder, Receipt, OtherPayment };

// A document of the company that may be deleted, as the selection list shows it.
struct DeletableDocument {
    long long id = 0;     // rowid of its facturi row (invoices, fiscal receipts) or operatiuni row
    QString number;       // without the kind's prefix
    QString date;         // dd.mm.yyyy
    QString counterpart;  // the partner of an invoice or fiscal receipt, else the explanation
};

// The company's documents of a kind, by date and number.
std::vector<DeletableDocument> deletableDocuments(const QString& company, DeletedKind kind);

// The number of the receipt ("CH.") or fiscal receipt ("BF.") that settled the invoice at
// issue; nothing when there is none. Of several invoices with the number, the one of this
// invoice id is preferred: the receipt dated as it is.
std::optional<QString> settledAtIssue(const QString& company, const QString& invoice,
                                      long long invoiceId = 0);

// Numbers are compared whatever their case, whole.

// How many documents of the kind carry the number: more than one needs the user's consent.
int documentCount(const QString& company, DeletedKind kind, const QString& number);

// Deletes every document of the kind with the number and, for an invoice, the operation of
// the receipt that settled it at issue (receipt empty: none); all or nothing. Returns the rows
// deleted.
int deleteDocuments(const QString& company, DeletedKind kind, const QString& number,
                    const QString& receipt = {});

// Deletes the one document of the kind with this id (DeletableDocument::id, or an invoice's
// InvoiceEntry::id) and, for an invoice, the operation of its receipt settled at issue; all or
// nothing. Returns the rows deleted.
int deleteDocument(const QString& company, DeletedKind kind, long long id,
                   const QString& receipt = {});

}  // namespace kov
