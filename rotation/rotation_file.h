// The map-rotation file: one line "Map = " + entry + ";" + CR LF per entry,
// in rotation order, nothing else; no entries make a 0-byte file. Paths are
// 8-bit strings in the system code page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One line, as read or with its line end already gone, to its entry: the
// text after the first "=" with the blanks there skipped, up to the first ";"
// or the end of the line. The line ends at its first LF; that LF and a CR
// directly before it are never part of the entry. No "=" gives an empty entry.
std::string ParseRotationLine(std::string_view line);

// Every line of the file gives exactly one entry, in file order, however long
// the line. A file that cannot be opened or read gives no entries.
std::vector<std::string> ReadRotation(const char* path);

// Replaces the file at path with the given entries. The old file is kept as
// it was unless the new one was written completely, so a false result leaves
// nothing changed; failure then says why, as a sentence without its full
// stop. An entry holding a line feed cannot be one line: it makes the write
// fail before anything is touched.
bool WriteRotation(const char* path, const std::vector<std::string>& entries, std::string& failure);
