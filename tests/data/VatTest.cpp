#include <gtest/gtest.h>

#include "data/Values.h"
#include "data/Vat.h"

namespace {

TEST(Vat, SplitsFromNetAndFromTotalRoundEachResultOnItsOwn) {
    struct Case {
        bool fromTotal;
        double input, rate;
        const char *net, *vat, *total;
    };
    const Case cases[] = {
        {false, 100, 19, "100.00", "19.00", "119.00"}, {false, 10.01, 19, "10.01", "1.90", "11.91"},
        {true, 119, 19, "100.00", "19.00", "119.00"},  {true, 100, 19, "84.03", "15.97", "100.00"},
        {true, 50, 0, "50.00", "0.00", "50.00"},       {false, 0, 21, "0.00", "0.00", "0.00"},
    };
    for (const Case& c : cases) {
        const auto v =
            c.fromTotal ? kov::vatFromTotal(c.input, c.rate) : kov::vatFromNet(c.input, c.rate);
        EXPECT_EQ(kov::formatAmount(v.net), c.net) << c.input;
        EXPECT_EQ(kov::formatAmount(v.vat), c.vat) << c.input;
        EXPECT_EQ(kov::formatAmount(v.total), c.total) << c.input;
    }
}

TEST(Vat, RatesAboveMinusHundredOnlyAndCentsCompareExactly) {
    EXPECT_EQ(kov::parseRate("19"), 19.0);
    EXPECT_EQ(kov::parseRate(" 0 "), 0.0);
    EXPECT_FALSE(kov::parseRate("-100"));
    EXPECT_FALSE(kov::parseRate("19);drop"));
    EXPECT_FALSE(kov::parseRate(""));
    EXPECT_EQ(kov::cents(123.80 - 100.00 - 23.80), 0);
    EXPECT_EQ(kov::cents(-0.005), -1);
    EXPECT_EQ(kov::quoted("O'NEIL"), "'O''NEIL'");
}

}  // namespace
