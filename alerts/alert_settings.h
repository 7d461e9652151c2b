// What the operator sets for alerts, and how the set's [Alerts] section
// keeps it: url=, format= and events=.
#pragma once

#include <string>
#include <string_view>

#include "alerts/alert_events.h"

// In the order of the Alerts dialog's list.
enum class AlertFormat { Discord, Slack, Json };

struct AlertSettings {
    std::string url;  // empty: no alert is sent
    AlertFormat format = AlertFormat::Discord;
    AlertEvents events = DefaultAlertEvents();
};

// One key of the [Alerts] section: its value's text, and its reading, which
// takes the value and answers null, or leaves the setting as it was (so a
// set's bad value leaves the default: no address, Discord, the default
// events) and answers why not, never repeating the value. A secret's value
// is never shown, not even in the list of values ignored.
struct AlertKey {
    const char* key;
    bool secret;
    std::string (*text)(const AlertSettings& settings);
    const char* (*read)(std::string_view value, AlertSettings& settings);
};

// url, format and events, in the order they are written.
extern const AlertKey kAlertKeys[3];
