#include <gtest/gtest.h>

#include <map>
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

// Counts the announcements of every field of one model.
struct Recorder {
    explicit Recorder(IslandModel& model) {
        for (std::size_t f = 0; f <= static_cast<std::size_t>(Field::onStateChange); ++f) {
            subscriptions.push_back(model.observe(static_cast<Field>(f), [this, f] { ++counts[static_cast<Field>(f)]; }));
        }
    }
    int operator[](Field f) { return counts[f]; }
    std::map<Field, int> counts;
    std::vector<Base::Subscription> subscriptions;
};

struct IslandModelTest : testing::Test {
    IslandModel model{metrics, IslandSlots{100, 150}, IslandStyle{}, placeholder(), placeholder(), placeholder()};
    Recorder recorder{model};
};

}  // namespace

TEST_F(IslandModelTest, StartsCompactWithoutCanvasCentreOrCallbacks) {
    EXPECT_EQ(model.state(), IslandState::compact);
    EXPECT_EQ(model.canvasFrame(), Rect{});
    EXPECT_FALSE(model.center());
    EXPECT_FALSE(model.keyboardEligibility());
    EXPECT_FALSE(model.onKeyboardReleased());
    EXPECT_FALSE(model.pointerMoved());
    EXPECT_FALSE(model.onStateChange());
    EXPECT_EQ(model.layout(), IslandGeometry::layout(IslandState::compact, metrics, {100, 150}, IslandStyle{}));
}

TEST_F(IslandModelTest, ValueFieldsAnnounceOnlyRealChanges) {
    model.setMetrics(metrics);
    model.setSlots({100, 150});
    model.setStyle(IslandStyle{});
    model.setCanvasFrame(Rect{});
    model.setState(IslandState::compact);
    for (Field f : {Field::metrics, Field::slots, Field::style, Field::canvasFrame, Field::state}) {
        EXPECT_EQ(recorder[f], 0);
    }

    model.setSlots({100, 151});
    IslandStyle style;
    style.virtualNotchLabel = "X";
    model.setStyle(style);
    model.setCanvasFrame({256, 562, 1000, 420});
    ScreenMetrics other = metrics;
    other.menuBarHeight = 24;
    model.setMetrics(other);
    model.setState(IslandState::expanded);
    for (Field f : {Field::metrics, Field::slots, Field::style, Field::canvasFrame, Field::state}) {
        EXPECT_EQ(recorder[f], 1);
    }
    EXPECT_EQ(model.layout(), IslandGeometry::layout(IslandState::expanded, other, {100, 151}, style));
}

TEST_F(IslandModelTest, ViewsAndCallbacksAnnounceEveryWrite) {
    model.setLeading(model.leading());
    model.setLeading(model.leading());
    model.setTrailing(placeholder());
    model.setExpanded(placeholder());
    model.setCenter({});
    model.setKeyboardEligibility({});
    model.setOnKeyboardReleased({});
    model.setPointerMoved({});
    model.setOnStateChange({});
    EXPECT_EQ(recorder[Field::leading], 2);
    for (Field f : {Field::trailing, Field::expanded, Field::center, Field::keyboardEligibility,
                    Field::onKeyboardReleased, Field::pointerMoved, Field::onStateChange}) {
        EXPECT_EQ(recorder[f], 1);
    }
}

TEST_F(IslandModelTest, StateMachine) {
    std::vector<IslandState> told;
    model.setOnStateChange([&](IslandState s) {
        // The callback sees the new state already stored.
        EXPECT_EQ(model.state(), s);
        told.push_back(s);
    });

    struct Step {
        void (IslandModel::*operation)();
        IslandState after;
        bool tells;
    };
    const Step steps[] = {
        {&IslandModel::collapse, IslandState::compact, false},
        {&IslandModel::expand, IslandState::expanded, true},
        {&IslandModel::expand, IslandState::expanded, false},
        {&IslandModel::collapse, IslandState::compact, true},
        {&IslandModel::toggle, IslandState::expanded, true},
        {&IslandModel::toggle, IslandState::compact, true},
    };
    int announced = 0;
    std::size_t calls = 0;
    for (const auto& step : steps) {
        (model.*step.operation)();
        EXPECT_EQ(model.state(), step.after);
        if (step.tells) {
            ++announced;
            ++calls;
        }
        EXPECT_EQ(recorder[Field::state], announced);
        ASSERT_EQ(told.size(), calls);
        if (step.tells) {
            EXPECT_EQ(told.back(), step.after);
        }
    }

    // The setter itself never tells the callback.
    model.setState(IslandState::expanded);
    EXPECT_EQ(told.size(), calls);
}

TEST_F(IslandModelTest, ToggleWithoutCallbackStillAnnounces) {
    model.toggle();
    EXPECT_EQ(model.state(), IslandState::expanded);
    EXPECT_EQ(recorder[Field::state], 1);
}
