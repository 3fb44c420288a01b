#pragma once
// A received e-Factura file read into what the books keep of it: the supplier and the buyer,
// the lines, the amounts per VAT rate and the totals, all in lei. A file is read as data and
// nothing more: no DOCTYPE, no entity is ever resolved, and a file over 10 MB is not opened.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace kov::efactura {

struct ReceivedParty {
    QString name;
    QString fiscalCode;    // as the file gives it, "RO" prefix included when there is one
    QString registration;  // trade register number, when the file gives one apart
    QString street, locality, county;  // county: a name of the county lists when known
    QString iban;
};

struct ReceivedLine {
    QString text, unit;
    double quantity = 0, price = 0, value = 0, rate = 0;  // in the invoice's currency
};

// One VAT rate's base and VAT, in lei.
struct RateAmounts {
    double rate = 0, base = 0, vat = 0;
};

struct ReceivedInvoice {
    QString number;
    QDate date;
    QString typeCode;  // 380, 381, 389, ...
    bool creditNote = false;
    QString currency;
    ReceivedParty supplier, buyer;
    std::vector<ReceivedLine> lines;
    std::vector<RateAmounts> rates;      // by rate, in lei; a credit note's are negative
    double net = 0, vat = 0, total = 0;  // in lei, negative for a credit note
};

// What reading one file gave: the invoice, or why there is none.
struct ReadFile {
    std::optional<ReceivedInvoice> invoice;
    QString error;    // the reason, in Romanian, when there is no invoice
    QString xmlName;  // the invoice's name inside a ZIP, or the file's own name
    QByteArray xml;   // the invoice's text
};

inline constexpr qint64 kLargestReceivedFile = 10 * 1024 * 1024;

// Reads a .zip as the platform delivers it (the invoice, not its signature) or an .xml.
ReadFile readReceivedFile(const QString& path);

// Reads the text of an invoice.
ReadFile parseReceived(const QByteArray& xml);

}  // namespace kov::efactura
