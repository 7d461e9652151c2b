// The set reader against the two things it promises to agree with: the
// system's profile functions, and the lists the admin window offers.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "admin/number_text.h"
#include "framework/dialog_items.h"
#include "res/resource.h"
#include "servers/list_values.h"
#include "sets/server_set_format.h"
#include "tests/file_bytes.h"

namespace {

// The file as the system reads it, each value written back in the quotes
// that keep it as it is.
std::string AsTheSystemReadsIt(const char* path)
{
    std::vector<char> sections(1 << 16), keys(1 << 16), value(1 << 16);
    ::GetPrivateProfileSectionNamesA(sections.data(), 1 << 16, path);
    std::string text;
    for (const char* section = sections.data(); *section != '\0'; section += std::strlen(section) + 1) {
        text += std::string("[") + section + "]\n";
        ::GetPrivateProfileStringA(section, nullptr, "", keys.data(), 1 << 16, path);
        for (const char* key = keys.data(); *key != '\0'; key += std::strlen(key) + 1) {
            ::GetPrivateProfileStringA(section, key, "", value.data(), 1 << 16, path);
            text += std::string(key) + "=\"" + value.data() + "\"\n";
        }
    }
    return text;
}

std::string AsTheToolKeepsIt(const std::string& text)
{
    ServerManager table;
    std::string kept;
    const ServerSetReading reading = ReadServerSetText(text);
    EXPECT_TRUE(table.ReplaceServers(reading.servers) && ServerSetText(table, reading.sections, kept));
    return kept;
}

}  // namespace

TEST(SetReaderAgreement, SeedsReadAsTheSystemReadsThem)
{
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string corpus = std::string(self).substr(0, std::string(self).rfind('\\')) + "\\server_set_corpus\\";
    WIN32_FIND_DATAA found = {};
    const HANDLE search = ::FindFirstFileA((corpus + "*.ini").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << corpus;
    do {
        const std::string path = corpus + found.cFileName;
        EXPECT_EQ(AsTheToolKeepsIt(AsTheSystemReadsIt(path.c_str())), AsTheToolKeepsIt(ReadFileBytes(path))) << path;
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

// The template's items, read as the window reads a choice: the index for
// an index list (true), the leading number for the others.
TEST(SetReaderAgreement, ListValuesAreWhatTheAdminWindowsListsOffer)
{
    const HRSRC found =
        ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SERVERADMIN_DIALOG), MAKEINTRESOURCEA(RT_DLGITEMS));
    const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, found)));
    const std::map<int, std::pair<const std::vector<std::int32_t>*, bool>> lists = {
        {IDC_PLAYON, {&kListValues.playOn, true}},         {IDC_MAXPLAYERS, {&kListValues.maxPlayers, false}},
        {IDC_MATCHTIME, {&kListValues.matchTime, false}},  {IDC_FREEZETIME, {&kListValues.freezeTime, false}},
        {IDC_ROUNDTIME, {&kListValues.roundTime, false}},  {IDC_MAPTIME, {&kListValues.mapTime, false}},
        {IDC_TEAM1SKINSET, {&kListValues.team1SkinSet, true}}, {IDC_TEAM2SKINSET, {&kListValues.team2SkinSet, true}},
    };
    std::map<int, std::vector<std::int32_t>> offered;
    for (const DialogListItems& list : ParseDialogItems(data, ::SizeofResource(nullptr, found))) {
        const auto listed = lists.find(list.controlId);
        for (int i = 0; listed != lists.end() && i < static_cast<int>(list.items.size()); ++i)
            offered[list.controlId].push_back(listed->second.second ? i : ItemNumber(i, list.items[i].c_str()));
    }
    for (const auto& [id, values] : lists)
        EXPECT_EQ(offered[id], *values.first) << "list " << id;
}
