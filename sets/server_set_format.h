// A server set as text: the whole table in the form of an INI file, one
// section "[Slot N]" (N from 1) per occupied slot and one key per field of
// its record, named as the field is. A set written by hand reads as the
// system's own profile functions would read it: blanks around "=" and
// around the value do not count, a value in double quotes keeps its blanks,
// keys come in any order and a missing key leaves the field's default.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "servers/server_manager.h"

struct ServerSetReading {
    // False when the text is no set at all; only why is filled then.
    bool isSet = false;
    // Why it is none: a NUL byte anywhere, or else the 1-based number of the
    // first line that is neither blank, a comment, a section header nor a
    // key=value line inside a section.
    bool holdsNul = false;
    std::size_t strayLine = 0;
    std::vector<SlotRecord> servers;  // in slot order
    // What was not taken, a line each: the field keeps its default, and a
    // server whose name repeats an earlier server's is left out.
    std::vector<std::string> ignored;
};

// The table as a set. Texts are always written in double quotes, so that
// blanks at either end, quotes and the rest come back as they were. A running
// server's process is recorded by its ids and creation time. False when a
// text holds a line feed, which no line of the file can carry.
bool ServerSetText(const ServerManager& table, std::string& text);

// A field the admin window offers as a list takes only what the list offers
// (kListValues).
ServerSetReading ReadServerSetText(std::string_view text);

// What was ignored, for a message: the first ten lines, then how many more.
std::string IgnoredValuesList(const std::vector<std::string>& ignored);
