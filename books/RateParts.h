#pragma once
// The base and VAT of each rate of a received invoice with several VAT rates (cotefacturi),
// kept by the invoice's supplier, number and date; an invoice with one rate has none.

#include <QDate>
#include <QHash>
#include <QString>
#include <vector>

namespace kov {

struct RatePart {
    double rate = 0, base = 0, vat = 0;
};

// What ties the parts to their invoice row.
QString ratePartsKey(const QString& supplier, const QString& number, const QDate& date);

// Writes the parts of one received invoice of the company.
void insertRateParts(const QString& company, const QString& supplier, const QString& number,
                     const QDate& date, const std::vector<RatePart>& parts);

// The company's parts of the invoices dated in a month, by ratePartsKey().
QHash<QString, std::vector<RatePart>> monthRateParts(const QString& company, int year, int month);

}  // namespace kov
