#include "alerts/alert_events.h"

#include "history/history_event.h"
#include "sets/server_set_format.h"

namespace {

// In the order of AlertEvent: the history's event, and how held-back ones
// are counted.
struct EventWords {
    HistoryEvent history;
    const char* one;
    const char* many;
};

const EventWords kEvents[] = {
    {HistoryEvent::Exited, "exit", "exits"},
    {HistoryEvent::StartFailed, "failed start", "failed starts"},
    {HistoryEvent::CrashLoop, "crash loop", "crash loops"},
    {HistoryEvent::Started, "start", "starts"},
    {HistoryEvent::Stopped, "stop", "stops"},
    {HistoryEvent::SetNotSaved, "failure to save the set", "failures to save the set"},
    {HistoryEvent::HistoryNotSaved, "failure to save the history", "failures to save the history"},
};
static_assert(sizeof kEvents / sizeof kEvents[0] == kAlertEventCount, "one history event per alert event");

}  // namespace

AlertEvents DefaultAlertEvents()
{
    AlertEvents events;
    for (AlertEvent event : {AlertEvent::Exited, AlertEvent::StartFailed, AlertEvent::CrashLoop})
        events.set(static_cast<std::size_t>(event));
    return events;
}

const char* AlertEventWord(AlertEvent event)
{
    return EventWord(kEvents[static_cast<int>(event)].history);
}

std::optional<AlertEvent> AlertEventOfWord(std::string_view word)
{
    for (int i = 0; i < kAlertEventCount; ++i) {
        if (word == AlertEventWord(static_cast<AlertEvent>(i)))
            return static_cast<AlertEvent>(i);
    }
    return std::nullopt;
}

bool IsWanted(const AlertEvents& events, std::string_view word)
{
    const std::optional<AlertEvent> event = AlertEventOfWord(word);
    return event && events.test(static_cast<std::size_t>(*event));
}

std::string MoreEventsText(AlertEvent event, int count)
{
    const EventWords& words = kEvents[static_cast<int>(event)];
    return std::to_string(count) + " more " + (count == 1 ? words.one : words.many);
}

std::string AlertEventsText(const AlertEvents& events)
{
    std::string text;
    for (int i = 0; i < kAlertEventCount; ++i) {
        if (events.test(static_cast<std::size_t>(i)))
            text += std::string(text.empty() ? "" : ",") + AlertEventWord(static_cast<AlertEvent>(i));
    }
    return text;
}

const char* ReadAlertEvents(std::string_view text, AlertEvents& events)
{
    AlertEvents read;
    for (std::size_t start = 0; !Trimmed(text).empty();) {
        const std::size_t comma = text.find(',', start);
        const std::optional<AlertEvent> event = AlertEventOfWord(Trimmed(text.substr(start, comma - start)));
        if (!event)
            return "not alert events' words, comma-separated";
        read.set(static_cast<std::size_t>(*event));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    events = read;
    return nullptr;
}
