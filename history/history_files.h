// Where a set's history is kept: NAME.log beside the set NAME.ini (a set
// NAME.log keeps it in NAME.log.log), and the log it was rotated to,
// NAME.log.1.
#pragma once

#include <cstddef>
#include <string>

// The log grows to this size before it is rotated.
constexpr std::size_t kRotateLogBytes = 1024 * 1024;

// The set's path with its extension, if its file name has one, replaced by
// ".log"; the set's path and ".log" when that would be the set itself.
std::string LogPathOfSet(const std::string& setPath);
std::string RotatedLogPath(const std::string& logPath);
