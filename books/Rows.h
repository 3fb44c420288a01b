#pragma once
// The rows every document writes: an invoice (facturi) and a movement of money (operatiuni).
// Numbers arrive as statement texts, typed or formatted, and go in bare after a check.

#include <QString>
#include <QStringList>

namespace kov {

struct InvoiceRow {
    QString number, date;
    QString total, net, rate, vat, paid, outstanding;  // numbers
    QString partner;                                   // CODCLIENT
    QString kind;                                      // FELFACTURA: "E" issued, "I" received
    // What an issued invoice keeps for its e-Factura file, as statement literals: EXPLICATIE,
    // NUMEPF, ADRESAPF, LOCPF, JUDETPF, CNPPF, TEMEI. Empty: the row has no such columns.
    QStringList kept;
};
void insertInvoiceRow(const QString& company, const InvoiceRow& row);

struct OperationRow {
    QString date;
    QString document;                        // NRDOC, with its prefix
    QString operation;                       // FELOPERATIE
    QString total, net;                      // numbers
    int bank = 0;                            // 0 cash, 1 bank
    QString category = QStringLiteral("0");  // a category number
    QString type;                            // TIP: "incasare" or "plata"
    QString remarks;
    int inRegister = 1;
};
void insertOperationRow(const QString& company, const OperationRow& row);

// A number text as a number; anything else is refused as bare() refuses it.
double numberOf(const QString& text);
// A VAT rate text as a rate that splits an amount; anything else is refused with the data
// layer's error.
double rateOf(const QString& text);

}  // namespace kov
