#include <gtest/gtest.h>

#include "servers/affinity.h"
#include "servers/server_manager.h"

TEST(CountRunning, CountsOnlyOccupiedSlotsMarkedRunning)
{
    ServerManager m;
    EXPECT_EQ(m.CountRunning(), 0);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(m.AddServer());
    EXPECT_EQ(m.CountRunning(), 0);
    m.slots[0]->running = 1;
    m.slots[3]->running = 1;
    m.slots[2]->running = 2;  // flags count only as 1
    EXPECT_EQ(m.CountRunning(), 2);
    m.current = 3;
    ASSERT_TRUE(m.DeleteCurrentServer());
    EXPECT_EQ(m.CountRunning(), 1);
}

TEST(CountRunning, TableEmptiedByDeletionCountsNone)
{
    ServerManager m;
    ASSERT_TRUE(m.AddServer());
    m.slots[0]->running = 1;
    ASSERT_TRUE(m.DeleteCurrentServer());
    EXPECT_EQ(m.CountRunning(), 0);
}

TEST(PinningMaskForSlot, PinsByParityOnlyWhenMoreThanTheFirstProcessorIsThere)
{
    EXPECT_EQ(PinningMaskForSlot(0, 0), 0u);
    EXPECT_EQ(PinningMaskForSlot(1, 1), 0u);
    EXPECT_EQ(PinningMaskForSlot(2, 1), 0u);
    EXPECT_EQ(PinningMaskForSlot(0, 3), 1u);
    EXPECT_EQ(PinningMaskForSlot(1, 3), 2u);
    EXPECT_EQ(PinningMaskForSlot(2, 3), 1u);
    EXPECT_EQ(PinningMaskForSlot(31, 0xff), 2u);
    // Any system mask above 1 counts as "more than the first processor".
    EXPECT_EQ(PinningMaskForSlot(4, 2), 1u);
}
