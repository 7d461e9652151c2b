#include "history/history_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "history/history_event.h"

namespace {

const char kTimeForm[] = "dddd-dd-ddTdd:dd:dd+dd:dd";
constexpr std::size_t kTimeLength = sizeof kTimeForm - 1;
const char kLineEnd[] = "\r\n";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsTimeText(const std::string& text)
{
    if (text.size() != kTimeLength)
        return false;
    for (std::size_t i = 0; i < kTimeLength; ++i) {
        const char form = kTimeForm[i];
        const bool fits = form == 'd' ? IsDigit(text[i]) : form == '+' ? text[i] == '+' || text[i] == '-'
                                                                        : text[i] == form;
        if (!fits)
            return false;
    }
    return true;
}

bool IsControl(char c)
{
    const unsigned char code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

// What follows the log, a terminal or the journal shows it as plain text.
std::string Flattened(std::string text)
{
    for (char& c : text) {
        if (IsControl(c))
            c = ' ';
    }
    return text;
}

}  // namespace

std::string TimeText(const LocalTime& time)
{
    const int offset = std::abs(time.offsetMinutes);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second, time.offsetMinutes < 0 ? '-' : '+', offset / 60 % 100,
                  offset % 60);
    return text;
}

std::string HistoryLine(const HistoryEntry& entry)
{
    std::string line = Flattened(entry.time) + '\t' + Flattened(entry.server) + '\t' + Flattened(entry.event) + '\t';
    const std::size_t room = kMaxHistoryLineBytes - sizeof kLineEnd + 1;
    std::string details = Flattened(entry.details);
    if (line.size() + details.size() > room)
        details.resize(line.size() < room ? room - line.size() : 0);
    return line + details + kLineEnd;
}

bool ParseHistoryLine(const std::string& line, HistoryEntry& entry)
{
    if (line.size() + sizeof kLineEnd - 1 > kMaxHistoryLineBytes ||
        std::any_of(line.begin(), line.end(), [](char c) { return c != '\t' && IsControl(c); }))
        return false;
    std::string fields[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t tab = line.find('\t', start);
        if ((i < 3) != (tab != std::string::npos))
            return false;
        fields[i] = line.substr(start, i < 3 ? tab - start : std::string::npos);
        start = tab + 1;
    }
    if (!IsTimeText(fields[0]) || !IsEventWord(fields[2]))
        return false;
    entry = HistoryEntry{fields[0], fields[1], fields[2], fields[3]};
    return true;
}

std::vector<HistoryEntry> ReadHistoryText(const std::string& text, std::size_t limit)
{
    std::vector<HistoryEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r')
            --length;
        HistoryEntry entry;
        if (ParseHistoryLine(text.substr(start, length), entry))
            entries.push_back(std::move(entry));
        start = end + 1;
    }
    if (entries.size() > limit)
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(limit));
    return entries;
}
