#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "IslandKit/Geometry/IslandGeometry.h"
#include "IslandKit/Model/IslandModel.h"

using namespace IslandKit;
using Field = IslandModel::Field;

namespace {

const ScreenMetrics metrics{Rect{0, 0, 1512, 982}, Size{200, 32}, 32, std::nullopt, std::nullopt};

IslandView placeholder() {
    return [](QWidget*) -> QWidget* { return nullptr; };
}

struct IslandModelTest : testing::Test {
    IslandModelTest() {
        for (std::size_t f = 0; f < counts.size(); ++f) {
            subscriptions.push_back(model.observe(static_cast<Field>(f), [this, f] { ++counts[f]; }));
        }
    }
    int announced(Field f) const { return counts[static_cast<std::size_t>(f)]; }

    IslandModel model{metrics, IslandSlots{100, 150}, IslandStyle{}, placeholder(), placeholder(), placeholder()};
    std::array<int, 13> counts{};
    std::vector<Base::Subscription> subscriptions;
};

}  // namespace

// Value fields announce only a real change; views and callbacks every write.
TEST_F(IslandModelTest, StartsCompactAndAnnouncesChanges) {
    EXPECT_EQ(model.state(), IslandState::compact);
    ScreenMetrics other = metrics;
    other.menuBarHeight = 24;
    IslandStyle style;
    style.virtualNotchLabel = "X";
    for (bool change : {false, true}) {
        model.setMetrics(change ? other : metrics);
        model.setSlots({100, change ? 151.0 : 150.0});
        model.setStyle(change ? style : IslandStyle{});
        model.setCanvasFrame(change ? Rect{256, 562, 1000, 420} : Rect{});
        model.setState(change ? IslandState::expanded : IslandState::compact);
        for (Field f : {Field::metrics, Field::slots, Field::style, Field::canvasFrame, Field::state}) {
            EXPECT_EQ(announced(f), change ? 1 : 0);
        }
    }
    EXPECT_EQ(model.layout(), IslandGeometry::layout(IslandState::expanded, other, {100, 151}, style));

    model.setLeading(model.leading());
    model.setTrailing(placeholder());
    model.setExpanded(placeholder());
    model.setCenter({});
    model.setKeyboardEligibility({});
    model.setOnKeyboardReleased({});
    model.setPointerMoved({});
    model.setOnStateChange({});
    for (std::size_t f = static_cast<std::size_t>(Field::leading); f < counts.size(); ++f) EXPECT_EQ(counts[f], 1);
}

TEST_F(IslandModelTest, StateMachine) {
    // Without a callback the state still changes and is announced.
    model.toggle();
    model.toggle();
    EXPECT_EQ(announced(Field::state), 2);

    std::vector<IslandState> told;
    model.setOnStateChange([&](IslandState s) {
        EXPECT_EQ(model.state(), s) << "the callback sees the new state";
        told.push_back(s);
    });
    const auto compact = IslandState::compact, expanded = IslandState::expanded;
    const std::pair<void (IslandModel::*)(), IslandState> steps[] = {
        {&IslandModel::collapse, compact}, {&IslandModel::expand, expanded}, {&IslandModel::expand, expanded},
        {&IslandModel::collapse, compact}, {&IslandModel::toggle, expanded}, {&IslandModel::toggle, compact},
    };
    std::vector<IslandState> changes;
    IslandState before = model.state();
    for (const auto& [operation, after] : steps) {
        (model.*operation)();
        EXPECT_EQ(model.state(), after);
        if (after != before) changes.push_back(after);
        before = after;
        EXPECT_EQ(announced(Field::state), 2 + static_cast<int>(changes.size()));
        EXPECT_EQ(told, changes);
    }
    // The setter itself never tells the callback.
    model.setState(IslandState::expanded);
    EXPECT_EQ(told, changes);
}
