#include "alerts/json_string.h"

#include <cstdio>

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The lead bytes of the multi-byte sequences and the range their second
// byte must fall in; any further byte is one of 0x80 to 0xBF. The narrower
// second bytes rule out overlong forms, surrogates and code points beyond
// U+10FFFF.
struct Lead {
    unsigned char first, last;
    int length;
    unsigned char secondLow, secondHigh;
};

const Lead kLeads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// The bytes of the well-formed sequence at the start of `text`, positive,
// or, negative, those of its ill-formed start, which one U+FFFD stands for.
int Sequence(std::string_view text)
{
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    for (const Lead& form : kLeads) {
        if (lead < form.first || lead > form.last)
            continue;
        int n = 1;
        for (; n < form.length && static_cast<std::size_t>(n) < text.size(); ++n) {
            const unsigned char c = static_cast<unsigned char>(text[n]);
            if (c < (n == 1 ? form.secondLow : 0x80) || c > (n == 1 ? form.secondHigh : 0xBF))
                return -n;
        }
        return n == form.length ? n : -n;
    }
    return -1;
}

// The characters JSON escapes with a letter of their own, and those letters.
constexpr std::string_view kLettered = "\"\\\b\f\n\r\t";
constexpr std::string_view kLetters = "\"\\bfnrt";

void AppendAscii(char c, std::string& out)
{
    const std::size_t lettered = kLettered.find(c);
    if (lettered != std::string_view::npos) {
        out += '\\';
        out += kLetters[lettered];
    } else if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        out += escaped;
    } else {
        out += c;
    }
}

}  // namespace

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    out.reserve(text.size() + 2);
    while (!text.empty()) {
        if (static_cast<unsigned char>(text[0]) < 0x80) {
            AppendAscii(text[0], out);
            text.remove_prefix(1);
            continue;
        }
        const int length = Sequence(text);
        if (length > 0)
            out.append(text.data(), static_cast<std::size_t>(length));
        else
            out += kReplacement;
        text.remove_prefix(static_cast<std::size_t>(length > 0 ? length : -length));
    }
    return out + '"';
}
