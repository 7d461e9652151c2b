// A path as the system compares paths itself.
#pragma once

#include <string>

// The full path, a relative one taken from the current directory; the
// path as given when it cannot be made full.
std::string FullPath(const char* path);

// Full, with long names, in upper case: the same text for every way of
// writing one file's path.
std::string CanonicalPath(const char* path);
