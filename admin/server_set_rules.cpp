// What a server set may hold where the window offers a fixed choice, read
// from the window's own lists: a set takes exactly what the operator could
// have chosen there.
#include "admin/number_text.h"
#include "admin/server_admin_dlg.h"

namespace {

std::vector<std::int32_t> IndexesOf(const CComboBox& list)
{
    std::vector<std::int32_t> indexes;
    for (int i = 0; i < list.GetCount(); ++i)
        indexes.push_back(i);
    return indexes;
}

std::vector<std::int32_t> LeadingNumbersOf(const CComboBox& list)
{
    const std::vector<std::string> items = list.GetLBTexts();
    std::vector<std::int32_t> numbers;
    for (std::size_t i = 0; i < items.size(); ++i)
        numbers.push_back(ItemNumber(static_cast<int>(i), items[i].c_str()));
    return numbers;
}

}  // namespace

ServerSetRules CServerAdminDlg::ServerSetRulesOfLists() const
{
    ServerSetRules rules;
    rules.playOn = IndexesOf(m_playOn);
    rules.maxPlayers = LeadingNumbersOf(m_maxPlayers);
    rules.matchTime = LeadingNumbersOf(m_matchTime);
    rules.freezeTime = LeadingNumbersOf(m_freezeTime);
    rules.roundTime = LeadingNumbersOf(m_roundTime);
    rules.mapTime = LeadingNumbersOf(m_mapTime);
    rules.team1SkinSet = IndexesOf(m_team1SkinSet);
    rules.team2SkinSet = IndexesOf(m_team2SkinSet);
    return rules;
}
