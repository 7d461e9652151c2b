// The alerts waiting to be delivered, oldest first, and what each answer of
// the receiver does to them. Only the first is tried, so the order holds:
// - at most 100 wait; the oldest is dropped for a new one, and the next
//   alert says how many were dropped before it;
// - an HTTP 429 leaves it first and waits as long as its Retry-After says;
// - not delivered (no answer, a time-out, an HTTP status of 400 or more),
//   it is tried once more 30 s later, and then given up: the history is
//   told so, once, and again only after an alert has been delivered.
//
// Times are seconds of a clock that never goes back. One thread drives it;
// what it is told of answers applies to the first alert, and does nothing
// while none waits.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "alerts/alert.h"

// For the history's "alert not sent": the server the alert was about and
// why it was not sent. Never the address.
struct AlertNotSent {
    std::string server;
    std::string reason;
};

// An HTTP status that tells an alert was delivered.
constexpr bool IsDeliveredStatus(int status)
{
    return status < 400;
}

class AlertQueue {
public:
    static constexpr std::size_t kLimit = 100;
    static constexpr std::int64_t kRetrySeconds = 30;
    // Beyond this a Retry-After is not believed.
    static constexpr std::int64_t kLongestWait = 60 * 60;

    void Push(Alert alert);

    // The alert to try now, if one waits and its time has come.
    const Alert* Due(std::int64_t now) const;
    // How long until Due gives one; none while nothing waits.
    std::optional<std::int64_t> SecondsToDue(std::int64_t now) const;

    // The receiver answered with an HTTP status, and with the text of its
    // Retry-After header, empty when it gave none.
    std::optional<AlertNotSent> Answered(std::int64_t now, int status, std::string_view retryAfter);
    // No answer came: `reason` is the system's own sentence.
    std::optional<AlertNotSent> NotAnswered(std::int64_t now, const std::string& reason);

private:
    std::optional<AlertNotSent> NotDelivered(std::int64_t now, const std::string& reason);

    struct Waiting {
        Alert alert;
        bool triedOnce = false;
    };

    std::deque<Waiting> m_waiting;
    std::int64_t m_notBefore = 0;
    bool m_failureTold = false;
};

// A Retry-After of whole seconds; any other form, or none, counts as the
// retry's 30 s, and more than an hour as an hour.
std::int64_t RetryAfterSeconds(std::string_view text);
