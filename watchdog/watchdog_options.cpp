#include "watchdog/watchdog_options.h"

namespace {

const char kSection[] = "Watchdog";
const char kBackOffKey[] = "backOff";
const char kDailyRestartKey[] = "dailyRestart";

}  // namespace

void WatchdogOptions::Change(const WatchdogSettings& settings)
{
    const bool changed = settings != m_settings;
    m_settings = settings;
    if (changed && m_changed)
        m_changed(m_settings);
}

std::vector<SetSection> WatchdogOptions::Sections() const
{
    if (!m_settings.backOff && !m_settings.dailyRestart.on)
        return {};
    return {SetSection{kSection,
                       {{kBackOffKey, m_settings.backOff ? "1" : "0"},
                        {kDailyRestartKey, DailyRestartText(m_settings.dailyRestart)}}}};
}

void WatchdogOptions::TakeSections(const std::vector<SetSection>& sections, std::vector<std::string>& ignored)
{
    WatchdogSettings taken;
    if (const SetSection* section = FindSection(sections, kSection)) {
        const std::string header = "[" + section->name + "]";
        const std::string* backOff = section->Find(kBackOffKey);
        if (const char* why = backOff != nullptr ? ReadSetFlag(*backOff, taken.backOff) : nullptr)
            ignored.push_back(IgnoredValueLine(header, kBackOffKey, *backOff, why));
        const std::string* dailyRestart = section->Find(kDailyRestartKey);
        if (dailyRestart != nullptr && !ParseDailyRestartText(*dailyRestart, taken.dailyRestart))
            ignored.push_back(IgnoredValueLine(header, kDailyRestartKey, *dailyRestart,
                                               "not empty nor a time of day from 00:00 to 23:59"));
    }
    Change(taken);
}
