// Files read and written whole, as one text: what the tool's own file
// formats build on. Paths are 8-bit strings in the system code page.
#pragma once

#include <cstddef>
#include <string>

// A message about a file that could not be used: what went wrong, the
// file's path on a line of its own, then why, as a sentence.
std::string FileFailureMessage(const std::string& headline, const std::string& path, const std::string& failure);

// Reads the file in binary mode, or only its first `limit` bytes when it is
// longer, so that a caller can tell a file over its limit without holding it
// all. False when the file cannot be opened or read; `failure` then says why,
// as a sentence without its full stop.
bool ReadFileContents(const char* path, std::size_t limit, std::string& text, std::string& failure);

// Replaces the file at path with text. The text goes into a new file beside
// it first, which then takes the old file's place, so the old file is kept
// as it was unless the new one was written completely. False, with why, when
// that could not be done.
bool ReplaceFileContents(const char* path, const std::string& text, std::string& failure);
