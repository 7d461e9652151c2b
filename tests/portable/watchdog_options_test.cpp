#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sets/server_set_format.h"
#include "watchdog/watchdog_options.h"

namespace {
const WatchdogSettings kBothOn = {true, {true, 4, 30}};
const std::string kNoTime = ": not empty nor a time of day from 00:00 to 23:59";
}  // namespace

// Each case starts from both on: what a set's section turns on or off,
// what it lists as not taken, and the set written again, which holds no
// section while both are off.
TEST(WatchdogOptions, SetSectionTurnsEachOnOrOffListsWhatItCannotTakeAndIsWrittenBack)
{
    const struct {
        const char* text;
        WatchdogSettings expected;
        std::vector<std::string> ignored;
    } cases[] = {
        {"[Watchdog]\nbackOff=1\ndailyRestart=04:30\n", kBothOn, {}},
        {"[watchdog]\nBACKOFF = 0\ndailyrestart = \"23:59\"\n", {false, {true, 23, 59}}, {}},
        {"[Watchdog]\nbackOff=1\ndailyRestart=\n", {true, {}}, {}},
        {"[Slot 1]\nname=a\n", {}, {}},
        {"[WATCHDOG]\nbackOff=yes\ndailyRestart=4:30\n", {},
         {"[WATCHDOG] backOff = yes: not 0 or 1", "[WATCHDOG] dailyRestart = 4:30" + kNoTime}},
        {"[Watchdog]\nbackOff=\ndailyRestart=24:00\n", {},
         {"[Watchdog] backOff = : not 0 or 1", "[Watchdog] dailyRestart = 24:00" + kNoTime}},
    };
    for (const auto& c : cases) {
        std::vector<WatchdogSettings> notices;
        WatchdogOptions options([&](const WatchdogSettings& settings) { notices.push_back(settings); });
        options.Change(kBothOn);
        std::vector<std::string> ignored;
        options.TakeSections(ReadServerSetText(c.text).sections, ignored);
        EXPECT_EQ(options.Settings(), c.expected) << c.text;
        EXPECT_EQ(ignored, c.ignored) << c.text;
        EXPECT_EQ(notices.size(), c.expected == kBothOn ? 1u : 2u) << c.text;

        std::string text;
        ASSERT_TRUE(ServerSetText(ServerManager(), options.Sections(), text));
        EXPECT_EQ(text.find("[Watchdog]") == std::string::npos, c.expected == WatchdogSettings()) << text;
        WatchdogOptions again(nullptr);
        std::vector<std::string> none;
        again.TakeSections(ReadServerSetText(text).sections, none);
        EXPECT_TRUE(again.Settings() == c.expected && none.empty()) << text;
    }
}
