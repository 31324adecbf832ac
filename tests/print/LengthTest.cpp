#include "print/Length.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Length, HundredthsOfAMillimetreSaturateAndLimitsHold) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Length::fromMm(12.7f).hundredthsMm(), 1270);
    EXPECT_EQ(Length::fromMm(-5.0f).hundredthsMm(), -500);
    EXPECT_EQ(Length::fromHundredthsMm(21590).mm(), 215.9f);
    EXPECT_EQ(Length::fromMm(1e30f).hundredthsMm(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(Length::fromMm(-inf).hundredthsMm(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(Length::fromMm(nan).hundredthsMm(), 0);

    const Length limit = Length::fromMm(2000.0f);
    EXPECT_TRUE(Length::fromMm(-2000.0f).isWithin(limit));
    EXPECT_FALSE(Length::fromMm(2000.001f).isWithin(limit));
    EXPECT_FALSE(Length::fromMm(nan).isWithin(limit));
}
