// The set's log file: appended to a line at a time, readable by others all
// along, rotated once it has grown to its limit.
#pragma once

#include <string>

// Appends the line to the log at path, first renaming a log that has
// reached kRotateLogBytes to its rotated name (replacing an older one). A
// log that cannot be renamed keeps growing, and is renamed at a later
// append. False, with why as a sentence without its full stop, when the
// line was not written.
bool AppendToLog(const std::string& path, const std::string& line, std::string& failure);

// What the rotated log and then the log hold, at most their last few
// megabytes: enough for the last lines the history shows. Logs that are
// missing or unreadable give nothing.
std::string ReadLogTail(const std::string& path);
