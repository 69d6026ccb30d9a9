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

TEST_F(IslandModelTest, StartsCompactWithoutCanvasCentreOrCallbacks) {
    EXPECT_EQ(model.state(), IslandState::compact);
    EXPECT_EQ(model.canvasFrame(), Rect{});
    EXPECT_FALSE(model.center() || model.keyboardEligibility() || model.onKeyboardReleased() ||
                 model.pointerMoved() || model.onStateChange());
    EXPECT_EQ(model.layout(), IslandGeometry::layout(IslandState::compact, metrics, {100, 150}, IslandStyle{}));
}

TEST_F(IslandModelTest, ValueFieldsAnnounceOnlyRealChangesViewsAndCallbacksEveryWrite) {
    const Field values[] = {Field::metrics, Field::slots, Field::style, Field::canvasFrame, Field::state};
    model.setMetrics(metrics);
    model.setSlots({100, 150});
    model.setStyle(IslandStyle{});
    model.setCanvasFrame(Rect{});
    model.setState(IslandState::compact);
    for (Field f : values) EXPECT_EQ(announced(f), 0);

    ScreenMetrics other = metrics;
    other.menuBarHeight = 24;
    IslandStyle style;
    style.virtualNotchLabel = "X";
    model.setMetrics(other);
    model.setSlots({100, 151});
    model.setStyle(style);
    model.setCanvasFrame({256, 562, 1000, 420});
    model.setState(IslandState::expanded);
    for (Field f : values) EXPECT_EQ(announced(f), 1);
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
    struct Step {
        void (IslandModel::*operation)();
        IslandState after;
        bool tells;
    };
    const Step steps[] = {
        {&IslandModel::collapse, IslandState::compact, false}, {&IslandModel::expand, IslandState::expanded, true},
        {&IslandModel::expand, IslandState::expanded, false},  {&IslandModel::collapse, IslandState::compact, true},
        {&IslandModel::toggle, IslandState::expanded, true},   {&IslandModel::toggle, IslandState::compact, true},
    };
    std::size_t calls = 0;
    for (const auto& step : steps) {
        (model.*step.operation)();
        calls += step.tells;
        EXPECT_EQ(model.state(), step.after);
        EXPECT_EQ(announced(Field::state), 2 + static_cast<int>(calls));
        ASSERT_EQ(told.size(), calls);
        if (step.tells) {
            EXPECT_EQ(told.back(), step.after);
        }
    }
    // The setter itself never tells the callback.
    model.setState(IslandState::expanded);
    EXPECT_EQ(told.size(), calls);
}
