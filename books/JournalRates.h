#pragma once
// The VAT rates by which the sales and purchase journals split an invoice, and the captions
// of their two taxable column pairs. This is the one place that knows them: the journals ask
// for the rates of the month they report, so that a change of the rates in force touches
// only this unit.

#include <QDate>
#include <QString>

#include "books/VatExemption.h"

namespace kov {

// Where an invoice's amounts go: the exempt column (with the right of deduction), the exempt
// column without it, the first taxable pair (base and VAT), for the standard rate in force on
// the invoice's day, or the second pair, which takes every other rate.
enum class RateColumn { Exempt, ExemptNoDeduction, First, Other };

struct JournalRates {
    QString firstCaption;  // the line under "Operatiuni taxabile" of the first pair
    QString otherCaption;  // and of the second

    // Rates are compared exactly: they are stored as typed, 19 is 19.
    RateColumn column(double rate, const QDate& invoiceDay) const;
    // An exempt invoice goes without the right of deduction only when its basis says so; one
    // without a basis stays in the column with it.
    RateColumn column(double rate, const QDate& invoiceDay, ExemptionBasis basis) const;
};

JournalRates journalRates(int year, int month);

}  // namespace kov
