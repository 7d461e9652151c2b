#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "framework/dialog_items.h"

namespace {

// The literal's bytes, its embedded zeros included, without its own terminator.
template <std::size_t N>
std::vector<unsigned char> Bytes(const char (&text)[N])
{
    return std::vector<unsigned char>(text, text + N - 1);
}

std::vector<unsigned char> Word(int id)
{
    return {static_cast<unsigned char>(id & 0xFF), static_cast<unsigned char>(id >> 8)};
}

std::vector<unsigned char> Concat(std::initializer_list<std::vector<unsigned char>> parts)
{
    std::vector<unsigned char> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

TEST(DialogItems, ReadsEveryListInOrder)
{
    const auto data = Concat({Word(1010), Bytes("Fallout\0Cooperative\0\0"), Word(1017),
                              Bytes("LAN\0Internet\0\0"), Word(0)});
    const auto lists = ParseDialogItems(data.data(), data.size());
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].controlId, 1010);
    EXPECT_EQ(lists[0].items, (std::vector<std::string>{"Fallout", "Cooperative"}));
    EXPECT_EQ(lists[1].controlId, 1017);
    EXPECT_EQ(lists[1].items, (std::vector<std::string>{"LAN", "Internet"}));
}

TEST(DialogItems, StopsAtTheEndMarkerAndIgnoresPadding)
{
    // Resources are padded to a multiple of four bytes after the end marker.
    const auto data = Concat({Word(1035), Bytes("Original\0\0"), Word(0), Word(0x4141)});
    const auto lists = ParseDialogItems(data.data(), data.size());
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].items, std::vector<std::string>{"Original"});
}

TEST(DialogItems, DataCutShortNeverReadsBeyondItsEnd)
{
    const auto whole = Concat({Word(1010), Bytes("Fallout\0Coop\0\0"), Word(1017),
                               Bytes("LAN\0\0"), Word(0)});
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        // A copy of exactly `size` bytes, so the sanitizer sees any overread.
        const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<long>(size));
        const auto lists = ParseDialogItems(cut.empty() ? nullptr : cut.data(), cut.size());
        ASSERT_LE(lists.size(), 2u);
        for (const auto& list : lists) {
            for (const auto& item : list.items)
                EXPECT_TRUE(item == "Fallout" || item == "Coop" || item == "LAN") << item;
        }
        if (size >= 2 + 8) {  // the first item is whole from here on
            ASSERT_FALSE(lists.empty());
            ASSERT_FALSE(lists[0].items.empty());
            EXPECT_EQ(lists[0].items.front(), "Fallout");
        }
    }
    EXPECT_EQ(ParseDialogItems(whole.data(), whole.size()).size(), 2u);
}
