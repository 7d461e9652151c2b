// The alerts to a chat webhook: they hear the history's events and hand
// those the operator chose to their sender, at once and without waiting;
// the open set keeps their settings in its [Alerts] section. With no
// address nothing is sent, and nothing connects.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "alerts/alert_sender.h"
#include "alerts/alert_settings.h"
#include "history/history_listener.h"
#include "sets/set_section_keeper.h"

class ServerAlerts : public HistoryListener, public SetSectionKeeper {
public:
    explicit ServerAlerts(AlertEdges edges);

    // Without a set, the settings hold for this run.
    const AlertSettings& Settings() const { return m_settings; }
    void SetSettings(const AlertSettings& settings);

    // Called, on the sender's thread, when an alert was given up, to be
    // taken with TakeNotSent: it should only wake the thread that takes it.
    void SetNotSentNotice(std::function<void()> notice) { m_sender.SetNotSentNotice(std::move(notice)); }
    // Told to the history as "alert not sent", once until one is delivered.
    std::vector<AlertNotSent> TakeNotSent() { return m_sender.TakeNotSent(); }
    // Before the tool ends: alerts still waiting get AlertSender::kFinishWait
    // from when the tool began to close.
    void FinishSending(std::chrono::steady_clock::time_point closingBegan)
    {
        m_sender.Finish(closingBegan + AlertSender::kFinishWait);
    }

    // Sends a test message to the address in the form at once, past flood
    // control and the queue, on a thread of its own, and tells `done` there
    // what "Send Test" shows: "Sent: HTTP 204", or "Not sent: " and why.
    void SendTest(const std::string& url, AlertFormat format, std::function<void(const std::string&)> done) const;

    void Heard(const HistoryEntry& entry) override;

    // Nothing while every setting has its default, so that the set of an
    // operator who uses no alerts stays as it was.
    std::vector<SetSection> Sections() const override;
    void TakeSections(const std::vector<SetSection>& sections, std::vector<std::string>& ignored) override;

private:
    const AlertEdges m_edges;
    AlertSettings m_settings;
    AlertSender m_sender;
};
