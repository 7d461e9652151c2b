// The watchdog's options as the operator sets them: held for this run, and
// kept in the open server set as a section of their own, [Watchdog], with
// the keys backOff (1 on; 0 or absent off) and dailyRestart (HH:MM; empty
// or absent off). A set written while both are off holds no such section,
// so the set of an operator who uses neither stays as it was.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "servers/watchdog_settings.h"
#include "sets/set_section_keeper.h"

class WatchdogOptions : public SetSectionKeeper {
public:
    // Told of each change, from the dialog or from a set just opened.
    using ChangeNotice = std::function<void(const WatchdogSettings&)>;

    explicit WatchdogOptions(ChangeNotice changed) : m_changed(std::move(changed)) {}

    const WatchdogSettings& Settings() const { return m_settings; }
    void Change(const WatchdogSettings& settings);

    std::vector<SetSection> Sections() const override;
    // A set without the section turns both off; a value that is neither
    // off nor a setting leaves its option off and is listed.
    void TakeSections(const std::vector<SetSection>& sections, std::vector<std::string>& ignored) override;

private:
    WatchdogSettings m_settings;
    ChangeNotice m_changed;
};
