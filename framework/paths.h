// Paths as the tool names files: 8-bit strings in the system code page.
// Taking a path apart needs no operating system; making it full or
// canonical asks the system.
#pragma once

#include <string>

// The last part of a path: the file's name without its folder.
std::string FileNameOf(const std::string& path);

// The path without its file name's last extension, cut where the system's
// _splitpath cuts it: "a.b/c.tar.gz" gives "a.b/c.tar", ".ini" gives "".
std::string WithoutExtension(const std::string& path);

// The path of `relative` in the folder: after it and a separator, unless
// the folder ends in one already (a drive's root does).
std::string PathInFolder(const std::string& folder, const std::string& relative);

// A path the system gave with the prefix that lets it be long ("\\?\"),
// as it is written otherwise: a local one from its drive letter, one on a
// share by its network name.
std::string WithoutLongPathPrefix(const std::string& path);

#ifdef _WIN32
// The full path, a relative one taken from the current directory; the
// path as given when it cannot be made full.
std::string FullPath(const char* path);

// The same text for every way of reaching one file: a drive letter that
// stands for a folder, a network name, a link or short names. It is the
// final path of the opened file, in upper case; for a file the system
// cannot open or name that way (one that does not exist yet), the full path
// with long names, in upper case.
std::string CanonicalPath(const char* path);
#endif
