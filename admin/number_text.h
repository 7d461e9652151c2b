// Numbers typed into the window's edits and read from its list items.
// Like atoi and atof, a text converts by its leading number, and a text
// without one gives 0; unlike them, no text leads to undefined behaviour.
#pragma once

// A number beyond the int range gives the nearest end of that range.
int TextToInt(const char* text);

// A number beyond the float range gives the largest float of its sign.
float TextToFloat(const char* text);

// The value a leading-number list's item stands for: item 0 is the list's
// "No limit" and stands for 0, every other item for its leading number.
int ItemNumber(int index, const char* text);
