#include "WaylarkKit/L2/PanelFooter.h"

#include <gtest/gtest.h>

#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit {
namespace {

using CalendarKit::CalendarServiceStatus;
using TradingCore::DataConfidence;
using Testing::newYork;

PanelFooter::StatusInputs inputs(DataConfidence confidence, CalendarServiceStatus status,
                                 std::optional<double> secondsSinceRead) {
    PanelFooter::StatusInputs in;
    in.confidence = confidence;
    in.status = status;
    in.now = newYork(3, 10, 10, 20);
    if (secondsSinceRead) in.lastSuccess = in.now - *secondsSinceRead;
    return in;
}

TEST(PanelFooterTest, StatusLine) {
    const Base::TimeZone utc = Base::TimeZone::utc();
    auto nfp = Testing::release("nfp", newYork(3, 13, 8, 30));
    nfp.title = "Non-Farm Employment Change";
    auto odd = Testing::release("odd", newYork(3, 11, 14, 0));
    odd.title = "Something Unheard Of";

    auto syncing = inputs(DataConfidence::live, CalendarServiceStatus::syncing(), 340);
    syncing.nextRestricted = nfp;
    auto paused = inputs(DataConfidence::degraded, CalendarServiceStatus::rateLimited(newYork(3, 10, 10, 45)), 3600);
    paused.nextRestricted = odd;
    auto demo = syncing;
    demo.demo = true;

    const struct {
        PanelFooter::StatusInputs in;
        const char* line;
    } rows[] = {
        {syncing, "Data live · reading… · read 5 min ago · next red USD: Fri 13 Mar 08:30 NFP"},
        {inputs(DataConfidence::degraded, CalendarServiceStatus::idle(), std::nullopt),
         "Data degraded · never read · no red USD ahead"},
        {inputs(DataConfidence::unknown, CalendarServiceStatus::failed("HTTP 503"), 3599),
         "Data unknown · last read failed · read 59 min ago · no red USD ahead"},
        // The pause is written in the machine's own zone.
        {paused, "Data degraded · server pause until 14:45 · read 1 h ago · next red USD: Wed 11 Mar 14:00 "
                 "Something Unheard Of"},
        {inputs(DataConfidence::live, CalendarServiceStatus::ok(), 119 * 60), "Data live · read 1 h ago · no red USD ahead"},
        {inputs(DataConfidence::live, CalendarServiceStatus::ok(), 120 * 60), "Data live · read 2 h ago · no red USD ahead"},
        // A last read stamped ahead of the clock reads as just now, not "-3 min".
        {inputs(DataConfidence::live, CalendarServiceStatus::ok(), -180), "Data live · read 0 min ago · no red USD ahead"},
        {demo, "Demo · scenariu de test, nu date reale"},
    };
    for (const auto& row : rows) EXPECT_EQ(PanelFooter::statusLine(row.in, utc), row.line);
}

TEST(PanelFooterTest, Buttons) {
    const auto titles = [](bool demo, std::optional<DataConfidence> simulated) {
        std::vector<std::string> result;
        for (const auto& button : PanelFooter::buttons(demo, simulated)) result.push_back(button.title);
        return result;
    };
    EXPECT_EQ(titles(false, std::nullopt),
              (std::vector<std::string>{"Mod: Live", "Reîmprospătează", "Date: reale", "Greeting ✎", "Quit"}));
    EXPECT_EQ(titles(true, DataConfidence::degraded),
              (std::vector<std::string>{"Mod: Demo", "Repornește demo", "Date: cam vechi (simulat)", "Greeting ✎",
                                        "Quit"}));
    EXPECT_EQ(titles(true, DataConfidence::unknown)[2], "Date: lipsă (simulat)");
    EXPECT_EQ(titles(true, DataConfidence::live)[2], "Date: la zi");
}

}  // namespace
}  // namespace WaylarkKit
