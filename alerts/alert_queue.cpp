#include "alerts/alert_queue.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kTooManyRequests = 429;
static_assert(AlertQueue::kLimit > 1, "an alert is left to carry the count of those dropped");

}  // namespace

void AlertQueue::Push(Alert alert)
{
    if (m_waiting.size() == kLimit) {
        const int dropped = 1 + m_waiting.front().alert.dropped;
        m_waiting.pop_front();
        m_waiting.front().alert.dropped += dropped;
    }
    m_waiting.push_back(Waiting{std::move(alert)});
}

const Alert* AlertQueue::Due(std::int64_t now) const
{
    return m_waiting.empty() || now < m_notBefore ? nullptr : &m_waiting.front().alert;
}

std::optional<std::int64_t> AlertQueue::SecondsToDue(std::int64_t now) const
{
    if (m_waiting.empty())
        return std::nullopt;
    return std::max<std::int64_t>(0, m_notBefore - now);
}

std::optional<AlertNotSent> AlertQueue::Answered(std::int64_t now, int status, std::string_view retryAfter)
{
    if (m_waiting.empty())
        return std::nullopt;
    if (status == kTooManyRequests) {
        m_notBefore = now + RetryAfterSeconds(retryAfter);
        return std::nullopt;
    }
    if (!IsDeliveredStatus(status))
        return NotDelivered(now, "HTTP " + std::to_string(status));
    m_waiting.pop_front();
    m_failureTold = false;
    return std::nullopt;
}

std::optional<AlertNotSent> AlertQueue::NotAnswered(std::int64_t now, const std::string& reason)
{
    return m_waiting.empty() ? std::nullopt : NotDelivered(now, reason);
}

std::optional<AlertNotSent> AlertQueue::NotDelivered(std::int64_t now, const std::string& reason)
{
    Waiting& first = m_waiting.front();
    if (!first.triedOnce) {
        first.triedOnce = true;
        m_notBefore = now + kRetrySeconds;
        return std::nullopt;
    }
    AlertNotSent notSent{first.alert.entry.server, reason};
    m_waiting.pop_front();
    if (m_failureTold)
        return std::nullopt;
    m_failureTold = true;
    return notSent;
}

std::int64_t RetryAfterSeconds(std::string_view text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return AlertQueue::kRetrySeconds;
    std::int64_t seconds = 0;
    for (char digit : text)
        seconds = std::min(seconds * 10 + (digit - '0'), AlertQueue::kLongestWait);
    return seconds;
}
