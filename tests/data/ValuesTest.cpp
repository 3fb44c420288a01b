#include <gtest/gtest.h>

#include "data/Values.h"

using namespace kov;

TEST(Values, ComputedAmountsRoundHalfAwayFromZeroOnTheirDecimalForm) {
    EXPECT_EQ(formatAmount(1.005), "1.01");
    EXPECT_EQ(formatAmount(2.675), "2.68");
    EXPECT_EQ(formatAmount(0.125), "0.13");
    EXPECT_EQ(formatAmount(-1.005), "-1.01");
    EXPECT_EQ(formatAmount(19), "19.00");
    EXPECT_EQ(formatAmount(0), "0.00");
    EXPECT_EQ(formatAmount(-0.001), "0.00");
    EXPECT_EQ(formatAmount(0.005), "0.01");
    EXPECT_EQ(formatAmount(0.0049), "0.00");
    EXPECT_EQ(formatAmount(9.995), "10.00");
    EXPECT_EQ(formatAmount(999999.995), "1000000.00");
    EXPECT_EQ(formatAmount(1234.5), "1234.50");
    // VAT of 19% on 10.05: 1.9095 -> 1.91; total 11.9595 -> 11.96
    EXPECT_EQ(formatAmount(19 * 10.05 * 0.01), "1.91");
    EXPECT_EQ(formatAmount((19 + 100) * 10.05 * 0.01), "11.96");
    EXPECT_DOUBLE_EQ(roundAmount(2.675), 2.68);
}

TEST(Values, PlainAndDisplayForms) {
    EXPECT_EQ(plainNumber(1234.5), "1234.5");
    EXPECT_EQ(plainNumber(100), "100");
    EXPECT_EQ(plainNumber(0), "0");
    EXPECT_EQ(plainNumber(-0.0), "0");
    EXPECT_EQ(plainNumber(19.0), "19");
    EXPECT_EQ(plainNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(plainNumber(-12.75), "-12.75");
    EXPECT_EQ(displayAmount(1234.5), "1,234.50");
    EXPECT_EQ(displayAmount(0), "0.00");
    EXPECT_EQ(displayAmount(-1234.5), "-1,234.50");
    EXPECT_EQ(displayAmount(1234567.891), "1,234,567.89");
    EXPECT_EQ(displayAmount(999.999), "1,000.00");
}

TEST(Values, TypedNumbers) {
    EXPECT_EQ(parseNumber("150"), 150.0);
    EXPECT_EQ(parseNumber(" 12.5 "), 12.5);
    EXPECT_EQ(parseNumber("-3"), -3.0);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber("999999999999.99"), 999999999999.99);
    for (const char* bad :
         {"", " ", "abc", "12a", "1,234.50", "1.2.3", "e5", "1e", "inf", "nan", "12,5", "--1",
          "1e3", "1e308", "1e17", "12345678901234567", "1000000000000", "-999999999999.999"}) {
        EXPECT_FALSE(parseNumber(bad).has_value()) << bad;
    }
    EXPECT_EQ(parseInteger("2025"), 2025);
    EXPECT_FALSE(parseInteger("20.5").has_value());
    EXPECT_FALSE(parseInteger("").has_value());
}

TEST(Values, TypedDatesAcceptRealCalendarDaysOnly) {
    EXPECT_EQ(parseDate("29.02.2004"), QDate(2004, 2, 29));
    EXPECT_EQ(parseDate("5.3.2004"), QDate(2004, 3, 5));
    EXPECT_EQ(parseDate("05.03.2004"), QDate(2004, 3, 5));
    EXPECT_EQ(parseDate(" 31.12.2025 "), QDate(2025, 12, 31));
    for (const char* bad :
         {"29.02.2003", "31.04.2004", "32.01.2004", "00.01.2004", "1.13.2004", "05.03.04",
          "005.03.2004", "05/03/2004", "05.03.2004.", "", "5.3", "a.b.cdef", "2004-03-05"}) {
        EXPECT_FALSE(parseDate(bad).has_value()) << bad;
    }
    EXPECT_EQ(formatDate(QDate(2004, 3, 5)), "05.03.2004");
    EXPECT_EQ(isoDate(QDate(2004, 3, 5)), "2004-03-05");
    EXPECT_EQ(parseIsoDate("2004-02-30"), std::nullopt);
}

// The stored form, read from a text and from the engine's bytes alike.
TEST(Values, StoredDatesAreCalendarDaysInTheirOneForm) {
    const struct {
        const char* text;
        bool stored;
    } cases[] = {
        {"2004-02-29", true},      {"0001-01-01", true},   {"9999-12-31", true},
        {"2003-02-29", false},     {"2004-04-31", false},  {"2004-13-01", false},
        {"2004-00-10", false},     {"0000-01-01", false},  {"2004-3-05", false},
        {"2004-03-05 ", false},    {" 2004-03-05", false}, {"2004/03/05", false},
        {"05.03.2004", false},     {"20040305", false},    {"", false},
        {"２００４-03-05", false},  // other digits than 0-9
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(parseIsoDate(text).has_value(), c.stored) << c.text;
        EXPECT_EQ(isStoredDate(text.toUtf8()), c.stored) << c.text;
    }
    EXPECT_EQ(parseIsoDate("2004-03-05"), QDate(2004, 3, 5));
}

TEST(Values, ApostrophesAreDoubled) {
    EXPECT_EQ(sqlEscape("O'NEIL SRL"), "O''NEIL SRL");
    EXPECT_EQ(sqlEscape("''"), "''''");
    EXPECT_EQ(sqlEscape("FARA"), "FARA");
}
