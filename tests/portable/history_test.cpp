#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "history/history_event.h"
#include "history/history_files.h"
#include "history/history_store.h"

namespace {
const char kTime[] = "2026-12-08T03:12:44+01:00";
}

TEST(HistoryTexts, SayWhatHappened)
{
    const ProcessEnd crashed{true, 0xC0000005u, 15151};
    const struct {
        std::string text, expected;
    } cases[] = {
        {ExitCodeText(1), "code 1"},
        {ExitCodeText(0xBFFFFFFFu), "code 3221225471"},
        {ExitCodeText(0xC0000001u), "code 3221225473 (0xC0000001)"},
        {ExitCodeText(0xC00000FDu), "code 3221225725 (0xC00000FD, stack overflow)"},
        {ExitCodeText(0xC0000374u), "code 3221226356 (0xC0000374, heap corruption)"},
        {ExitCodeText(0xC0000409u), "code 3221226505 (0xC0000409, buffer overrun)"},
        {ExitCodeText(0xC000013Au), "code 3221225786 (0xC000013A, ended by Ctrl+C)"},
        {RunTimeText(-5), "0:00:00"},
        {RunTimeText(360059), "100:00:59"},
        {EndDetails(crashed), "code 3221225477 (0xC0000005, access violation) after 4:12:31"},
        {StoppedDetails(crashed), EndDetails(crashed)},
        {StoppedDetails(ProcessEnd{}), "asked to close, still running after 1 s"},
        {StartedDetails(StartCause::Operator, 0, 42), "by the operator, process 42"},
        {StartedDetails(StartCause::Watchdog, 3, 42),
         "by the watchdog, relaunch 3 since the operator's last start, process 42"},
        {StartedDetails(StartCause::Set, 0, 42), "from the set, process 42"},
        {AdoptedDetails(42, 61), "process 42, running for 0:01:01"},
        {LeftRunningDetails(42), "process 42"},
        {SetOpenedDetails("C:\\s.ini", 3, 1, 2), "C:\\s.ini: 3 servers, 1 adopted, 2 started"},
        {SetNotSavedDetails("C:\\s.ini", "The file is read-only"), "C:\\s.ini: The file is read-only"},
        {EventWord(HistoryEvent::StartFailed) + std::string("|") + EventWord(HistoryEvent::LeftRunning) + "|" +
             EventWord(HistoryEvent::SetNotSaved),
         "start failed|left running|set not saved"},
        {LogPathOfSet("/a.b/servers.ini") + "|" + LogPathOfSet("/a.b/servers") + "|" + LogPathOfSet("/a/.ini"),
         "/a.b/servers.log|/a.b/servers.log|/a/.ini.log"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, c.expected);
}

// Blanks for what would break the line; long details cut to fit; every
// line written is read back.
TEST(HistoryLine, WrittenLinesAreReadBack)
{
    const HistoryEntry entry{kTime, "a\tb", "exited", "x\r\ny"};
    EXPECT_EQ(HistoryLine(entry), std::string(kTime) + "\ta b\texited\tx  y\r\n");
    const HistoryEntry longOne{kTime, "s", "started", std::string(9000, 'd')};
    const std::string line = HistoryLine(longOne);
    EXPECT_EQ(line.size(), kMaxHistoryLineBytes);
    const std::vector<HistoryEntry> read = ReadHistoryText(HistoryLine(entry) + line, 10);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].server, "a b");
    EXPECT_EQ(read[1].details, std::string(kMaxHistoryLineBytes - 2 - line.find("\td") - 1, 'd'));
    EXPECT_EQ(TimeText({2026, 1, 2, 3, 4, 5, -570}), "2026-01-02T03:04:05-09:30");
}

TEST(HistoryLine, LinesNotInTheFormAreSkipped)
{
    const std::string good = std::string(kTime) + "\tFriday\tstopped\tcode 0 after 0:00:01";
    const std::string lines[] = {
        "garbage",
        std::string(kTime) + "\tFriday\tstopped",                  // three fields
        good + "\tmore",                                           // five
        std::string(kTime) + "\tFriday\tcrashed\tcode 1",          // no such event
        "2026-12-08 03:12:44+01:00\tFriday\tstopped\tx",           // no T
        "2026-12-08T03:12:44Z\tFriday\tstopped\tx",                // no offset
        good + std::string("\0", 1),                               // a NUL byte
        good + std::string(kMaxHistoryLineBytes, 'x'),             // too long
        good + "\rx",                                              // a CR inside
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n" + good + "\n";
    const std::vector<HistoryEntry> read = ReadHistoryText(text + good, 100);
    EXPECT_EQ(read.size(), std::size(lines) + 1);
    for (const HistoryEntry& entry : read)
        EXPECT_EQ(entry, (HistoryEntry{kTime, "Friday", "stopped", "code 0 after 0:00:01"}));
    EXPECT_EQ(ReadHistoryText(text, 3).size(), 3u);
}

// The run keeps its last 10,000 events after the last 1,000 lines of the
// set's log.
TEST(HistoryStore, KeepsTheLastOfEach)
{
    HistoryStore store;
    std::vector<HistoryEntry> earlier(1500);
    earlier.back().details = "last earlier";
    store.SetEarlier(earlier);
    for (int i = 0; i < 10005; ++i)
        store.Add(HistoryEntry{"", "", "", std::to_string(i)});
    ASSERT_EQ(store.Size(), 11000u);
    EXPECT_EQ(store.At(999).details, "last earlier");
    EXPECT_EQ(store.At(1000).details, "5");
    EXPECT_EQ(store.At(10999).details, "10004");
}
