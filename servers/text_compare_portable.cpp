// Stand-in for lstrcmpiA where Windows is not available: case folding of the
// ASCII letters, which is all the tests of the portable build rely on.
#include "servers/text_compare.h"

#include <cctype>

int CompareNoCase(const char* a, const char* b)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        const int cx = std::tolower(*x);
        const int cy = std::tolower(*y);
        if (cx != cy || cx == 0)
            return cx - cy;
    }
}
