// What a server set may hold for a field the admin window offers as a list
// is exactly what that list offers: its template's items, read as the window
// reads a choice, against the constants the set reader takes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "admin/number_text.h"
#include "framework/dialog_items.h"
#include "res/resource.h"
#include "servers/list_values.h"

TEST(ListValues, AreWhatTheAdminWindowsListsOffer)
{
    const HRSRC found =
        ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SERVERADMIN_DIALOG), MAKEINTRESOURCEA(RT_DLGITEMS));
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, found)));
    const std::vector<DialogListItems> lists = ParseDialogItems(data, ::SizeofResource(nullptr, found));
    // An index list stores the chosen item's index, a list of limits or
    // times its leading number.
    const struct {
        int id;
        const std::vector<std::int32_t>& values;
        bool byIndex;
    } cases[] = {
        {IDC_PLAYON, kListValues.playOn, true},          {IDC_MAXPLAYERS, kListValues.maxPlayers, false},
        {IDC_MATCHTIME, kListValues.matchTime, false},   {IDC_FREEZETIME, kListValues.freezeTime, false},
        {IDC_ROUNDTIME, kListValues.roundTime, false},   {IDC_MAPTIME, kListValues.mapTime, false},
        {IDC_TEAM1SKINSET, kListValues.team1SkinSet, true}, {IDC_TEAM2SKINSET, kListValues.team2SkinSet, true},
    };
    for (const auto& c : cases) {
        std::vector<std::int32_t> offered;
        for (const DialogListItems& list : lists) {
            for (std::size_t i = 0; list.controlId == c.id && i < list.items.size(); ++i) {
                const int index = static_cast<int>(i);
                offered.push_back(c.byIndex ? index : ItemNumber(index, list.items[i].c_str()));
            }
        }
        EXPECT_EQ(offered, c.values) << "list " << c.id;
    }
}
