// The game's folder: where the tool finds the game server program and,
// beside it, the game's data.
#pragma once

#include <string>

// Records the working directory the tool started in, as a full path, as
// the game folder. The tool starts in the game's folder; the system's file
// dialogs change the working directory while they are open (and, on
// Windows, after an Open dialog whatever its flags ask), so the working
// directory is read for this once, at start-up, before anything uses it.
void RecordStartFolder();

// The folder RecordStartFolder recorded, without a trailing separator; the working
// directory at the moment of the call while none was taken.
std::string GameFolder();

// A path in the game folder: `relative` after the folder and a separator.
std::string InGameFolder(const std::string& relative);
