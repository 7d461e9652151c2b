// How the system's exit codes read: its own codes (0xC0000000 and up) in
// hex, the common ones by name as well.
#pragma once

#include <cstdint>
#include <string>

// "0xC0000005" for a code of the system's own; empty for any other.
std::string SystemCodeHex(std::uint32_t code);
// "access violation", "stack overflow", ...; null for a code without a name.
const char* SystemCodeName(std::uint32_t code);
