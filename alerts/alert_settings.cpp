#include "alerts/alert_settings.h"

#include "alerts/webhook_address.h"

namespace {

const char* const kFormatWords[] = {"discord", "slack", "json"};

std::string UrlText(const AlertSettings& settings)
{
    return settings.url;
}

const char* ReadUrl(std::string_view value, AlertSettings& settings)
{
    if (const char* why = WebhookAddressProblem(value))
        return why;
    settings.url = std::string(value);
    return nullptr;
}

std::string FormatText(const AlertSettings& settings)
{
    return kFormatWords[static_cast<int>(settings.format)];
}

const char* ReadFormat(std::string_view value, AlertSettings& settings)
{
    for (const char* const& word : kFormatWords) {
        if (value == word) {
            settings.format = static_cast<AlertFormat>(&word - kFormatWords);
            return nullptr;
        }
    }
    return "not discord, slack or json";
}

std::string EventsText(const AlertSettings& settings)
{
    return AlertEventsText(settings.events);
}

const char* ReadEvents(std::string_view value, AlertSettings& settings)
{
    return ReadAlertEvents(value, settings.events);
}

}  // namespace

const AlertKey kAlertKeys[3] = {
    {"url", true, UrlText, ReadUrl},
    {"format", false, FormatText, ReadFormat},
    {"events", false, EventsText, ReadEvents},
};
