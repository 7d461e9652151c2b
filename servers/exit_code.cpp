#include "servers/exit_code.h"

#include <cstdio>

namespace {

struct NamedCode {
    std::uint32_t code;
    const char* name;
};

const NamedCode kNamedCodes[] = {
    {0xC0000005u, "access violation"},  {0xC00000FDu, "stack overflow"},  {0xC0000374u, "heap corruption"},
    {0xC0000409u, "buffer overrun"},    {0xC000013Au, "ended by Ctrl+C"},
};

constexpr std::uint32_t kSystemCodes = 0xC0000000u;

}  // namespace

std::string SystemCodeHex(std::uint32_t code)
{
    if (code < kSystemCodes)
        return std::string();
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    return hex;
}

const char* SystemCodeName(std::uint32_t code)
{
    for (const NamedCode& named : kNamedCodes) {
        if (named.code == code)
            return named.name;
    }
    return nullptr;
}
