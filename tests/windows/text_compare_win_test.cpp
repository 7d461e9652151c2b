#include <gtest/gtest.h>

#include "servers/server_manager.h"
#include "servers/text_compare.h"

TEST(CompareNoCaseWin, IgnoresCaseAndOrdersLikeTheSortedLists)
{
    EXPECT_TRUE(EqualNoCase("Harbour", "hARBOUR"));
    EXPECT_FALSE(EqualNoCase("Harbour", "Harbou"));
    EXPECT_LT(CompareNoCase("alpha", "Beta"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_TRUE(EqualNoCase("", ""));
}

TEST(CompareNoCaseWin, ServerTableFindsNamesInAnyCase)
{
    ServerManager m;
    ASSERT_TRUE(m.AddServer());
    CopyText(m.slots[0]->name, "Server One");
    EXPECT_EQ(m.FindServerByName("SERVER ONE"), m.slots[0]);
}
