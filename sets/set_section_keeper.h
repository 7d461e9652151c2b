// What keeps its settings in the open server set beside the table, each
// setting a key of a section of its own ([Watchdog], [Alerts]): the set
// asks it for its sections whenever it writes, and hands it those of a set
// just opened.
#pragma once

#include <string>
#include <vector>

#include "sets/server_set_format.h"

class SetSectionKeeper {
public:
    virtual ~SetSectionKeeper() = default;
    // The sections as the settings stand now.
    virtual std::vector<SetSection> Sections() const = 0;
    // Takes the settings from the sections of a set just opened: a setting
    // whose key is missing, or whose section is, takes its default; what
    // was not taken is added to `ignored`, a line each.
    virtual void TakeSections(const std::vector<SetSection>& sections, std::vector<std::string>& ignored) = 0;
};
