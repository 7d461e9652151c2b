// Where a dialog opens: the part of the rule that needs no operating system.
#pragma once

#include <cstddef>
#include <cstdint>

struct ScreenRect {
    long left;
    long top;
    long right;
    long bottom;
};

struct ScreenPoint {
    long x;
    long y;
};

// The top-left corner that centres a window of this size over `centre`,
// moved so that the window lies wholly inside `area`. A window larger than
// the area keeps its title bar reachable: its top-left corner goes to the
// area's top-left corner.
ScreenPoint CentredOrigin(long width, long height, const ScreenRect& centre, const ScreenRect& area);

// What a dialog template says about its own placement.
struct TemplatePlacement {
    std::uint32_t style;
    short x;
    short y;
};

// Reads the header of a dialog template, in either of its two layouts
// (little-endian, as stored in the resources). False when the data is too
// short to hold a header.
bool ReadTemplatePlacement(const unsigned char* data, std::size_t size, TemplatePlacement& placement);
