#include "alerts/alert_sender.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <utility>

#include "alerts/alert_flood_control.h"
#include "alerts/alert_message.h"

WebhookAnswer PostAlert(const AlertEdges& edges, const WebhookAddress& address, AlertFormat format, Alert alert)
{
    try {
        alert.entry.server = edges.toUtf8(alert.entry.server);
        alert.entry.details = edges.toUtf8(alert.entry.details);
        return edges.post(address, AlertBody(format, edges.host, alert));
    } catch (const std::exception& failure) {
        WebhookAnswer answer;
        answer.failure = failure.what();
        return answer;
    }
}

// Everything here is guarded by the mutex; the thread holds it only between
// two posts, never during one.
struct AlertSender::Shared {
    explicit Shared(AlertEdges alertEdges) : edges(std::move(alertEdges)) {}

    // Seconds of a clock that never goes back.
    std::int64_t Now() const
    {
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    }

    // What was handed over and what flood control lets go, into the queue;
    // at the end every held-back alert.
    void QueueHanded(std::int64_t now)
    {
        for (const HistoryEntry& entry : handed) {
            if (std::optional<Alert> alert = flood.Add(entry, now))
                queue.Push(std::move(*alert));
        }
        handed.clear();
        for (Alert& alert : ending ? flood.ReleaseAll() : flood.Release(now))
            queue.Push(std::move(alert));
    }

    // None: nothing waits for a time.
    std::optional<std::int64_t> SecondsToWake(std::int64_t now) const
    {
        const std::optional<std::int64_t> due = queue.SecondsToDue(now);
        const std::optional<std::int64_t> release = flood.SecondsToRelease(now);
        if (due && release)
            return std::min(*due, *release);
        return due ? due : release;
    }

    const AlertEdges edges;
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> notice;

    std::optional<WebhookAddress> address;
    AlertFormat format = AlertFormat::Discord;
    // Counts the times the address went, and what waited with it: the
    // answer of a post begun before is no longer the queue's.
    std::uint64_t cleared = 0;

    std::vector<HistoryEntry> handed;
    AlertFloodControl flood;
    AlertQueue queue;
    std::vector<AlertNotSent> notSent;
    bool ending = false;
    bool running = false;  // the thread, from its start to its end
};

AlertSender::AlertSender(AlertEdges edges) : m_shared(std::make_shared<Shared>(std::move(edges))) {}

AlertSender::~AlertSender()
{
    Finish(std::chrono::steady_clock::now() + kFinishWait);
}

void AlertSender::SetTarget(const std::optional<WebhookAddress>& address, AlertFormat format)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (!address && m_shared->address) {
        m_shared->handed.clear();
        m_shared->flood = AlertFloodControl();
        m_shared->queue = AlertQueue();
        ++m_shared->cleared;
    }
    m_shared->address = address;
    m_shared->format = format;
}

void AlertSender::SetNotSentNotice(std::function<void()> notice)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->notice = std::move(notice);
}

// The thread begins with the first alert, so that with no address there is
// none. A thread left behind by Finish stays the only one: what comes later
// is not sent.
void AlertSender::Hand(const HistoryEntry& entry)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (!m_shared->address || m_shared->ending)
        return;
    if (!m_thread.joinable()) {
        m_shared->running = true;
        m_thread = std::thread(Send, m_shared);
    }
    m_shared->handed.push_back(entry);
    m_shared->changed.notify_all();
}

std::vector<AlertNotSent> AlertSender::TakeNotSent()
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    return std::exchange(m_shared->notSent, {});
}

void AlertSender::Finish(std::chrono::steady_clock::time_point until)
{
    if (!m_thread.joinable())
        return;
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    m_shared->ending = true;
    m_shared->changed.notify_all();
    const bool ended = m_shared->changed.wait_until(lock, until, [this] { return !m_shared->running; });
    lock.unlock();
    if (!ended) {
        m_thread.detach();
        return;
    }
    m_thread.join();
    m_shared->ending = false;  // alone now: a later alert begins another thread
}

void AlertSender::Send(const std::shared_ptr<Shared>& shared)
{
    std::unique_lock<std::mutex> lock(shared->mutex);
    for (;;) {
        const std::int64_t now = shared->Now();
        shared->QueueHanded(now);
        const Alert* due = shared->address ? shared->queue.Due(now) : nullptr;
        if (due == nullptr && shared->ending)
            break;
        if (due == nullptr) {
            const auto woken = [&] { return !shared->handed.empty() || shared->ending; };
            if (const std::optional<std::int64_t> wake = shared->SecondsToWake(now))
                shared->changed.wait_for(lock, std::chrono::seconds(*wake), woken);
            else
                shared->changed.wait(lock, woken);
            continue;
        }
        const Alert alert = *due;
        const WebhookAddress address = *shared->address;
        const AlertFormat format = shared->format;
        const std::uint64_t cleared = shared->cleared;
        lock.unlock();
        const WebhookAnswer answer = PostAlert(shared->edges, address, format, alert);
        lock.lock();
        if (shared->cleared != cleared)
            continue;
        const std::int64_t answeredAt = shared->Now();
        std::optional<AlertNotSent> notSent = answer.answered
                                                  ? shared->queue.Answered(answeredAt, answer.status, answer.retryAfter)
                                                  : shared->queue.NotAnswered(answeredAt, answer.failure);
        if (notSent) {
            shared->notSent.push_back(std::move(*notSent));
            if (shared->notice)
                shared->notice();
        }
    }
    shared->running = false;
    shared->changed.notify_all();
}
