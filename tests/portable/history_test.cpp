#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "history/history_event.h"
#include "history/history_files.h"
#include "history/history_store.h"
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
        {StartedDetails(StartCause::Operator, 0, 42), "by the operator, process 42"},
        {StartedDetails(StartCause::Watchdog, 3, 42),
         "by the watchdog, relaunch 3 since the operator's last start, process 42"},
        {StartedDetails(StartCause::Set, 0, 42), "from the set, process 42"},
        {AdoptedDetails(42, 61), "process 42, running for 0:01:01"},
        {LeftRunningDetails(42), "process 42"},
        {SetOpenedDetails("C:\\s.ini", 3, 1, 2), "C:\\s.ini: 3 servers, 1 adopted, 2 started"},
        {SetNotSavedDetails("C:\\s.ini", "The file is read-only"), "C:\\s.ini: The file is read-only"},
        {EventWord(HistoryEvent::StartFailed), "start failed"},
        {EventWord(HistoryEvent::LeftRunning), "left running"},
        {EventWord(HistoryEvent::SetNotSaved), "set not saved"},
        {LogPathOfSet("/a.b/servers.ini"), "/a.b/servers.log"},
        {LogPathOfSet("/a.b/servers"), "/a.b/servers.log"},
        {LogPathOfSet("/a/.ini"), "/a/.ini.log"},
        {TimeText(LocalTimeOf({1767357245, -570})), "2026-01-02T03:04:05-09:30"},
        {HistoryLine({kTime, "a\tb", "exited", "x\r\ny"}), kTime + "\ta b\texited\tx  y\r\n"},  // blanks for breaks
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
