#include <gtest/gtest.h>

#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotForStatus.h"
#include "WaylarkKit/Mascot/MascotKind.h"
#include "WaylarkKit/Mascot/MascotTintLayer.h"

using namespace WaylarkKit;
using TradingCore::IntervalColor;

TEST(MascotKindTest, OnlyATintChangeOfTheSameSessionIsARetint) {
    const MascotKind plain = MascotKind::session(true);
    const struct {
        MascotKind shown, next;
        bool retint;
    } cases[] = {
        {plain, MascotKind::session(true, IntervalColor::pink), true},
        {MascotKind::session(false, IntervalColor::pink), MascotKind::session(false), true},
        {MascotKind::session(true, IntervalColor::pink), MascotKind::session(false, IntervalColor::pink), false},
        {plain, plain, false},
        {plain, MascotKind::out(), false},
        {MascotKind::restricted(false), MascotKind::restricted(true), false},
    };
    for (const auto& c : cases) EXPECT_EQ(onlyTintChanges(c.shown, c.next), c.retint);
}

TEST(MascotForStatusTest, PoseFollowsTheEvaluation) {
    using namespace TradingCore;
    const auto custom = [](ActivityPhase phase, std::optional<IntervalColor> color) {
        Activity activity;
        activity.kind = ActivityKind::custom;
        activity.phase = phase;
        activity.color = color;
        return activity;
    };
    Activity news;
    news.phase = ActivityPhase::active;
    const struct {
        StatusBase base;
        DataConfidence confidence;
        std::vector<Activity> activities;
        std::optional<NewsImpact> impact;
        bool celebrating;
        MascotKind kind;
    } cases[] = {
        {StatusBase::green, DataConfidence::live, {}, {}, false, MascotKind::session(true)},
        {StatusBase::green, DataConfidence::degraded, {}, {}, false, MascotKind::session(false)},
        {StatusBase::green, DataConfidence::live,
         {news, custom(ActivityPhase::upcoming, IntervalColor::blue), custom(ActivityPhase::active, IntervalColor::teal),
          custom(ActivityPhase::active, IntervalColor::pink)},
         {}, false, MascotKind::session(true, IntervalColor::teal)},
        {StatusBase::green, DataConfidence::live, {custom(ActivityPhase::active, std::nullopt)}, {}, false,
         MascotKind::session(true)},
        {StatusBase::red, DataConfidence::live, {}, NewsImpact::medium, false, MascotKind::restricted(true)},
        {StatusBase::red, DataConfidence::live, {}, {}, false, MascotKind::restricted(false)},
        {StatusBase::amber, DataConfidence::live, {}, {}, false, MascotKind::out()},
        {StatusBase::red, DataConfidence::live, {}, NewsImpact::high, true, MascotKind::checklistDone()},
    };
    for (const auto& c : cases) {
        Evaluation e;
        e.base = c.base;
        e.confidence = c.confidence;
        e.activities = c.activities;
        e.restrictionImpact = c.impact;
        EXPECT_EQ(mascot(e, c.celebrating), c.kind);
    }
}

TEST(MascotTintLayerTest, RecoloursOnlyTheNamedAccentNodes) {
    FigureNode hollowStem, bareStem, lens, eye, root;
    hollowStem.name = bareStem.name = tintStemName;
    hollowStem.stroke = Ink::green;
    lens.name = tintLensName;
    lens.fill = Ink::green.withOpacity(0.2);
    lens.stroke = eye.fill = Ink::eye;
    root.children = {hollowStem, bareStem, lens, eye};

    const Rgba pink = mascotColor(IntervalColor::pink);
    MascotTintLayer::apply(pink, root, 10, 0.3);
    EXPECT_EQ(root.children[0].stroke, pink);
    EXPECT_EQ(shownStroke(root.children[0], 10.15), mix(Ink::green, pink, 0.5));  // half way through the fade
    EXPECT_FALSE(root.children[0].fill || root.children[1].fill || root.children[1].stroke);  // nothing gained
    EXPECT_EQ(root.children[2].fill, pink.withOpacity(0.2));
    EXPECT_EQ(root.children[2].stroke, Ink::eye);
    EXPECT_EQ(root.children[3].fill, Ink::eye);
}
