#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "content/map_catalogue.h"
#include "framework/controls.h"
#include "tests/windows/temp_game_tree.h"

namespace {

// A real sorted drop-down list, like the two map lists of the dialogs.
class MapCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = ::CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 0, 0,
                                     200, 200, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_window, nullptr);
        m_maps.Attach(m_window);
    }
    void TearDown() override { ::DestroyWindow(m_window); }

    std::vector<std::string> Items() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < m_maps.GetCount(); ++i)
            items.push_back(m_maps.GetLBText(i));
        return items;
    }

    HWND m_window = nullptr;
    CComboBox m_maps;
};

}  // namespace

TEST_F(MapCatalogueTest, ListsStemsSortedAndIgnoresOtherFiles)
{
    TempGameTree game;
    game.AddFile("TeamDeathMatch", "b.dls");
    game.AddFile("TeamDeathMatch", "A.dls");
    game.AddFile("TeamDeathMatch", "readme.txt");
    game.AddFile("TeamDeathMatch", "Map.Final.dls");
    game.AddFile("Fallout", "Dunes.dls");
    m_maps.AddString("left over");

    ListMapsForMode("TeamDeathMatch", m_maps);
    EXPECT_EQ(Items(), (std::vector<std::string>{"A", "b", "Map.Final"}));

    ListMapsForMode("Fallout", m_maps);
    EXPECT_EQ(Items(), std::vector<std::string>{"Dunes"});
}

TEST_F(MapCatalogueTest, MissingFoldersGiveAnEmptyList)
{
    TempGameTree game;
    game.AddFile("Fallout", "Dunes.dls");
    m_maps.AddString("left over");
    ListMapsForMode("Cooperative", m_maps);
    EXPECT_TRUE(Items().empty());

    TempGameTree noData(TempGameTree::kWithoutData);
    m_maps.AddString("left over");
    ListMapsForMode("Fallout", m_maps);
    EXPECT_TRUE(Items().empty());
}

TEST_F(MapCatalogueTest, FoldersMatchingThePatternAreListed)
{
    TempGameTree game;
    game.AddFolder("TeamEscape", "x.dls");
    game.AddFile("TeamEscape", "Canyon.dls");
    ListMapsForMode("TeamEscape", m_maps);
    EXPECT_EQ(Items(), (std::vector<std::string>{"Canyon", "x"}));
}

TEST_F(MapCatalogueTest, LongMapNamesAreListedWhole)
{
    TempGameTree game;
    const std::string name(200, 'L');
    game.AddFile("PlantTheBomb", name + ".dls");
    ListMapsForMode("PlantTheBomb", m_maps);
    EXPECT_EQ(Items(), std::vector<std::string>{name});
}

TEST_F(MapCatalogueTest, OverlongKeywordEmptiesTheListAndListsNothing)
{
    TempGameTree game;
    const std::string keyword(600, 'k');
    m_maps.AddString("left over");
    ListMapsForMode(keyword.c_str(), m_maps);
    EXPECT_TRUE(Items().empty());
}
