// The maps of one game mode, as the game's level-script folder lists them.
#pragma once

class CComboBox;

// Replaces the list's items with the maps of the mode: one item per
// "*.dls" entry in ..\Data\LevelScripts\<keyword>\, relative to the game
// folder. A missing folder or a mode without maps leaves the list empty;
// nothing is reported. The list is a sorted one, so it orders the maps.
void ListMapsForMode(const char* keyword, const CComboBox& maps);

// Searches the mode's folder again and leaves the list as it is when it
// already holds exactly the maps found; otherwise lists them as
// ListMapsForMode does. A list that did not change is thus not repainted,
// and stays open when the operator has dropped it down.
void RelistMapsForMode(const char* keyword, const CComboBox& maps);
