#include "servers/text_compare.h"

#include <windows.h>

int CompareNoCase(const char* a, const char* b)
{
    return lstrcmpiA(a, b);
}
