// The initial items of a dialog's lists, as stored beside its template in
// the resources. Reading them needs no operating system.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/dialog_items_type.h"

struct DialogListItems {
    int controlId;
    std::vector<std::string> items;
};

// Layout: for each list its control id as a 16-bit little-endian word, then
// its items as zero-terminated strings, then an empty string; a control id
// of 0 ends the data. Data cut short yields the lists read up to the cut,
// never a read beyond the end.
std::vector<DialogListItems> ParseDialogItems(const unsigned char* data, std::size_t size);
