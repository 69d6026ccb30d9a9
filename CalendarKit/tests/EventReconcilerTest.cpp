#include "CalendarKit/Reconcile/EventReconciler.h"

#include <gtest/gtest.h>

#include "CalendarKit/tests/CalendarTestSupport.h"

using CalendarKit::CalendarEvent;
using CalendarKit::EventReconciler;
using CalendarTest::ids;

namespace {

const Base::Date kNow(1772803800);
constexpr double kImminent = 7200;

CalendarEvent at(std::string id, double offset, std::string forecast = "") {
    return CalendarTest::event(std::move(id), kNow + offset, TradingCore::NewsImpact::high, std::move(forecast));
}

}  // namespace

TEST(EventReconcilerTest, CarriesVanishedEventsOnlyInsideTheOpenWindow) {
    const struct {
        const char* name;
        double offset;
        double imminentWithin;
        bool carried;
    } cases[] = {
        {"30 minutes ago", -1800, kImminent, true},
        {"in 90 minutes", 5400, kImminent, true},
        {"exactly an hour ago", -3600, kImminent, false},
        {"59:59 ago", -3599, kImminent, true},
        {"exactly imminentWithin ahead", 7200, kImminent, false},
        {"a second less ahead", 7199, kImminent, true},
        {"tomorrow", 86400, kImminent, false},
        {"yesterday", -86400, kImminent, false},
        {"zero keeps only the past hour", -10, 0, true},
        {"zero carries nothing ahead", 10, 0, false},
        {"minus an hour carries nothing", -3599, -3600, false},
    };
    for (const auto& c : cases) {
        const auto result =
            EventReconciler::reconcile({at("gone", c.offset)}, {at("kept", 0)}, {}, kNow, c.imminentWithin);
        EXPECT_EQ(result.events.size(), c.carried ? 2u : 1u) << c.name;
        EXPECT_EQ(result.pending.contains("gone"), c.carried) << c.name;
        EXPECT_EQ(result.dropped.size(), c.carried ? 0u : 1u) << c.name;
    }
}

TEST(EventReconcilerTest, APendingMarkAllowsOneCarryOverOnly) {
    // Refresh k: missing, carried over.
    const auto first = EventReconciler::reconcile({at("a", 600), at("b", 900)}, {at("b", 900)}, {}, kNow, kImminent);
    EXPECT_EQ(ids(first.events), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(first.pending, (std::set<std::string>{"a"}));

    // Refresh k + 1: still missing, dropped whatever its time.
    const auto second = EventReconciler::reconcile(first.events, {at("b", 900)}, first.pending, kNow, kImminent);
    EXPECT_EQ(ids(second.events), (std::vector<std::string>{"b"}));
    EXPECT_TRUE(second.pending.empty());
    EXPECT_EQ(ids(second.dropped), (std::vector<std::string>{"a"}));

    // Back at k + 1 instead: the incoming version stands and the mark is gone.
    const auto back = EventReconciler::reconcile(first.events, {at("a", 660, "new"), at("b", 900)}, first.pending,
                                                 kNow, kImminent);
    EXPECT_EQ(back.events[0].forecast, "new");
    EXPECT_TRUE(back.pending.empty());
    EXPECT_TRUE(back.dropped.empty());

    // A stale mark for an event in neither list is simply forgotten.
    const auto stale = EventReconciler::reconcile({}, {at("b", 0)}, {"zombie"}, kNow, kImminent);
    EXPECT_TRUE(stale.pending.empty());
}

TEST(EventReconcilerTest, IncomingEventsReplaceAndLeadEqualTimes) {
    const auto result = EventReconciler::reconcile(
        {at("old-same-time", 60), at("replaced", 30, "old"), at("far", 86400 * 3)},
        {at("late", -86400 * 30), at("replaced", 99999, "new"), at("new-same-time", 60), at("dup", 5), at("dup", 5)},
        {}, kNow, kImminent);
    EXPECT_EQ(ids(result.events),
              (std::vector<std::string>{"late", "dup", "dup", "new-same-time", "old-same-time", "replaced"}));
    EXPECT_EQ(result.events.back().forecast, "new");
    EXPECT_EQ(result.pending, (std::set<std::string>{"old-same-time"}));
    EXPECT_EQ(ids(result.dropped), (std::vector<std::string>{"far"}));

    // Enough equal times that an unstable sort would reorder them.
    std::vector<CalendarEvent> incoming;
    std::vector<std::string> expected;
    for (int i = 0; i < 40; ++i) {
        incoming.push_back(at("in" + std::to_string(i), 60 * (i % 2)));
        if (i % 2 == 0) expected.push_back(incoming.back().id);
    }
    for (int i = 1; i < 40; i += 2) expected.push_back("in" + std::to_string(i));
    expected.push_back("carried");
    EXPECT_EQ(ids(EventReconciler::reconcile({at("carried", 60)}, incoming, {}, kNow, kImminent).events), expected);
}

TEST(EventReconcilerTest, EmptySides) {
    const auto noPrevious = EventReconciler::reconcile({}, {at("b", 20), at("a", 10)}, {}, kNow, kImminent);
    EXPECT_EQ(noPrevious, (EventReconciler::Result{{at("a", 10), at("b", 20)}, {}, {}}));

    const auto noIncoming = EventReconciler::reconcile({at("far", 1e6), at("near", 100), at("marked", 200)}, {},
                                                       {"marked"}, kNow, kImminent);
    EXPECT_EQ(noIncoming, (EventReconciler::Result{{at("near", 100)}, {"near"}, {at("far", 1e6), at("marked", 200)}}));
}
