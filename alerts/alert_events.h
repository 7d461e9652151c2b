// The events an alert can be sent for, by the words the history records
// them with, and the operator's choice among them as the set keeps it:
// the words, comma-separated.
#pragma once

#include <bitset>
#include <optional>
#include <string>
#include <string_view>

enum class AlertEvent {
    Exited,
    StartFailed,
    CrashLoop,
    Started,
    Stopped,
    SetNotSaved,
    HistoryNotSaved,
};
constexpr int kAlertEventCount = static_cast<int>(AlertEvent::HistoryNotSaved) + 1;

// Which events alerts are sent for, one bit per AlertEvent.
using AlertEvents = std::bitset<kAlertEventCount>;

// Exited, start failed and crash loop: what an operator away from the host
// must hear of.
AlertEvents DefaultAlertEvents();

const char* AlertEventWord(AlertEvent event);
std::optional<AlertEvent> AlertEventOfWord(std::string_view word);
bool IsWanted(const AlertEvents& events, std::string_view word);

// "1 more exit", "6 more exits": how held-back events are counted.
std::string MoreEventsText(AlertEvent event, int count);

// "exited,start failed,crash loop", in the events' order.
std::string AlertEventsText(const AlertEvents& events);
// Blanks around a word do not count, and an empty text chooses none. A text
// with a word that is no event's leaves `events` as they were and answers
// why; otherwise null.
const char* ReadAlertEvents(std::string_view text, AlertEvents& events);
