#include "alerts/server_alerts.h"

#include <optional>
#include <thread>
#include <utility>

#include "alerts/webhook_address.h"
#include "sets/server_set_format.h"

namespace {

constexpr char kSection[] = "Alerts";

std::string TestOutcomeText(const WebhookAnswer& answer)
{
    if (!answer.answered)
        return "Not sent: " + answer.failure;
    return std::string(IsDeliveredStatus(answer.status) ? "Sent" : "Not sent") + ": HTTP " +
           std::to_string(answer.status);
}

}  // namespace

ServerAlerts::ServerAlerts(AlertEdges edges) : m_edges(std::move(edges)), m_sender(m_edges) {}

void ServerAlerts::SetSettings(const AlertSettings& settings)
{
    m_settings = settings;
    WebhookAddress address;
    const bool usable = !settings.url.empty() && ReadWebhookAddress(settings.url, address) == nullptr;
    m_sender.SetTarget(usable ? std::optional<WebhookAddress>(address) : std::nullopt, settings.format);
}

void ServerAlerts::SendTest(const std::string& url, AlertFormat format,
                            std::function<void(const std::string&)> done) const
{
    WebhookAddress address;
    if (const char* why = ReadWebhookAddress(url, address)) {
        done(std::string("Not sent: the address ") + why);
        return;
    }
    Alert test{HistoryEntry{TimeText(LocalTimeOf(m_edges.now())), "", "test", "alerts from QYR SAT arrive here"}};
    std::thread([edges = m_edges, address, format, test = std::move(test), done = std::move(done)] {
        done(TestOutcomeText(PostAlert(edges, address, format, test)));
    }).detach();
}

void ServerAlerts::Heard(const HistoryEntry& entry)
{
    if (!m_settings.url.empty() && IsWanted(m_settings.events, entry.event))
        m_sender.Hand(entry);
}

std::vector<SetSection> ServerAlerts::Sections() const
{
    SetSection section{kSection, {}};
    bool changed = false;
    for (const AlertKey& key : kAlertKeys) {
        section.values.emplace_back(key.key, key.text(m_settings));
        changed = changed || section.values.back().second != key.text(AlertSettings());
    }
    return changed ? std::vector<SetSection>{section} : std::vector<SetSection>();
}

void ServerAlerts::TakeSections(const std::vector<SetSection>& sections, std::vector<std::string>& ignored)
{
    AlertSettings settings;
    const std::string header = "[" + std::string(kSection) + "]";
    if (const SetSection* section = FindSection(sections, kSection)) {
        for (const AlertKey& key : kAlertKeys) {
            const std::string* value = section->Find(key.key);
            const char* why = value != nullptr ? key.read(*value, settings) : nullptr;
            if (why != nullptr)
                ignored.push_back(key.secret ? header + " " + key.key + ": " + why
                                             : IgnoredValueLine(header, key.key, *value, why));
        }
    }
    SetSettings(settings);
}
