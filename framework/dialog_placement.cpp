#include "framework/dialog_placement.h"

namespace {

std::uint32_t Word(const unsigned char* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8;
}

std::uint32_t DoubleWord(const unsigned char* at)
{
    return Word(at) | Word(at + 2) << 16;
}

short SignedWord(const unsigned char* at)
{
    return static_cast<short>(static_cast<std::int16_t>(Word(at)));
}

}  // namespace

ScreenPoint CentredOrigin(long width, long height, const ScreenRect& centre, const ScreenRect& area)
{
    long x = (centre.left + centre.right) / 2 - width / 2;
    long y = (centre.top + centre.bottom) / 2 - height / 2;
    if (x + width > area.right)
        x = area.right - width;
    if (x < area.left)
        x = area.left;
    if (y + height > area.bottom)
        y = area.bottom - height;
    if (y < area.top)
        y = area.top;
    return ScreenPoint{x, y};
}

// The extended layout starts with version 1 and the signature 0xFFFF, then
// help id, extended style, style, item count, x and y; the plain one starts
// with style, extended style, item count, x and y.
bool ReadTemplatePlacement(const unsigned char* data, std::size_t size, TemplatePlacement& placement)
{
    const bool extended = size >= 4 && Word(data) == 1 && Word(data + 2) == 0xFFFF;
    const std::size_t styleAt = extended ? 12 : 0;
    const std::size_t xAt = extended ? 18 : 10;
    if (size < xAt + 4)
        return false;
    placement.style = DoubleWord(data + styleAt);
    placement.x = SignedWord(data + xAt);
    placement.y = SignedWord(data + xAt + 2);
    return true;
}
