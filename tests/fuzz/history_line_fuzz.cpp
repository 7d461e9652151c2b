// Any log, edited by hand or cut short, gives entries that written out again
// are read back as they were, each on one line within the limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "history/history_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const HistoryEntry& entry : ReadHistoryText(text, 1000)) {
        const std::string line = HistoryLine(entry);
        const std::vector<HistoryEntry> again = ReadHistoryText(line, 2);
        if (line.size() > kMaxHistoryLineBytes || again.size() != 1 || !(again[0] == entry))
            std::abort();
    }
    return 0;
}
