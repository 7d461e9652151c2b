// A server set as text: the whole table in the form of an INI file, one
// section "[Slot N]" (N from 1) per occupied slot and one key per field of
// its record, named as the field is; after the slots, a section of its own
// for each feature that keeps its settings in the set. A set written by
// hand reads as the system's own profile functions would read it: blanks
// around "=" and around the value do not count, a value in double quotes
// keeps its blanks, keys come in any order and a missing key leaves the
// field's default.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "servers/server_manager.h"

// A section that is no slot's, such as a feature's settings: its name, and
// its keys with their values in the order written. Values are as read:
// without the blanks around them and without a pair of quotes around the
// whole value.
struct SetSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;

    // The first value of the key, whose case does not count; null when the
    // section has no such key.
    const std::string* Find(std::string_view key) const;
};

// The section of that name, whose case does not count; null when there is
// none.
const SetSection* FindSection(const std::vector<SetSection>& sections, std::string_view name);

// Without blanks at either end, as keys and values are read.
std::string_view Trimmed(std::string_view text);

// A set's on/off value, "1" or "0"; otherwise `flag` is left as it was and
// the reason is returned, else null.
const char* ReadSetFlag(std::string_view value, bool& flag);

// How a value that was not taken is listed, after the header of its section:
// "[Slot 1] port = 9x: not a whole number the setting can hold", with the
// value cut to 40 characters.
std::string IgnoredValueLine(const std::string& header, std::string_view key, std::string_view value,
                             std::string_view why);

struct ServerSetReading {
    // False when the text is no set at all; only why is filled then.
    bool isSet = false;
    // Why it is none: a NUL byte anywhere, or else the 1-based number of the
    // first line that is neither blank, a comment, a section header nor a
    // key=value line inside a section.
    bool holdsNul = false;
    std::size_t strayLine = 0;
    std::vector<SlotRecord> servers;  // in slot order
    // The sections that are no slot's, in file order; of two sections of one
    // name the first counts, as for a slot.
    std::vector<SetSection> sections;
    // What was not taken, a line each: the field keeps its default, and a
    // server whose name repeats an earlier server's is left out.
    std::vector<std::string> ignored;
};

// The table as a set, then the sections given. Texts of the table are always
// written in double quotes, so that blanks at either end, quotes and the
// rest come back as they were; a section's value only when it would not
// come back without them. A running server's process is recorded by its ids
// and creation time. False when a text holds a line feed, which no line of
// the file can carry.
bool ServerSetText(const ServerManager& table, const std::vector<SetSection>& sections, std::string& text);

// A field the admin window offers as a list takes only what the list offers
// (kListValues).
ServerSetReading ReadServerSetText(std::string_view text);

// What was ignored, for a message: the first ten lines, then how many more.
std::string IgnoredValuesList(const std::vector<std::string>& ignored);
