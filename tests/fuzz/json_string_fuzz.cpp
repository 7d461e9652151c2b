// Any bytes give a valid JSON string. It decodes to the bytes themselves
// where they are well-formed UTF-8, and to U+FFFD for each ill-formed piece,
// as an independent JSON library reads the one and replaces the other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "alerts/json_string.h"

using nlohmann::json;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const json read = json::parse(JsonString(text), nullptr, false);
    const json replaced = json::parse(json(text).dump(-1, ' ', false, json::error_handler_t::replace));
    if (!read.is_string() || read != replaced)
        std::abort();
    return 0;
}
