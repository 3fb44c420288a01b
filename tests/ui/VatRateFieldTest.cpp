#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>

#include "ui/VatRateField.h"

namespace {

TEST(VatRateField, OpensOnTodaysRateFollowsTheDateAndKeepsATypedRate) {
    QLineEdit date;
    QLineEdit rate;
    int recomputed = 0;
    auto* field = new kov::VatRateField(&date, &rate, [&] { ++recomputed; });  // owned by rate

    field->reset(QDate(2026, 12, 8));
    EXPECT_EQ(rate.text(), "21");
    QTest::keyClicks(&date, "15.03.2024");
    EXPECT_EQ(rate.text(), "19");
    date.setText("01.08.2025");  // as the "today" button puts it
    EXPECT_EQ(rate.text(), "21");
    EXPECT_EQ(recomputed, 2);

    rate.clear();
    QTest::keyClicks(&rate, "9");
    date.clear();
    QTest::keyClicks(&date, "30.06.2010");
    EXPECT_EQ(rate.text(), "9");
    EXPECT_TRUE(field->userEdited());

    field->reset(QDate(2010, 6, 30));
    EXPECT_EQ(rate.text(), "19");
    date.setText("1.7.2010");
    EXPECT_EQ(rate.text(), "24");
}

}  // namespace
