#include <gtest/gtest.h>

#include "WaylarkKit/App/DisplayPlan.h"

using namespace WaylarkKit;

namespace {

const DisplayInfo B{"B", "Built-in Retina Display", true};
const DisplayInfo E1{"E1", "DELL U2720Q", false};
const DisplayInfo E2{"E2", "LG HDR 4K", false};
// Two identical monitors, told apart by their connectors, once known as "D".
const DisplayInfo D1{"D1", "DELL P2419H", false, "D"};
const DisplayInfo D2{"D2", "DELL P2419H", false, "D"};

std::vector<std::string> ids(const std::vector<DisplayInfo>& displays) {
    std::vector<std::string> out;
    for (const auto& d : displays) out.push_back(d.id);
    return out;
}

}  // namespace

TEST(DisplayPlanTest, Shown) {
    const struct {
        std::vector<DisplayInfo> connected;
        DisplayChoices choices;
        std::vector<std::string> shown;
    } cases[] = {
        {{B, E1}, {}, {"B"}},
        {{E1, E2}, {}, {"E1"}},
        {{B, E1}, {{"B", false}, {"E1", true}}, {"E1"}},
        {{B, E1}, {{"B", false}, {"E1", false}}, {"B"}},
        {{E1, B, E2}, {{"E2", true}}, {"B", "E2"}},
        {{}, {{"E1", true}}, {}},
        // A choice stored under the identifier identical monitors share counts for each until it has its own.
        {{B, D1, D2}, {{"D", true}}, {"B", "D1", "D2"}},
        {{B, D1, D2}, {{"D", true}, {"D2", false}}, {"B", "D1"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ids(DisplayPlan::shown(c.connected, c.choices)), c.shown);
}

TEST(DisplayPlanTest, NextToAsk) {
    EXPECT_EQ(DisplayPlan::nextToAsk({E1}, {}, {}), std::nullopt);
    EXPECT_EQ(DisplayPlan::nextToAsk({B}, {}, {}), std::nullopt);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1}, {}, {}), E1);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1, E2}, {}, {}), E1);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1, E2}, {}, {"E1"}), E2);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1, E2}, {{"E1", false}}, {}), E2);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1, E2}, {{"E1", false}}, {"E2"}), std::nullopt);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, D1, D2}, {{"D", false}}, {}), std::nullopt);
    // Without a built-in display the first one has the island already: the question is about the other.
    EXPECT_EQ(DisplayPlan::nextToAsk({E1, E2}, {}, {}), E2);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1}, {{"B", false}, {"E1", false}}, {}), std::nullopt);
}

TEST(DisplayPlanTest, AnswersBecomeEntries) {
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::alsoHere, E1, {B, E1}, {}), (DisplayChoices{{"E1", true}}));
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::notHere, E1, {B, E1}, {}), (DisplayChoices{{"E1", false}}));
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::onlyHere, E1, {B, E1, E2}, {}),
              (DisplayChoices{{"B", false}, {"E1", true}, {"E2", false}}));
    // Refusing the first of two external displays ("Only LG") shows the other one.
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::notHere, E1, {E1, E2}, {}),
              (DisplayChoices{{"E1", false}, {"E2", true}}));
    // An island shown only because nothing was chosen stays, unless the answer is "only here".
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::alsoHere, E2, {E1, E2}, {}),
              (DisplayChoices{{"E1", true}, {"E2", true}}));
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::onlyHere, E2, {E1, E2}, {}),
              (DisplayChoices{{"E1", false}, {"E2", true}}));

    // A stored choice of another display stays: the built-in display turned off has the island only as
    // the last resort, so "Not on E1" moves it to E2, which has no choice yet, and "Also on E1" to E1.
    const DisplayChoices builtInOff{{"B", false}};
    const auto after = [](const DisplayChoices& current, const DisplayChoices& entries) {
        DisplayChoices merged = current;
        for (const auto& [id, show] : entries) merged[id] = show;
        return ids(DisplayPlan::shown({B, E1, E2}, merged));
    };
    const DisplayChoices notOnE1 = DisplayPlan::choices(DisplayAnswer::notHere, E1, {B, E1, E2}, builtInOff);
    EXPECT_EQ(notOnE1, (DisplayChoices{{"E1", false}, {"E2", true}}));
    EXPECT_EQ(after(builtInOff, notOnE1), std::vector<std::string>{"E2"});
    const DisplayChoices alsoOnE1 = DisplayPlan::choices(DisplayAnswer::alsoHere, E1, {B, E1, E2}, builtInOff);
    EXPECT_EQ(alsoOnE1, (DisplayChoices{{"E1", true}}));
    EXPECT_EQ(after(builtInOff, alsoOnE1), std::vector<std::string>{"E1"});
    // When every other display has its choice, none is overwritten; the fallback still keeps one island.
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::notHere, E1, {B, E1, E2}, {{"B", false}, {"E2", false}}),
              (DisplayChoices{{"E1", false}}));
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::notHere, E2, {B, D1, E2}, {{"B", false}, {"D", false}}),
              (DisplayChoices{{"E2", false}}));
    // With two displays the buttons name both ("Only Built-in display", "Both displays").
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::notHere, E1, {B, E1}, builtInOff),
              (DisplayChoices{{"B", true}, {"E1", false}}));
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::alsoHere, E1, {B, E1}, builtInOff),
              (DisplayChoices{{"B", true}, {"E1", true}}));
}

TEST(DisplayPlanTest, ButtonTitles) {
    EXPECT_EQ(DisplayPlan::buttonTitles(E1, {B, E1}),
              (DisplayPlan::ButtonTitles{"Both displays", "Only DELL U2720Q", "Only Built-in display"}));
    EXPECT_EQ(DisplayPlan::buttonTitles(E2, {E2, E1}),
              (DisplayPlan::ButtonTitles{"Both displays", "Only LG HDR 4K", "Only DELL U2720Q"}));
    EXPECT_EQ(DisplayPlan::buttonTitles(E1, {B, E1, E2}),
              (DisplayPlan::ButtonTitles{"Also on DELL U2720Q", "Only on DELL U2720Q", "Not on DELL U2720Q"}));
}
