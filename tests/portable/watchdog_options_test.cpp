#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sets/server_set_format.h"
#include "watchdog/watchdog_options.h"

namespace {

const WatchdogSettings kBothOn = {true, {true, 4, 30}};

// The options as a set's text brings them, taken over both on; the
// settings each notice carried.
struct Taken {
    WatchdogSettings settings;
    std::vector<std::string> ignored;
    std::vector<WatchdogSettings> notices;
};

Taken TakeFrom(const std::string& setText)
{
    Taken taken;
    WatchdogOptions options([&](const WatchdogSettings& settings) { taken.notices.push_back(settings); });
    options.Change(kBothOn);
    taken.notices.clear();
    options.TakeSections(ReadServerSetText(setText).sections, taken.ignored);
    taken.settings = options.Settings();
    return taken;
}

std::string SetText(const WatchdogOptions& options)
{
    std::string text;
    EXPECT_TRUE(ServerSetText(ServerManager(), options.Sections(), text));
    return text;
}

}  // namespace

TEST(WatchdogOptions, SetSectionTurnsEachOptionOnOrOffAndListsWhatItCannotTake)
{
    const WatchdogSettings off;
    const struct {
        const char* text;
        WatchdogSettings expected;
        std::vector<std::string> ignored;
    } cases[] = {
        {"[Watchdog]\nbackOff=1\ndailyRestart=04:30\n", kBothOn, {}},
        {"[watchdog]\nBACKOFF = 1\ndailyrestart = \"23:59\"\n", {true, {true, 23, 59}}, {}},
        {"[Watchdog]\nbackOff=0\ndailyRestart=\n", off, {}},
        {"[Watchdog]\n", off, {}},
        {"[Slot 1]\nname=a\n", off, {}},
        {"[Watchdog]\nbackOff=yes\ndailyRestart=24:00\n", off,
         {"[Watchdog] backOff = yes: not 0 or 1",
          "[Watchdog] dailyRestart = 24:00: not empty nor a time of day from 00:00 to 23:59"}},
        {"[WATCHDOG]\nbackOff=\ndailyRestart=4:30\n", off,
         {"[WATCHDOG] backOff = : not 0 or 1",
          "[WATCHDOG] dailyRestart = 4:30: not empty nor a time of day from 00:00 to 23:59"}},
        {"[Watchdog]\nbackOff=1\ndailyRestart=12:60\n", {true, {}},
         {"[Watchdog] dailyRestart = 12:60: not empty nor a time of day from 00:00 to 23:59"}},
    };
    for (const auto& c : cases) {
        const Taken taken = TakeFrom(c.text);
        EXPECT_EQ(taken.settings, c.expected) << c.text;
        EXPECT_EQ(taken.ignored, c.ignored) << c.text;
        // The pass hears of a change, and of nothing else.
        EXPECT_EQ(taken.notices, c.expected == kBothOn ? std::vector<WatchdogSettings>()
                                                       : std::vector<WatchdogSettings>{c.expected})
            << c.text;
    }
}

// Off, the options add nothing to the set: the operator who uses none
// keeps the set he had. On, they come back as they were written.
TEST(WatchdogOptions, SetKeepsOnlyOptionsThatAreOn)
{
    WatchdogOptions options(nullptr);
    EXPECT_EQ(SetText(options), "; A server set: one section per occupied slot, one key per setting\r\n");
    options.Change({false, {false, 5, 15}});
    EXPECT_TRUE(options.Sections().empty());

    const WatchdogSettings onSettings[] = {kBothOn, {true, {}}, {false, {true, 0, 5}}};
    for (const WatchdogSettings& settings : onSettings) {
        options.Change(settings);
        const std::string text = SetText(options);
        EXPECT_NE(text.find("\r\n[Watchdog]\r\nbackOff="), std::string::npos) << text;
        const Taken taken = TakeFrom(text);
        EXPECT_EQ(taken.settings, settings) << text;
        EXPECT_TRUE(taken.ignored.empty()) << text;
    }
}
