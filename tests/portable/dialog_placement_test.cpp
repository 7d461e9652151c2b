#include <gtest/gtest.h>

#include <vector>

#include "framework/dialog_placement.h"

namespace {

const ScreenRect kWorkArea{0, 0, 1000, 700};

void ExpectOrigin(const ScreenPoint& origin, long x, long y)
{
    EXPECT_EQ(origin.x, x);
    EXPECT_EQ(origin.y, y);
}

}  // namespace

TEST(DialogPlacement, CentresOverTheOwnerAndKeepsInsideTheWorkArea)
{
    // A 200 x 100 window over an owner at 300,200 - 700,400.
    ExpectOrigin(CentredOrigin(200, 100, ScreenRect{300, 200, 700, 400}, kWorkArea), 400, 250);
    // Owners near each edge push the window back inside.
    ExpectOrigin(CentredOrigin(200, 100, ScreenRect{850, 620, 1050, 720}, kWorkArea), 800, 600);
    ExpectOrigin(CentredOrigin(200, 100, ScreenRect{-150, -80, 50, 20}, kWorkArea), 0, 0);
    // A work area that does not start at 0,0 (a task bar on the left, on top).
    ExpectOrigin(CentredOrigin(200, 100, ScreenRect{0, 0, 100, 100}, ScreenRect{60, 30, 1000, 700}), 60, 30);
    // Larger than the work area: the title bar stays reachable.
    ExpectOrigin(CentredOrigin(1200, 900, kWorkArea, kWorkArea), 0, 0);
}

TEST(DialogPlacement, ReadsPositionAndStyleFromBothTemplateLayouts)
{
    // Extended: version 1, 0xFFFF, help id, extended style, style 0x80C800C4,
    // 3 items, x 12, y -4.
    const std::vector<unsigned char> extended = {1, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0xC4, 0x00, 0xC8, 0x80,
                                                 3, 0, 12, 0, 0xFC, 0xFF, 100, 0, 50, 0};
    TemplatePlacement placement = {};
    ASSERT_TRUE(ReadTemplatePlacement(extended.data(), extended.size(), placement));
    EXPECT_EQ(placement.style, 0x80C800C4u);
    EXPECT_EQ(placement.x, 12);
    EXPECT_EQ(placement.y, -4);

    // Plain: style 0x10CC0800, extended style, 2 items, x 0, y 7.
    const std::vector<unsigned char> plain = {0x00, 0x08, 0xCC, 0x10, 0, 0, 0, 0, 2, 0, 0, 0, 7, 0, 40, 0, 30, 0};
    ASSERT_TRUE(ReadTemplatePlacement(plain.data(), plain.size(), placement));
    EXPECT_EQ(placement.style, 0x10CC0800u);
    EXPECT_EQ(placement.x, 0);
    EXPECT_EQ(placement.y, 7);

    // Cut before the end of y: no placement, and no read beyond the data.
    EXPECT_FALSE(ReadTemplatePlacement(extended.data(), 21, placement));
    EXPECT_FALSE(ReadTemplatePlacement(plain.data(), 13, placement));
}
