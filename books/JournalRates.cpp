#include "books/JournalRates.h"

#include "data/VatRates.h"

namespace kov {

RateColumn JournalRates::column(double rate, const QDate& invoiceDay) const {
    switch (vatColumn(rate, invoiceDay)) {
        case VatColumn::Exempt:
            return RateColumn::Exempt;
        case VatColumn::Standard:
            return RateColumn::First;
        case VatColumn::Reduced:
            break;
    }
    return RateColumn::Other;
}

RateColumn JournalRates::column(double rate, const QDate& invoiceDay, ExemptionBasis basis) const {
    const RateColumn c = column(rate, invoiceDay);
    return c == RateColumn::Exempt && withoutDeduction(basis) ? RateColumn::ExemptNoDeduction : c;
}

JournalRates journalRates(int year, int month) {
    return {"- " + standardVatCaption(year, month) + " -",
            "- " + reducedVatCaption(year, month) + " -"};
}

}  // namespace kov
