#include <gtest/gtest.h>

#include "WaylarkKit/App/DisplayPlan.h"

using namespace WaylarkKit;

namespace {

const DisplayInfo B{"B", "Built-in Retina Display", true};
const DisplayInfo E1{"E1", "DELL U2720Q", false};
const DisplayInfo E2{"E2", "LG HDR 4K", false};

std::vector<std::string> ids(const std::vector<DisplayInfo>& displays) {
    std::vector<std::string> out;
    for (const auto& d : displays) out.push_back(d.id);
    return out;
}

DisplayChoices merged(DisplayChoices current, const DisplayChoices& entries) {
    for (const auto& [id, show] : entries) current[id] = show;
    return current;
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
    };
    for (const auto& c : cases) EXPECT_EQ(ids(DisplayPlan::shown(c.connected, c.choices)), c.shown);
}

TEST(DisplayPlanTest, NextToAsk) {
    EXPECT_EQ(DisplayPlan::nextToAsk({E1}, {}, {}), std::nullopt);
    EXPECT_EQ(DisplayPlan::nextToAsk({B}, {}, {}), std::nullopt);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1, E2}, {}, {}), E1);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1, E2}, {}, {"E1"}), E2);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1, E2}, {{"E1", false}}, {}), E2);
    EXPECT_EQ(DisplayPlan::nextToAsk({B, E1, E2}, {{"E1", false}}, {"E2"}), std::nullopt);
}

TEST(DisplayPlanTest, AnswersBecomeEntries) {
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::alsoHere, E1, {B, E1}, {}), (DisplayChoices{{"E1", true}}));
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::notHere, E1, {B, E1}, {}), (DisplayChoices{{"E1", false}}));
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::onlyHere, E1, {B, E1, E2}, {}),
              (DisplayChoices{{"B", false}, {"E1", true}, {"E2", false}}));
    // Refusing the first of two external displays ("Only LG") shows the other one.
    EXPECT_EQ(DisplayPlan::choices(DisplayAnswer::notHere, E1, {E1, E2}, {}),
              (DisplayChoices{{"E1", false}, {"E2", true}}));
}

TEST(DisplayPlanTest, EveryAnswerIsHonouredAndLeavesAnIsland) {
    const std::vector<std::vector<DisplayInfo>> setups{{B, E1}, {E1, E2}, {B, E1, E2}, {E2, E1, B}};
    const std::vector<DisplayChoices> stored{{}, {{"B", false}}, {{"E2", false}}, {{"B", false}, {"E2", false}}};
    for (const auto& connected : setups) {
        for (const auto& current : stored) {
            for (const auto answer : {DisplayAnswer::alsoHere, DisplayAnswer::onlyHere, DisplayAnswer::notHere}) {
                const auto asked = *DisplayPlan::nextToAsk(connected, {}, {});
                const auto shown = ids(DisplayPlan::shown(
                    connected, merged(current, DisplayPlan::choices(answer, asked, connected, current))));
                const bool onAsked = std::find(shown.begin(), shown.end(), asked.id) != shown.end();
                SCOPED_TRACE(testing::PrintToString(ids(connected)) + " " + std::to_string(static_cast<int>(answer)));
                ASSERT_FALSE(shown.empty());
                EXPECT_EQ(onAsked, answer != DisplayAnswer::notHere);
                if (answer == DisplayAnswer::onlyHere) {
                    EXPECT_EQ(shown.size(), 1u);
                }
            }
        }
    }
}

TEST(DisplayPlanTest, ButtonTitles) {
    EXPECT_EQ(DisplayPlan::buttonTitles(E1, {B, E1}),
              (DisplayPlan::ButtonTitles{"Both displays", "Only DELL U2720Q", "Only MacBook"}));
    EXPECT_EQ(DisplayPlan::buttonTitles(E2, {E2, E1}),
              (DisplayPlan::ButtonTitles{"Both displays", "Only LG HDR 4K", "Only DELL U2720Q"}));
    EXPECT_EQ(DisplayPlan::buttonTitles(E1, {B, E1, E2}),
              (DisplayPlan::ButtonTitles{"Also on DELL U2720Q", "Only on DELL U2720Q", "Not on DELL U2720Q"}));
}
