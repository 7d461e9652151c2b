#include <gtest/gtest.h>

#include "servers/text_compare.h"

TEST(CompareNoCaseWin, IgnoresCaseInEqualityAndOrder)
{
    EXPECT_TRUE(EqualNoCase("Harbour", "hARBOUR"));
    EXPECT_FALSE(EqualNoCase("Harbour", "Harbou"));
    EXPECT_LT(CompareNoCase("alpha", "Beta"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_TRUE(EqualNoCase("", ""));
}
