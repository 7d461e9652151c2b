// Text as a JSON string, quotes included, for the bodies the alerts send.
#pragma once

#include <string>
#include <string_view>

// `text` is meant to be UTF-8. Quotes, backslashes and every control
// character are escaped; a byte that begins no well-formed UTF-8 sequence,
// or the start of a sequence cut short, becomes U+FFFD, one for each such
// piece, so that the result is always a valid JSON string and decodes to
// `text` itself whenever `text` was well-formed.
std::string JsonString(std::string_view text);
