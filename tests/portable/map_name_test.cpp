#include <gtest/gtest.h>

#include <string>

#include "content/map_name.h"

TEST(MapName, DropsDirectoryAndLastExtensionOnly)
{
    EXPECT_EQ(MapNameFromFileName("Harbour.dls"), "Harbour");
    EXPECT_EQ(MapNameFromFileName("Map.Final.dls"), "Map.Final");
    EXPECT_EQ(MapNameFromFileName("../Data/LevelScripts/Fallout/Dunes.dls"), "Dunes");
    EXPECT_EQ(MapNameFromFileName("dir.v2/Dunes"), "Dunes");
    EXPECT_EQ(MapNameFromFileName("NoExtension"), "NoExtension");
    EXPECT_EQ(MapNameFromFileName(".dls"), "");
    EXPECT_EQ(MapNameFromFileName(""), "");
}

TEST(MapName, LongNamesStayWhole)
{
    const std::string stem(250, 'm');
    EXPECT_EQ(MapNameFromFileName(stem + ".dls"), stem);
}
