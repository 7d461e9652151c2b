#include "admin/number_text.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

int TextToInt(const char* text)
{
    // strtoll reports overflow instead of invoking undefined behaviour, and
    // accepts exactly the leading blanks, sign and digits that atoi does.
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

float TextToFloat(const char* text)
{
    errno = 0;
    const double value = std::strtod(text, nullptr);
    // "inf" and "nan" stand for themselves; an overflowing number does not.
    if (std::isnan(value) || (std::isinf(value) && errno != ERANGE))
        return static_cast<float>(value);
    if (value > FLT_MAX)
        return FLT_MAX;
    if (value < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(value);
}

int ItemNumber(int index, const char* text)
{
    return index == 0 ? 0 : TextToInt(text);
}
