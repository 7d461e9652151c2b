// Server names and map names are compared without regard to case, in the
// system code page. This is the one place that comparison is defined.
#pragma once

// Negative, zero or positive, like strcmp, but ignoring case.
int CompareNoCase(const char* a, const char* b);

inline bool EqualNoCase(const char* a, const char* b)
{
    return CompareNoCase(a, b) == 0;
}
