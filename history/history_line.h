// One event of the server history as a line of the set's log:
//   time TAB server TAB event TAB details CR LF
// with the local time to the second and its offset from UTC, e.g.
// 2026-12-08T03:12:44+01:00. The same line is what the dialog copies.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "servers/wall_clock.h"

struct HistoryEntry {
    std::string time;
    std::string server;  // empty for the set's own events
    std::string event;
    std::string details;
};

inline bool operator==(const HistoryEntry& a, const HistoryEntry& b)
{
    return a.time == b.time && a.server == b.server && a.event == b.event && a.details == b.details;
}

// A line longer than this, its line end included, is none of the log's.
constexpr std::size_t kMaxHistoryLineBytes = 4096;

std::string TimeText(const LocalTime& time);

// The entry's line, with its line end. A control character inside (below
// 0x20, and 0x7F) becomes a blank; details too long for a line are cut
// short.
std::string HistoryLine(const HistoryEntry& entry);

// The entry of one line given without its line end; false when the line is
// not in the log's form (also for a control character other than the tabs
// between the fields, or a line over the limit).
bool ParseHistoryLine(const std::string& line, HistoryEntry& entry);

// The last `limit` entries of a log's text; lines not in the form are
// skipped. Text that begins in the middle of a line may be given: a first
// line that is not in the form is skipped like any other.
std::vector<HistoryEntry> ReadHistoryText(const std::string& text, std::size_t limit);
