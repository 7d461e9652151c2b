#include "alerts/alert_message.h"

#include <string_view>
#include <utility>
#include <vector>

#include "alerts/json_string.h"

namespace {

// The hours and minutes of a history time, 2026-12-08T03:12:44+01:00,
// which is local time already.
std::string ClockText(const std::string& time)
{
    constexpr std::size_t kHour = 11;
    constexpr std::size_t kLength = 5;
    return time.size() >= kHour + kLength ? time.substr(kHour, kLength) : time;
}

std::string HeldBackText(const Alert& alert)
{
    std::string counts;
    for (int i = 0; i < kAlertEventCount; ++i) {
        if (alert.heldBack[i] > 0)
            counts += " and " + MoreEventsText(static_cast<AlertEvent>(i), alert.heldBack[i]);
    }
    return counts.empty() ? counts : "," + counts + " since " + ClockText(alert.heldSince);
}

std::string DroppedText(int dropped)
{
    if (dropped == 0)
        return std::string();
    return "; " + std::to_string(dropped) + (dropped == 1 ? " earlier alert was" : " earlier alerts were") +
           " dropped, too many waiting";
}

// Discord refuses a message longer than this, in the characters of its
// JavaScript client: a character beyond U+FFFF counts twice.
constexpr std::size_t kDiscordLimit = 2000;

// UTF-8 text cut to `limit` such characters, its last one then an ellipsis.
std::string CutForDiscord(const std::string& text, std::size_t limit)
{
    std::size_t counted = 0;
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80)
            continue;
        counted += byte >= 0xF0 ? 2 : 1;
        if (counted > limit - 1 && cut == std::string::npos)
            cut = i;
        if (counted > limit)
            return text.substr(0, cut) + "\xE2\x80\xA6";
    }
    return text;
}

using Members = std::vector<std::pair<const char*, std::string_view>>;

std::string JsonObject(const Members& members)
{
    std::string object = "{";
    for (const auto& [name, value] : members)
        object += (object.size() > 1 ? ", " : "") + JsonString(name) + ": " + JsonString(value);
    return object + "}";
}

}  // namespace

std::string AlertLine(const std::string& host, const Alert& alert)
{
    const HistoryEntry& entry = alert.entry;
    std::string line = host + ": ";
    if (!entry.server.empty())
        line += entry.server + " ";
    line += entry.event;
    if (!entry.details.empty())
        line += ": " + entry.details;
    return line + HeldBackText(alert) + DroppedText(alert.dropped);
}

std::string AlertBody(AlertFormat format, const std::string& host, const Alert& alert)
{
    const std::string line = AlertLine(host, alert);
    switch (format) {
    case AlertFormat::Discord:
        return JsonObject({{"content", CutForDiscord(line, kDiscordLimit)}, {"username", "QYR SAT"}});
    case AlertFormat::Slack:
        return JsonObject({{"text", line}});
    case AlertFormat::Json:
        break;
    }
    const HistoryEntry& entry = alert.entry;
    return JsonObject({{"text", line},
                       {"time", entry.time},
                       {"host", host},
                       {"server", entry.server},
                       {"event", entry.event},
                       {"details", entry.details}});
}
