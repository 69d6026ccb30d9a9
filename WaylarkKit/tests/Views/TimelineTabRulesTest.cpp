#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Views/TimelineRails.h"
#include "WaylarkKit/Views/TimelineTabLook.h"
#include "WaylarkKit/tests/Views/TimelineTesting.h"

namespace WaylarkKit {
namespace {

using namespace TimelineTesting;
using namespace TimelineTabLook;
using TradingCore::IntervalColor;

// Rows as "id:row" in the order given back; each band keeps its position in the input.
std::vector<std::string> rails(const std::vector<TimelineBand>& bands) {
    std::vector<std::string> placed;
    for (const auto& item : TimelineRails::railRows(bands)) {
        EXPECT_EQ(item.band, bands[item.index]);
        placed.push_back(item.band.id + ":" + std::to_string(item.row));
    }
    return placed;
}

TEST(TimelineTabRulesTest, RailRowsTable) {
    const auto b = [](const char* id, int h1, int m1, int h2, int m2) {
        return band(id, id, ny(3, 10, h1, m1), ny(3, 10, h2, m2));
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(rails({}), V{});
    EXPECT_EQ(rails({b("a", 10, 0, 11, 0), b("b", 11, 0, 12, 0)}), (V{"a:0", "b:0"}));  // touching bands share a row
    // A third overlap goes over row 1, whose end stays 13:00, so row 0 takes the fourth.
    EXPECT_EQ(rails({b("a", 10, 0, 12, 0), b("b", 11, 0, 13, 0), b("c", 11, 30, 12, 30), b("d", 12, 15, 12, 45)}),
              (V{"a:0", "b:1", "c:1", "d:0"}));
    EXPECT_EQ(rails({b("late", 12, 0, 13, 0), b("early", 9, 0, 10, 0), b("tie1", 9, 0, 9, 30), b("tie2", 9, 0, 9, 15)}),
              (V{"early:0", "tie1:1", "tie2:1", "late:0"}));  // sorted by start, ties in input order
}

TEST(TimelineTabRulesTest, SpanLabelsToneColoursAndMarkerLabels) {
    const std::pair<int, const char*> spans[] = {{30, "30m"}, {60, "1h"}, {90, "90m"}, {120, "2h"}, {45, "45m"}, {0, "0h"}};
    for (const auto& [minutes, text] : spans) EXPECT_EQ(spanLabel(minutes), text);

    using Tone = SelectionEdges::Tone;
    using K = Tone::Kind;
    const std::pair<Tone, Rgba> tones[] = {
        {Tone::custom(IntervalColor::cyan), rgb(0x40D9FF)},   {Tone::custom(IntervalColor::blue), rgb(0x6194FF)},
        {Tone::custom(IntervalColor::pink), rgb(0xFF73BF)},   {Tone::custom(IntervalColor::yellow), rgb(0xFFDB4D)},
        {Tone::custom(IntervalColor::teal), rgb(0x4DE0BF)},   {Tone::custom(IntervalColor::white), Palette::white},
        {Tone::of(K::window), rgb(0x40EB73)},                 {Tone::of(K::macro), Palette::orange},
        {Tone::of(K::restricted), Palette::red},              {Tone::of(K::restrictedMedium), Palette::orange},
        {Tone::of(K::outside), Palette::white.withOpacity(0.7)}, {Tone::of(K::marker), Palette::white.withOpacity(0.9)},
    };
    for (const auto& [tone, colour] : tones) EXPECT_EQ(toneColor(tone), colour) << static_cast<int>(tone.kind);
    EXPECT_EQ(Hatch::outline(false), (Hatch::Outline{Palette::orange, 1}));
    EXPECT_EQ(Hatch::outline(true), (Hatch::Outline{Palette::white, 1.5}));

    EXPECT_EQ(markerLabel("12345678"), "12345678");
    EXPECT_EQ(markerLabel("123456789"), "1234567\u2026");
    EXPECT_EQ(markerLabel("ÉÉÉÉÉÉ👍🏽👍🏽"), "ÉÉÉÉÉÉ👍🏽👍🏽");  // characters, not bytes
    EXPECT_EQ(markerLabel("ÉÉÉÉÉÉÉ👍🏽👍🏽"), "ÉÉÉÉÉÉÉ\u2026");
}

}  // namespace
}  // namespace WaylarkKit
