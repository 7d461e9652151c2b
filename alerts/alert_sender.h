// The alerts' delivery, off the caller's thread: events are handed over at
// once, and a thread of the sender's own puts them through flood control
// and the queue and posts them, one after another, so that a slow or silent
// receiver never holds up the watchdog, Start, Stop or the window. What
// reaches the network is handed in; the sender needs no operating system.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "alerts/alert.h"
#include "alerts/alert_queue.h"
#include "alerts/alert_settings.h"
#include "alerts/webhook_address.h"
#include "history/history_line.h"
#include "servers/wall_clock.h"

// How a receiver answered a POST.
struct WebhookAnswer {
    bool answered = false;  // false: none came, and `failure` says why
    int status = 0;
    std::string retryAfter;  // its Retry-After header; empty when it gave none
    std::string failure;     // the system's own sentence, never the address
};

// What the alerts need of the system.
struct AlertEdges {
    // Posts a UTF-8 JSON body; returns within the time-outs. Called on the
    // alerts' own threads, and on several at once.
    std::function<WebhookAnswer(const WebhookAddress& address, const std::string& body)> post;
    // A text in the names' code page, in UTF-8.
    std::function<std::string(const std::string& text)> toUtf8;
    WallClock now;
    std::string host;  // the computer's name, in UTF-8
};

// Posts the alert in the form, its texts in UTF-8; what the edges throw
// counts as no answer, told with what it says.
WebhookAnswer PostAlert(const AlertEdges& edges, const WebhookAddress& address, AlertFormat format, Alert alert);

class AlertSender {
public:
    // How long the tool's end waits for alerts still waiting.
    static constexpr std::chrono::milliseconds kFinishWait{3000};

    // `edges` outlive the sender: a thread stuck in a post may be left behind.
    explicit AlertSender(AlertEdges edges);
    // Finishes, waiting at most kFinishWait.
    ~AlertSender();
    AlertSender(const AlertSender&) = delete;
    AlertSender& operator=(const AlertSender&) = delete;

    // Where alerts go and in which form. With no address, what waits is
    // dropped and nothing more is sent.
    void SetTarget(const std::optional<WebhookAddress>& address, AlertFormat format);
    // Called, on the sender's thread and under its lock, when an alert was
    // given up: it should only wake the thread that takes them.
    void SetNotSentNotice(std::function<void()> notice);
    // Never waits for the network.
    void Hand(const HistoryEntry& entry);
    std::vector<AlertNotSent> TakeNotSent();
    // Lets every held-back alert go, sends what is due until none is or
    // `until` has come, and ends the thread; one stuck in a post is left
    // behind.
    void Finish(std::chrono::steady_clock::time_point until);

private:
    struct Shared;
    static void Send(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
