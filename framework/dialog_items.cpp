#include "framework/dialog_items.h"

std::vector<DialogListItems> ParseDialogItems(const unsigned char* data, std::size_t size)
{
    std::vector<DialogListItems> lists;
    std::size_t pos = 0;
    while (pos + 2 <= size) {
        const int id = data[pos] | (data[pos + 1] << 8);
        pos += 2;
        if (id == 0)
            break;
        DialogListItems list{id, {}};
        bool ended = false;
        while (pos < size) {
            std::size_t end = pos;
            while (end < size && data[end] != '\0')
                ++end;
            if (end == size)
                break;  // an item without its terminator is not taken
            if (end == pos) {
                ++pos;
                ended = true;
                break;
            }
            list.items.emplace_back(reinterpret_cast<const char*>(data + pos), end - pos);
            pos = end + 1;
        }
        lists.push_back(std::move(list));
        if (!ended)
            break;
    }
    return lists;
}
