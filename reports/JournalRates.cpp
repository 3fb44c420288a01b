#include "reports/JournalRates.h"

namespace kov::reports {

RateColumn JournalRates::column(double rate) const {
    if (rate == exempt) {
        return RateColumn::Exempt;
    }
    return rate == first ? RateColumn::First : RateColumn::Other;
}

JournalRates journalRates(int /*year*/, int /*month*/) {
    return {0.0, 19.0, QStringLiteral("- cota 19 % -"), QStringLiteral("- cota 9 % -")};
}

}  // namespace kov::reports
