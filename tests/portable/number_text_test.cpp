#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

#include "admin/number_text.h"

TEST(TextToInt, ConvertsTheLeadingNumberLikeAtoi)
{
    EXPECT_EQ(TextToInt("27015"), 27015);
    EXPECT_EQ(TextToInt("  -42abc"), -42);
    EXPECT_EQ(TextToInt("+7"), 7);
    EXPECT_EQ(TextToInt("5 min"), 5);
    EXPECT_EQ(TextToInt("20 seconds"), 20);
    EXPECT_EQ(TextToInt("No limit"), 0);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("2,5"), 2);
}

TEST(TextToInt, ClampsBeyondTheIntRange)
{
    EXPECT_EQ(TextToInt("2147483647"), INT_MAX);
    EXPECT_EQ(TextToInt("2147483648"), INT_MAX);
    EXPECT_EQ(TextToInt("999999999999999"), INT_MAX);
    EXPECT_EQ(TextToInt("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(TextToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(TextToInt("-2147483649"), INT_MIN);
    EXPECT_EQ(TextToInt("-99999999999999999999999999"), INT_MIN);
}

TEST(TextToFloat, ConvertsTheLeadingNumberLikeAtof)
{
    EXPECT_EQ(TextToFloat("2"), 2.0f);
    EXPECT_EQ(TextToFloat("2,5"), 2.0f);
    EXPECT_EQ(TextToFloat("0.75"), 0.75f);
    EXPECT_EQ(TextToFloat("0.1"), static_cast<float>(0.1));
    EXPECT_EQ(TextToFloat(" -1.5e1x"), -15.0f);
    EXPECT_EQ(TextToFloat("abc"), 0.0f);
    EXPECT_EQ(TextToFloat(""), 0.0f);
}

TEST(TextToFloat, ClampsFiniteNumbersBeyondTheFloatRangeAndPassesInfinityAndNanThrough)
{
    EXPECT_EQ(TextToFloat("1e39"), FLT_MAX);
    EXPECT_EQ(TextToFloat("1e400"), FLT_MAX);
    EXPECT_EQ(TextToFloat("-1e39"), -FLT_MAX);
    EXPECT_EQ(TextToFloat("1e-400"), 0.0f);
    EXPECT_TRUE(std::isinf(TextToFloat("inf")));
    EXPECT_TRUE(std::isnan(TextToFloat("nan")));
}
