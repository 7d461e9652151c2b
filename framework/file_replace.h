// The steps of a safe file replacement that need the operating system.
#pragma once

#include <cstdio>
#include <string>

// Creates the file for writing, in binary mode, only if nothing of that name
// exists; checking and creating are one step of the system. Null when it
// could not be made, with why in failure; nameTaken tells that something of
// that name was there already.
std::FILE* CreateNewFile(const char* path, bool& nameTaken, std::string& failure);

// Pushes what has been written to the open file through to the disk, so that
// a crash after the replacement cannot leave a file without its contents.
bool FlushToDisk(std::FILE* file);

// Moves the file at from onto to. A file already there is replaced in a way
// that keeps what was set on it (attributes, permissions) where the system
// can. On failure both files are left as they were and failure says why.
bool MoveReplacing(const char* from, const char* to, std::string& failure);
