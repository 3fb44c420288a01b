#include <gtest/gtest.h>

#include "data/VatRates.h"

namespace {

using kov::VatColumn;

// Each row: a day, the standard rate then, the journal captions of its month, and the column
// of an invoice of that day at 19, 21, 24, 20, 9, 11, 5 and 0 (S standard, R reduced, E exempt).
TEST(VatRates, RatesCaptionsAndColumnsOnBothSidesOfEachChange) {
    struct Case {
        QDate day;
        int standard;
        const char* standardCaption;
        const char* reducedCaption;
        const char* columns;  // for 19 21 24 20 9 11 5 0
    };
    const Case cases[] = {
        {{2004, 3, 5}, 19, "cota 19 %", "cota 9 %", "SRRRRRRE"},
        {{2008, 12, 1}, 19, "cota 19 %", "cota 9 %", "SRRRRRRE"},
        {{2010, 6, 30}, 19, "cota 19 %", "cota 9 %", "SRRRRRRE"},
        {{2010, 7, 1}, 24, "cota 24 %", "cota redusa", "RRSRRRRE"},
        {{2015, 12, 31}, 24, "cota 24 %", "cota redusa", "RRSRRRRE"},
        {{2016, 1, 1}, 20, "cota 20 %", "cota redusa", "RRRSRRRE"},
        {{2017, 1, 1}, 19, "cota 19 %", "cota redusa", "SRRRRRRE"},
        {{2025, 7, 31}, 19, "cota 19 %", "cota redusa", "SRRRRRRE"},
        {{2025, 8, 1}, 21, "cota 21 %", "cota 11 %", "RSRRRRRE"},
        {{2026, 12, 8}, 21, "cota 21 %", "cota 11 %", "RSRRRRRE"},
    };
    const double rates[] = {19, 21, 24, 20, 9, 11, 5, 0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(kov::standardVatRate(c.day), c.standard);
        EXPECT_EQ(kov::standardVatCaption(c.day.year(), c.day.month()), c.standardCaption);
        EXPECT_EQ(kov::reducedVatCaption(c.day.year(), c.day.month()), c.reducedCaption);
        QString columns;
        for (double rate : rates) {
            const VatColumn col = kov::vatColumn(rate, c.day);
            columns += col == VatColumn::Standard ? u'S' : col == VatColumn::Reduced ? u'R' : u'E';
        }
        EXPECT_EQ(columns, c.columns);
    }
    EXPECT_EQ(kov::reducedVatRates({2009, 1, 1}), (QList<int>{5, 9}));
    EXPECT_EQ(kov::reducedVatRates({2025, 8, 1}), (QList<int>{11}));
}

}  // namespace
