#include "print/Length.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Length, HundredthsRoundTripKeepsTheSingleValue) {
    // The settings form: a length read back is the length written, however often.
    for (float mm : {12.7f, 215.9f, 279.4f, 0.0f, -5.0f, 1999.99f, 0.01f, 86.4f, 42.3f}) {
        Length length = Length::fromMm(mm);
        for (int cycle = 0; cycle < 3; ++cycle)
            length = Length::fromHundredthsMm(length.hundredthsMm());
        EXPECT_EQ(length.mm(), mm) << mm;
    }
    EXPECT_EQ(Length::fromMm(12.7f).hundredthsMm(), 1270);
    EXPECT_EQ(Length::fromMm(215.9f).hundredthsMm(), 21590);
    EXPECT_EQ(Length::fromMm(-5.0f).hundredthsMm(), -500);
    EXPECT_EQ(Length::fromHundredthsMm(-500).mm(), -5.0f);
    EXPECT_EQ(Length::fromHundredthsMm(1270).mm(), 12.7f);
}

TEST(Length, HundredthsNeverOverflow) {
    EXPECT_EQ(Length::fromMm(1e30f).hundredthsMm(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(Length::fromMm(-1e30f).hundredthsMm(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(Length::fromMm(std::numeric_limits<float>::infinity()).hundredthsMm(),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(Length::fromMm(std::numeric_limits<float>::quiet_NaN()).hundredthsMm(), 0);
}

TEST(Length, UnitsAndLimits) {
    EXPECT_DOUBLE_EQ(Length::fromMm(215.9f).inches(), 215.9f / 25.4);
    EXPECT_NEAR(Length::fromMm(215.9f).inches(), 8.5, 1e-6);
    EXPECT_NEAR(Length::fromMm(12.7f).inches(), 0.5, 1e-6);
    EXPECT_NEAR(Length::fromMm(215.9f).cm(), 21.59, 1e-5);
    EXPECT_EQ(Length::fromCm(21.0).mm(), 210.0f);
    EXPECT_EQ(Length::fromInches(8.5).mm(), 215.9f);

    const Length limit = Length::fromMm(2000.0f);
    EXPECT_TRUE(Length::fromMm(2000.0f).isWithin(limit));
    EXPECT_TRUE(Length::fromMm(-2000.0f).isWithin(limit));
    EXPECT_FALSE(Length::fromMm(2000.001f).isWithin(limit));
    EXPECT_FALSE(Length::fromMm(std::numeric_limits<float>::quiet_NaN()).isWithin(limit));
    EXPECT_FALSE(Length::fromMm(-std::numeric_limits<float>::infinity()).isWithin(limit));
}
