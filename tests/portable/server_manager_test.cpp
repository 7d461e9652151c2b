#include <gtest/gtest.h>

#include <string>

#include "servers/server_manager.h"

namespace {

void AddServers(ServerManager& m, int n)
{
    for (int i = 0; i < n; ++i)
        ASSERT_TRUE(m.AddServer());
}

}  // namespace

TEST(ServerManager, NewServersGetNumberedNamesAndConsecutivePorts)
{
    ServerManager m;
    EXPECT_EQ(m.Current(), nullptr);
    EXPECT_EQ(m.NextFreePort(), kDefaultPort);
    AddServers(m, 3);
    EXPECT_STREQ(m.slots[0]->name, "qyr");
    EXPECT_STREQ(m.slots[1]->name, "qyr(1)");
    EXPECT_STREQ(m.slots[2]->name, "qyr(2)");
    EXPECT_EQ(m.slots[0]->port, 27015);
    EXPECT_EQ(m.slots[1]->port, 27016);
    EXPECT_EQ(m.slots[2]->port, 27017);
    EXPECT_EQ(m.count, 3);
    EXPECT_EQ(m.current, 2);
    EXPECT_EQ(m.Current(), m.slots[2]);
}

TEST(ServerManager, DeletedNameAndPortAreReused)
{
    ServerManager m;
    AddServers(m, 3);
    m.slots[0]->port = 27016;  // the operator typed a port; it counts as used
    m.current = 1;
    ASSERT_TRUE(m.DeleteCurrentServer());
    EXPECT_EQ(m.count, 2);
    ASSERT_TRUE(m.AddServer());
    EXPECT_EQ(m.current, 1);
    EXPECT_STREQ(m.slots[1]->name, "qyr(1)");
    EXPECT_EQ(m.slots[1]->port, 27015);  // lowest port the two others do not use
}

TEST(ServerManager, PortStartsAgainAfterEveryServerIsDeleted)
{
    ServerManager m;
    AddServers(m, 2);
    m.slots[0]->port = 30000;
    m.slots[1]->port = 27015;
    while (m.count > 0) {
        m.current = m.slots[0] ? 0 : 1;
        ASSERT_TRUE(m.DeleteCurrentServer());
    }
    EXPECT_EQ(m.NextFreePort(), 27015);
    ASSERT_TRUE(m.AddServer());
    EXPECT_EQ(m.Current()->port, 27015);
    EXPECT_STREQ(m.Current()->name, "qyr");
}

TEST(ServerManager, NamesCompareWithoutCase)
{
    ServerManager m;
    AddServers(m, 1);
    CopyText(m.slots[0]->name, "QYR");
    ASSERT_TRUE(m.AddServer());
    EXPECT_STREQ(m.Current()->name, "qyr(1)");

    EXPECT_EQ(m.FindServerByName("Qyr"), m.slots[0]);
    EXPECT_EQ(m.FindServerByName("QYR(1)"), m.slots[1]);
    EXPECT_EQ(m.FindServerByName("qyr(2)"), nullptr);
    EXPECT_TRUE(m.SelectServerByName("qyr"));
    EXPECT_EQ(m.current, 0);
    EXPECT_FALSE(m.SelectServerByName("nobody"));
    EXPECT_EQ(m.current, 0);
}

TEST(ServerManager, DuplicateNamesReachOnlyTheLowerSlot)
{
    ServerManager m;
    AddServers(m, 3);
    CopyText(m.slots[2]->name, "same");
    CopyText(m.slots[1]->name, "SAME");
    EXPECT_TRUE(m.SelectServerByName("same"));
    EXPECT_EQ(m.current, 1);
    EXPECT_EQ(m.FindServerByName("same"), m.slots[1]);
}

TEST(ServerManager, UniqueNameSkipsEveryTakenCandidate)
{
    ServerManager m;
    AddServers(m, 4);
    CopyText(m.slots[1]->name, "other");
    char name[kTextSize];
    m.MakeUniqueName(name);
    EXPECT_STREQ(name, "qyr(1)");
    CopyText(m.slots[0]->name, "x");
    m.MakeUniqueName(name);
    EXPECT_STREQ(name, "qyr");
}

TEST(ServerManager, FullTableRefusesTheThirtyThirdServer)
{
    ServerManager m;
    AddServers(m, kMaxServers);
    EXPECT_STREQ(m.slots[31]->name, "qyr(31)");
    EXPECT_EQ(m.slots[31]->port, 27015 + 31);
    m.current = 5;
    EXPECT_FALSE(m.AddServer());
    EXPECT_EQ(m.count, kMaxServers);
    EXPECT_EQ(m.current, 5);
}

TEST(ServerManager, DeletionLeavesCursorOnHighestOccupiedSlot)
{
    ServerManager m;
    AddServers(m, 3);
    m.current = 0;
    ASSERT_TRUE(m.DeleteCurrentServer());
    EXPECT_EQ(m.current, 2);
    EXPECT_EQ(m.slots[0], nullptr);

    // The new server takes the freed lowest slot and becomes current.
    ASSERT_TRUE(m.AddServer());
    EXPECT_EQ(m.current, 0);

    m.current = 2;
    ASSERT_TRUE(m.DeleteCurrentServer());
    EXPECT_EQ(m.current, 1);
}

TEST(ServerManager, DeletingTheLastServerLeavesTheCursorOnTheEmptySlot)
{
    ServerManager m;
    AddServers(m, 2);
    m.current = 0;
    ASSERT_TRUE(m.DeleteCurrentServer());
    EXPECT_EQ(m.current, 1);
    ASSERT_TRUE(m.DeleteCurrentServer());
    EXPECT_EQ(m.current, 1);
    EXPECT_EQ(m.count, 0);
    EXPECT_EQ(m.Current(), nullptr);
    EXPECT_FALSE(m.DeleteCurrentServer());
    EXPECT_EQ(m.count, 0);
}

TEST(ServerManager, GapsInTheTableAreSkipped)
{
    ServerManager m;
    AddServers(m, 5);
    m.current = 1;
    ASSERT_TRUE(m.DeleteCurrentServer());
    m.current = 3;
    ASSERT_TRUE(m.DeleteCurrentServer());
    EXPECT_EQ(m.FindServerByName("qyr(4)"), m.slots[4]);
    EXPECT_STREQ(m.FindServerByName("QYR(2)")->name, "qyr(2)");
    char name[kTextSize];
    m.MakeUniqueName(name);
    EXPECT_STREQ(name, "qyr(1)");
}

// Whatever an assertion leaves behind, the next test finds no table.
class GlobalServerManager : public ::testing::Test {
protected:
    void TearDown() override { DestroyServerManager(); }
};

TEST_F(GlobalServerManager, CreatedOnceAndDestroyedSafely)
{
    ASSERT_EQ(g_serverManager, nullptr);
    EXPECT_TRUE(DestroyServerManager());  // nothing to destroy is fine
    ASSERT_TRUE(CreateServerManager());
    ServerManager* first = g_serverManager;
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(CreateServerManager());
    EXPECT_EQ(g_serverManager, first);
    ASSERT_TRUE(g_serverManager->AddServer());
    ASSERT_TRUE(g_serverManager->AddServer());
    EXPECT_TRUE(DestroyServerManager());  // frees both records (the sanitizer checks)
    EXPECT_EQ(g_serverManager, nullptr);
}
