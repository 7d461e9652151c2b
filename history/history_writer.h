// The history's file work, off the caller's thread: lines are queued for
// their logs and appended in order by a thread of the writer's own, so that
// a slow or stalled disk never holds up process control. The appending
// itself is handed in; the writer needs no operating system.
//
// When writing stalls for long, the queue fills up: a line that finds no
// room is left out of its log (the history still lists its event) and
// counted, and the operator is told once, as of a line not written.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// Appends the line to the log at path; false, with why as a sentence without
// its full stop, when the line was not written.
using AppendLogLine = std::function<bool(const std::string& path, const std::string& line, std::string& failure)>;

// What the operator is told: which log, and why. `eventListed` is false
// when the event could not even be recorded in the history.
struct LogFailure {
    std::string logPath;
    std::string reason;
    bool eventListed = true;
};

class HistoryWriter {
public:
    // Lines waiting beyond these many are left out.
    static constexpr std::size_t kQueuedLines = 1000;
    // How long the tool's end waits for a log that has stalled.
    static constexpr std::chrono::milliseconds kFinishWait{5000};

    // `append` outlives the writer: a thread stuck in it may be left behind.
    explicit HistoryWriter(AppendLogLine append);
    // Finishes, waiting at most kFinishWait.
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    // Called, on whichever thread found it and under the writer's lock, when
    // there is a failure to take: it should only wake the thread that takes
    // it.
    void SetFailureNotice(std::function<void()> notice);
    // Never waits for the disk. False when the line found no room.
    bool Queue(const std::string& path, const std::string& line);
    // Waits until the queued lines are written, at most `bound`, and ends
    // the thread. False when lines are left: a write that is stuck keeps
    // them, its thread writes them once it can, and lines queued from then
    // on are left out.
    bool Finish(std::chrono::milliseconds bound);

    // A failure is told once, and again only after a line was written, or
    // when it is another log's.
    void Report(const LogFailure& failure);
    // True, with what to tell, when there is a failure not yet taken.
    bool TakeFailure(LogFailure& failure);

private:
    struct Shared;
    static void WriteQueued(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
