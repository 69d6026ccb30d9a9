#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Views/TimelineRails.h"
#include "WaylarkKit/Views/TimelineTabLook.h"
#include "WaylarkKit/tests/Views/TimelineTesting.h"

namespace WaylarkKit {
namespace {

using namespace TimelineTesting;
using TimelineRails::railRows;
using TradingCore::IntervalColor;

Base::Date clock(int hour, int minute) { return ny(3, 10, hour, minute); }

TEST(TimelineTabRulesTest, RailRowsTable) {
    const auto b = [](const char* id, int h1, int m1, int h2, int m2) {
        return band(id, id, clock(h1, m1), clock(h2, m2));
    };
    struct Placed {
        std::string id;
        int row;
        std::size_t index;
        bool operator==(const Placed&) const = default;
    };
    const struct {
        const char* name;
        std::vector<TimelineBand> bands;
        std::vector<Placed> rows;
    } rows[] = {
        {"no bands", {}, {}},
        {"touching bands share a row", {b("a", 10, 0, 11, 0), b("b", 11, 0, 12, 0)}, {{"a", 0, 0}, {"b", 0, 1}}},
        {"a third overlap goes over row 1, whose end stays",
         {b("a", 10, 0, 12, 0), b("b", 11, 0, 13, 0), b("c", 11, 30, 12, 30), b("d", 12, 15, 12, 45)},
         {{"a", 0, 0}, {"b", 1, 1}, {"c", 1, 2}, {"d", 0, 3}}},
        {"sorted by start, ties keep their order",
         {b("late", 12, 0, 13, 0), b("early", 9, 0, 10, 0), b("tie1", 9, 0, 9, 30), b("tie2", 9, 0, 9, 15)},
         {{"early", 0, 1}, {"tie1", 1, 2}, {"tie2", 1, 3}, {"late", 0, 0}}},
    };
    for (const auto& row : rows) {
        std::vector<Placed> placed;
        for (const auto& item : railRows(row.bands)) {
            EXPECT_EQ(item.band, row.bands[item.index]);
            placed.push_back({item.band.id, item.row, item.index});
        }
        EXPECT_EQ(placed, row.rows) << row.name;
    }
}

TEST(TimelineTabRulesTest, SpanLabels) {
    const struct {
        int minutes;
        const char* text;
    } rows[] = {{30, "30m"}, {60, "1h"}, {90, "90m"}, {120, "2h"}, {45, "45m"}, {0, "0h"}};
    for (const auto& row : rows) EXPECT_EQ(TimelineTabLook::spanLabel(row.minutes), row.text);
}

TEST(TimelineTabRulesTest, ToneColours) {
    using Tone = SelectionEdges::Tone;
    using K = Tone::Kind;
    const struct {
        Tone tone;
        Rgba colour;
    } rows[] = {
        {Tone::custom(IntervalColor::cyan), rgb(0x40D9FF)},
        {Tone::custom(IntervalColor::blue), rgb(0x6194FF)},
        {Tone::custom(IntervalColor::pink), rgb(0xFF73BF)},
        {Tone::custom(IntervalColor::yellow), rgb(0xFFDB4D)},
        {Tone::custom(IntervalColor::teal), rgb(0x4DE0BF)},
        {Tone::custom(IntervalColor::white), Palette::white},
        {Tone::of(K::window), rgb(0x40EB73)},
        {Tone::of(K::macro), Palette::orange},
        {Tone::of(K::restricted), ImpactColor::high},
        {Tone::of(K::restrictedMedium), ImpactColor::medium},
        {Tone::of(K::outside), Palette::white.withOpacity(0.7)},
        {Tone::of(K::marker), Palette::white.withOpacity(0.9)},
    };
    for (const auto& row : rows) EXPECT_EQ(TimelineTabLook::toneColor(row.tone), row.colour) << static_cast<int>(row.tone.kind);
}

TEST(TimelineTabRulesTest, HatchingAndMarkerLabels) {
    using namespace TimelineTabLook;
    EXPECT_EQ(Hatch::outline(false), (Hatch::Outline{Palette::orange, 1}));
    EXPECT_EQ(Hatch::outline(true), (Hatch::Outline{Palette::white, 1.5}));

    EXPECT_EQ(markerLabel("CPI m/m"), "CPI m/m");
    EXPECT_EQ(markerLabel("12345678"), "12345678");
    EXPECT_EQ(markerLabel("123456789"), "1234567\u2026");
    EXPECT_EQ(markerLabel("Zürich é👍🏽 holiday"), "Zürich \u2026");
    EXPECT_EQ(markerLabel("ÉÉÉÉÉÉÉ👍🏽👍🏽"), "ÉÉÉÉÉÉÉ\u2026");
}

}  // namespace
}  // namespace WaylarkKit
