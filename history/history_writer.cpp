#include "history/history_writer.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <utility>

namespace {

std::string LeftOutReason(std::size_t leftOut)
{
    const bool one = leftOut == 1;
    return "Writing to it has stalled: " + std::to_string(leftOut) + (one ? " event" : " events") +
           " found no room behind the " + std::to_string(HistoryWriter::kQueuedLines) + " waiting, and " +
           (one ? "was" : "were") + " left out of it";
}

}  // namespace

// Everything here is guarded by the mutex; the thread holds it only between
// two lines, never while it appends one.
struct HistoryWriter::Shared {
    explicit Shared(AppendLogLine appendLine) : append(std::move(appendLine)) {}

    // True when the operator is to be told of this failure.
    bool Tell(LogFailure found)
    {
        if (told && found.logPath == failure.logPath)
            return false;
        told = true;
        failure = std::move(found);
        failureLeftOut = false;
        pending = true;
        return true;
    }
    void Notice() const
    {
        if (notice)
            notice();
    }

    const AppendLogLine append;
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> notice;
    std::deque<std::pair<std::string, std::string>> queue;  // the log's path, the line
    bool writing = false;
    bool ending = false;

    bool told = false;  // of `failure`, since the last line written
    LogFailure failure;
    bool failureLeftOut = false;  // its reason is the lines left out
    bool pending = false;         // not yet taken
    std::size_t leftOut = 0;      // since the last failure taken
};

HistoryWriter::HistoryWriter(AppendLogLine append) : m_shared(std::make_shared<Shared>(std::move(append))) {}

HistoryWriter::~HistoryWriter()
{
    Finish(kFinishWait);
}

void HistoryWriter::SetFailureNotice(std::function<void()> notice)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->notice = std::move(notice);
}

// The thread begins with the first line, so that a history that never
// writes never has one.
bool HistoryWriter::Queue(const std::string& path, const std::string& line)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (m_shared->ending || m_shared->queue.size() >= kQueuedLines) {
        ++m_shared->leftOut;
        if (m_shared->Tell(LogFailure{path, std::string(), true})) {
            m_shared->failureLeftOut = true;
            m_shared->Notice();
        }
        return false;
    }
    if (!m_thread.joinable())
        m_thread = std::thread(WriteQueued, m_shared);
    m_shared->queue.emplace_back(path, line);
    m_shared->changed.notify_all();
    return true;
}

// A thread left with a stuck write holds the shared part, which outlives the
// writer for it, and stays the only one to write: a line queued later is
// left out.
bool HistoryWriter::Finish(std::chrono::milliseconds bound)
{
    if (!m_thread.joinable())
        return true;
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    m_shared->ending = true;
    m_shared->changed.notify_all();
    const bool written =
        m_shared->changed.wait_for(lock, bound, [this] { return m_shared->queue.empty() && !m_shared->writing; });
    lock.unlock();
    if (!written) {
        m_thread.detach();
        return false;
    }
    m_thread.join();
    m_shared->ending = false;  // alone now: a later line begins another thread
    return true;
}

void HistoryWriter::Report(const LogFailure& failure)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (m_shared->Tell(failure))
        m_shared->Notice();
}

bool HistoryWriter::TakeFailure(LogFailure& failure)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (!m_shared->pending)
        return false;
    failure = m_shared->failure;
    if (m_shared->failureLeftOut)
        failure.reason = LeftOutReason(m_shared->leftOut);
    m_shared->leftOut = 0;
    m_shared->pending = false;
    return true;
}

// What the append throws counts as a line not written, told with what it
// says.
void HistoryWriter::WriteQueued(const std::shared_ptr<Shared>& shared)
{
    std::unique_lock<std::mutex> lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return !shared->queue.empty() || shared->ending; });
        if (shared->queue.empty())
            return;
        std::pair<std::string, std::string> next = std::move(shared->queue.front());
        shared->queue.pop_front();
        shared->writing = true;
        lock.unlock();
        std::string why;
        bool written = false;
        try {
            written = shared->append(next.first, next.second, why);
        } catch (const std::exception& failure) {
            why = failure.what();
        }
        lock.lock();
        shared->writing = false;
        if (written) {
            shared->told = false;
        } else if (shared->Tell(LogFailure{std::move(next.first), std::move(why), true})) {
            shared->Notice();
        }
        shared->changed.notify_all();
    }
}
