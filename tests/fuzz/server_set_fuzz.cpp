// Any bytes at all: the reader takes them without fault, and whatever it
// takes as a set comes back unchanged through the writer and the reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sets/server_set_format.h"

namespace {

// The set a text holds, as the writer writes it.
std::string Rewritten(std::string_view text)
{
    const ServerSetReading reading = ReadServerSetText(text);
    ServerManager table;
    std::string written;
    if (!reading.isSet)
        return written;
    if (!table.ReplaceServers(reading.servers) || !ServerSetText(table, reading.sections, written))
        std::abort();
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string once = Rewritten(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!once.empty() && (Rewritten(once) != once || !ReadServerSetText(once).ignored.empty()))
        std::abort();
    return 0;
}
