#pragma once
// Recording an invoice received as an e-Factura file: its supplier found by fiscal code or
// created, one unpaid received invoice row, and the per-rate parts when it has several rates;
// all in one transaction, and only once for the same supplier, number and date.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "books/RateParts.h"

namespace kov {

struct SupplierData {
    QString name, fiscalCode, registration, street, locality, county, iban;
};

struct ReceivedRecord {
    SupplierData supplier;
    QString number;
    QDate date;
    double total = 0, net = 0, vat = 0;  // in lei; negative for a credit note
    std::vector<RatePart> rates;         // one per rate
    QString explanation;
};

// A fiscal code without its "RO" prefix and blanks, upper case: the form codes compare in.
QString bareFiscalCode(const QString& code);

// The partner code of a fiscal code, given with or without "RO"; empty when there is none.
QString supplierCode(const QString& fiscalCode);

// Whether the company already holds the received invoice of this supplier, number and date.
bool receivedRecorded(const QString& company, const QString& supplier, const QString& number,
                      const QDate& date);

// Records the invoice; nothing (and nothing written) when it is already recorded. Returns the
// supplier's code.
std::optional<QString> recordReceived(const QString& company, const ReceivedRecord& record);

}  // namespace kov
