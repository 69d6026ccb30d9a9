#include "CalendarKit/Reconcile/EventReconciler.h"

#include <gtest/gtest.h>

using CalendarKit::CalendarEvent;
using CalendarKit::EventReconciler;

namespace {

const Base::Date kNow(1772803800);
constexpr double kImminent = 7200;

CalendarEvent at(const std::string& id, double offset, const std::string& forecast = "") {
    return CalendarEvent{id, "Title " + id, "USD", TradingCore::NewsImpact::high, kNow + offset, std::nullopt, forecast,
                         ""};
}

std::vector<std::string> ids(const std::vector<CalendarEvent>& events) {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(e.id);
    return out;
}

}  // namespace

TEST(EventReconcilerTest, CarriesVanishedEventsOnlyInsideTheOpenWindow) {
    const struct {
        const char* name;
        double offset;
        bool carried;
    } cases[] = {
        {"30 minutes ago", -1800, true},
        {"in 90 minutes", 5400, true},
        {"now", 0, true},
        {"exactly an hour ago", -3600, false},
        {"59:59 ago", -3599, true},
        {"exactly imminentWithin ahead", 7200, false},
        {"a second less ahead", 7199, true},
        {"tomorrow", 86400, false},
        {"yesterday", -86400, false},
    };
    for (const auto& c : cases) {
        const auto result = EventReconciler::reconcile({at("gone", c.offset)}, {at("kept", 0)}, {}, kNow, kImminent);
        EXPECT_EQ(result.events.size(), c.carried ? 2u : 1u) << c.name;
        EXPECT_EQ(result.pending.contains("gone"), c.carried) << c.name;
        EXPECT_EQ(result.dropped.size(), c.carried ? 0u : 1u) << c.name;
    }
}

TEST(EventReconcilerTest, WindowFollowsImminentWithin) {
    EXPECT_EQ(EventReconciler::reconcile({at("a", -10)}, {}, {}, kNow, 0).pending.size(), 1u);
    EXPECT_EQ(EventReconciler::reconcile({at("a", 10)}, {}, {}, kNow, 0).pending.size(), 0u);
    EXPECT_EQ(EventReconciler::reconcile({at("a", -3599)}, {}, {}, kNow, -3600).pending.size(), 0u);
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
}

TEST(EventReconcilerTest, EmptySides) {
    const auto noPrevious = EventReconciler::reconcile({}, {at("b", 20), at("a", 10)}, {}, kNow, kImminent);
    EXPECT_EQ(ids(noPrevious.events), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(noPrevious.pending.empty());
    EXPECT_TRUE(noPrevious.dropped.empty());

    const auto noIncoming = EventReconciler::reconcile({at("far", 1e6), at("near", 100), at("marked", 200)}, {},
                                                       {"marked"}, kNow, kImminent);
    EXPECT_EQ(ids(noIncoming.events), (std::vector<std::string>{"near"}));
    EXPECT_EQ(ids(noIncoming.dropped), (std::vector<std::string>{"far", "marked"}));
}
