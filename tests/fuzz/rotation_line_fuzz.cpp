// Any line of a rotation file written by hand gives an entry without a line
// end or the semicolon that ends it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rotation/rotation_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string entry = ParseRotationLine(std::string_view(reinterpret_cast<const char*>(data), size));
    if (entry.find_first_of("\n;") != std::string::npos)
        std::abort();
    return 0;
}
