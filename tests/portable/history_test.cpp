#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "history/history_event.h"
#include "history/history_files.h"
#include "history/history_store.h"
#include "history/history_writer.h"
#include "servers/wall_clock.h"

const std::string kTime = "2026-12-08T03:12:44+01:00";

TEST(HistoryTexts, SayWhatHappened)
{
    const ProcessEnd crashed{true, 0xC0000005u, 15151};
    const std::string crashText = "code 3221225477 (0xC0000005, access violation) after 4:12:31";
    const std::pair<std::string, std::string> cases[] = {
        {ExitCodeText(0xBFFFFFFFu), "code 3221225471"},
        {ExitCodeText(0xC0000001u), "code 3221225473 (0xC0000001)"},
        {ExitCodeText(0xC00000FDu), "code 3221225725 (0xC00000FD, stack overflow)"},
        {ExitCodeText(0xC0000374u), "code 3221226356 (0xC0000374, heap corruption)"},
        {ExitCodeText(0xC0000409u), "code 3221226505 (0xC0000409, buffer overrun)"},
        {ExitCodeText(0xC000013Au), "code 3221225786 (0xC000013A, ended by Ctrl+C)"},
        {RunTimeText(-5), "0:00:00"},
        {RunTimeText(360059), "100:00:59"},
        {EndDetails(crashed), crashText},
        {StoppedDetails(crashed), crashText},
        {StoppedDetails(ProcessEnd{}), "asked to close, still running after 1 s"},
        {StartedDetails(StartCause::Operator, 0, 0, 42), "by the operator, process 42"},
        {StartedDetails(StartCause::Watchdog, 3, 0, 42),
         "by the watchdog, relaunch 3 since the operator's last start, process 42"},
        {StartedDetails(StartCause::Set, 0, 0, 42), "from the set, process 42"},
        {AdoptedDetails(42, 61), "process 42, running for 0:01:01"},
        {LeftRunningDetails(42), "process 42"},
        {SetOpenedDetails("C:\\s.ini", 3, 1, 2), "C:\\s.ini: 3 servers, 1 adopted, 2 started"},
        {SetNotSavedDetails("C:\\s.ini", "The file is read-only"), "C:\\s.ini: The file is read-only"},
        {EventWord(HistoryEvent::StartFailed), "start failed"},
        {EventWord(HistoryEvent::LeftRunning), "left running"},
        {EventWord(HistoryEvent::SetNotSaved), "set not saved"},
        {LogPathOfSet("/a.b/servers.ini"), "/a.b/servers.log"},
        {LogPathOfSet("/a.b/servers"), "/a.b/servers.log"},
        {LogPathOfSet("/a/.ini"), "/a/.log"},
        {LogPathOfSet("/a/x.LOG"), "/a/x.LOG.log"},  // never the set itself
        {TimeText(LocalTimeOf({1767357245, -570})), "2026-01-02T03:04:05-09:30"},
        {HistoryLine({kTime, "a\tb", "exited", "x\r\ny\x1b\x7f"}), kTime + "\ta b\texited\tx  y  \r\n"},  // plain text
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, expected);
}

// Details too long are cut to fit the line's 4 KiB and read back, whatever
// the line end, the last lines kept; lines not in the form are skipped.
TEST(HistoryLine, WrittenLinesAreReadBackAndOthersSkipped)
{
    const std::string good = kTime + "\tFriday\tstopped\tcode 0 after 0:00:01";
    const std::vector<std::string> lines = {
        "garbage",
        kTime + "\tFriday\tstopped",                      // three fields
        good + "\tmore",                                  // five
        kTime + "\tFriday\tcrashed\tcode 1",              // no such event
        "2026-12-08 03:12:44+01:00\tFriday\tstopped\tx",  // no T
        "2026-12-08T03:12:44Z\tFriday\tstopped\tx",       // no offset
        good + std::string("\0", 1),                      // a NUL byte
        good + std::string(4097 - 2 - good.size(), 'x'),  // 4097 bytes with its line end
        good + "\rx",                                     // a CR inside
        good + "\x1b[2J",                                 // an escape
    };
    std::string text = HistoryLine({kTime, "s", "started", std::string(9000, 'd')});
    for (const std::string& line : lines)
        text += line + "\r\n" + good + "\n";
    std::vector<HistoryEntry> read(lines.size() + 2, {kTime, "Friday", "stopped", "code 0 after 0:00:01"});
    read.front() = {kTime, "s", "started", std::string(4096 - 38, 'd')};  // 36 bytes before, 2 after
    EXPECT_EQ(ReadHistoryText(text + good, 100), read);
    EXPECT_EQ(ReadHistoryText(text + good, read.size() - 1), std::vector<HistoryEntry>(read.begin() + 1, read.end()));
}

