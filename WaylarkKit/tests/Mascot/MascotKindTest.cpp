#include <gtest/gtest.h>

#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotForStatus.h"
#include "WaylarkKit/Mascot/MascotKind.h"
#include "WaylarkKit/Mascot/MascotTintLayer.h"

using namespace WaylarkKit;
using TradingCore::IntervalColor;

TEST(MascotKindTest, EqualityAndTheReTintRule) {
    const MascotKind plain = MascotKind::session(true);
    EXPECT_EQ(plain, MascotKind::session(true, std::nullopt));
    EXPECT_NE(plain, MascotKind::session(true, IntervalColor::cyan));
    EXPECT_NE(plain, MascotKind::session(false));
    EXPECT_NE(MascotKind::restricted(false), MascotKind::restricted(true));
    EXPECT_NE(MascotKind::out(), MascotKind::checklistDone());

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

    EXPECT_EQ(sessionAccent(std::nullopt), Ink::green);
    EXPECT_EQ(sessionAccent(IntervalColor::teal), (Rgba{77, 224, 191, 1}));
    EXPECT_EQ(mascotColor(IntervalColor::white), Ink::white);
}

namespace {

TradingCore::Activity custom(TradingCore::ActivityPhase phase, std::optional<IntervalColor> color) {
    TradingCore::Activity activity;
    activity.kind = TradingCore::ActivityKind::custom;
    activity.phase = phase;
    activity.color = color;
    return activity;
}

}  // namespace

TEST(MascotForStatusTest, PoseFollowsTheEvaluation) {
    using TradingCore::ActivityPhase;
    using TradingCore::DataConfidence;
    using TradingCore::NewsImpact;
    using TradingCore::StatusBase;
    TradingCore::Activity news;
    news.phase = ActivityPhase::active;
    const auto evaluation = [](StatusBase base, DataConfidence confidence, std::vector<TradingCore::Activity> list,
                               std::optional<NewsImpact> impact = std::nullopt) {
        TradingCore::Evaluation result;
        result.base = base;
        result.confidence = confidence;
        result.activities = std::move(list);
        result.restrictionImpact = impact;
        return result;
    };
    const struct {
        TradingCore::Evaluation evaluation;
        bool celebrating;
        MascotKind kind;
    } cases[] = {
        {evaluation(StatusBase::green, DataConfidence::live, {}), false, MascotKind::session(true)},
        {evaluation(StatusBase::green, DataConfidence::degraded, {}), false, MascotKind::session(false)},
        {evaluation(StatusBase::green, DataConfidence::live,
                    {news, custom(ActivityPhase::upcoming, IntervalColor::blue),
                     custom(ActivityPhase::active, IntervalColor::teal), custom(ActivityPhase::active, IntervalColor::pink)}),
         false, MascotKind::session(true, IntervalColor::teal)},
        {evaluation(StatusBase::green, DataConfidence::live, {custom(ActivityPhase::active, std::nullopt)}), false,
         MascotKind::session(true)},
        {evaluation(StatusBase::red, DataConfidence::live, {}, NewsImpact::medium), false, MascotKind::restricted(true)},
        {evaluation(StatusBase::red, DataConfidence::live, {}, NewsImpact::high), false, MascotKind::restricted(false)},
        {evaluation(StatusBase::red, DataConfidence::live, {}), false, MascotKind::restricted(false)},
        {evaluation(StatusBase::gray, DataConfidence::live, {}), false, MascotKind::out()},
        {evaluation(StatusBase::amber, DataConfidence::live, {}), false, MascotKind::out()},
        {evaluation(StatusBase::red, DataConfidence::live, {}, NewsImpact::high), true, MascotKind::checklistDone()},
    };
    for (const auto& c : cases) EXPECT_EQ(mascot(c.evaluation, c.celebrating), c.kind);
}

TEST(MascotTintLayerTest, RecoloursOnlyTheNamedAccentNodes) {
    FigureNode hollowStem;
    hollowStem.name = tintStemName;
    hollowStem.stroke = Ink::green;
    FigureNode bareStem;
    bareStem.name = tintStemName;
    FigureNode lens;
    lens.name = tintLensName;
    lens.fill = Ink::green.withOpacity(0.2);
    lens.stroke = Ink::eye;
    FigureNode eye;
    eye.fill = Ink::eye;
    FigureNode root;
    root.children = {hollowStem, bareStem, lens, eye};

    const Rgba pink = mascotColor(IntervalColor::pink);
    MascotTintLayer::apply(pink, root, 10, 0.3);
    EXPECT_EQ(root.children[0].stroke, pink);
    EXPECT_FALSE(root.children[0].fill.has_value());  // an outlined stem gains no fill
    EXPECT_FALSE(root.children[1].fill.has_value());
    EXPECT_FALSE(root.children[1].stroke.has_value());
    EXPECT_EQ(root.children[2].fill, pink.withOpacity(0.2));
    EXPECT_EQ(root.children[2].stroke, Ink::eye);
    EXPECT_EQ(root.children[3].fill, Ink::eye);

    // The colours cross-fade over 0.3 s from what showed.
    EXPECT_EQ(shownStroke(root.children[0], 10), Ink::green);
    EXPECT_EQ(shownStroke(root.children[0], 10.15), mix(Ink::green, pink, 0.5));
    EXPECT_EQ(shownStroke(root.children[0], 10.3), pink);
}