// The last 1,000 lines of the set's log, then the run's last 10,000 events.
TEST(HistoryStore, KeepsTheLastOfEach)
{
    HistoryStore store;
    std::vector<HistoryEntry> earlier(1500);
    earlier.back().details = "last earlier";
    store.SetEarlier(earlier);
    for (int i = 0; i < 10005; ++i)
        store.Add({"", "", "", std::to_string(i)});
    ASSERT_EQ(store.Size(), 11000u);
    EXPECT_EQ(store.At(999).details, "last earlier");
    EXPECT_EQ(store.At(1000).details, "5");
}

// The log read back at open may hold the run's own events: they are listed
// once, as the run's; other lines are kept, the same text twice included.
TEST(HistoryStore, ListsTheRunsEventsOnceWhenTheirLogIsReadBack)
{
    const HistoryEntry older{kTime, "", "set saved", "x"};
    HistoryStore store;
    store.Add({kTime, "s\x01", "started", "x"});
    store.SetEarlier({older, older, {kTime, "s ", "started", "x"}});
    EXPECT_EQ(store.Size(), 3u);
    EXPECT_EQ(store.At(1), older);
}

// A log that stalls holds up no caller: its lines wait in order, those
// beyond the queue's room are left out and told of once with their count,
// and once it takes lines again every one kept is written.
TEST(HistoryWriter, AStalledLogHoldsUpNoCallerAndLosesNoLineItKept)
{
    std::promise<void> logTakesLines;
    const std::shared_future<void> logTookLines = logTakesLines.get_future().share();
    std::atomic<bool> writing{false};
    std::vector<std::string> written;  // by the writer's thread until it has finished
    HistoryWriter writer([&](const std::string& path, const std::string& line, std::string&) {
        writing = true;
        logTookLines.wait();
        written.push_back(path + ":" + line);
        return true;
    });
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < HistoryWriter::kQueuedLines + 3; ++i) {
        if (writer.Queue("a", std::to_string(i)))
            kept.push_back("a:" + std::to_string(i));
        while (!writing)  // the first line is being written, the others wait
            std::this_thread::yield();
    }
    EXPECT_EQ(kept.size(), HistoryWriter::kQueuedLines + 1);
    LogFailure failure;
    ASSERT_TRUE(writer.TakeFailure(failure));
    EXPECT_EQ(failure.logPath + ": " + failure.reason,
              "a: Writing to it has stalled: 2 events found no room behind the 1000 waiting, and were left out of it");
    EXPECT_FALSE(writer.TakeFailure(failure));
    logTakesLines.set_value();
    EXPECT_TRUE(writer.Finish(std::chrono::seconds(30)));
    EXPECT_EQ(written, kept);
}

// A refused line is told once per log, and again after a line was written.
TEST(HistoryWriter, AFailureIsToldOnceUntilALineIsWritten)
{
    HistoryWriter writer([](const std::string&, const std::string& line, std::string& failure) {
        failure = "refused";
        return line != "!";
    });
    std::atomic<int> notices{0};
    writer.SetFailureNotice([&] { ++notices; });
    for (const char* pathAndLine : {"a!", "a!", "b!", "b.", "b!"})
        writer.Queue(std::string(1, pathAndLine[0]), pathAndLine + 1);
    EXPECT_TRUE(writer.Finish(std::chrono::seconds(30)));
    EXPECT_EQ(notices, 3);
}
