#include <gtest/gtest.h>

#include <limits>

#include "TradingCore/Model/SessionProfile.h"
#include "TradingCore/Model/WindowRules.h"

using namespace TradingCore;
using WindowRules::Issue;

namespace {
SessionWindow w(std::string name, std::int64_t sh, std::int64_t sm, std::int64_t eh, std::int64_t em) {
    return SessionWindow{std::move(name), WallClockTime(sh, sm), WallClockTime(eh, em)};
}
}  // namespace

TEST(WindowRules, Cases) {
    constexpr auto big = std::numeric_limits<std::int64_t>::max();
    constexpr auto small = std::numeric_limits<std::int64_t>::min();
    std::vector<SessionWindow> eight;
    for (int i = 0; i < 8; ++i) eight.push_back(w("W" + std::to_string(i), i, 0, i, 30));
    std::vector<SessionWindow> nine = eight;
    nine.push_back(w("Zero", 20, 0, 20, 0));

    struct Case {
        const char* label;
        std::vector<SessionWindow> windows;
        std::optional<Issue> issue;
    };
    const std::vector<Case> cases = {
        {"empty", {}, std::nullopt},
        {"eight", eight, std::nullopt},
        {"nine with a zero length", nine, Issue::tooMany()},
        {"touching", {w("A", 9, 0, 10, 0), w("B", 10, 0, 11, 0)}, std::nullopt},
        {"overlap", {w("A", 9, 0, 10, 30), w("B", 10, 0, 11, 0)}, Issue::overlap("A", "B")},
        {"overlap reported in list order", {w("B", 10, 0, 11, 0), w("A", 9, 0, 10, 30)}, Issue::overlap("B", "A")},
        {"midnight piece", {w("Late", 22, 0, 2, 0), w("Early", 1, 0, 3, 0)}, Issue::overlap("Late", "Early")},
        {"alone past midnight", {w("Wrap", 10, 0, 9, 0)}, std::nullopt},
        {"up to midnight", {w("Asia", 20, 0, 0, 0), w("Dawn", 0, 0, 1, 0)}, std::nullopt},
        {"zero length before overlap",
         {w("A", 9, 0, 11, 0), w("B", 10, 0, 12, 0), w("C", 13, 0, 14, 0), w("D", 15, 0, 16, 0),
          w("E", 17, 0, 17, 0)},
         Issue::zeroLength("E")},
        {"first zero length wins", {w("A", 1, 0, 1, 0), w("B", 2, 0, 2, 0)}, Issue::zeroLength("A")},
        {"three overlapping", {w("A", 9, 0, 12, 0), w("B", 10, 0, 13, 0), w("C", 11, 0, 14, 0)},
         Issue::overlap("A", "B")},
        {"second and third", {w("A", 1, 0, 2, 0), w("B", 10, 0, 13, 0), w("C", 11, 0, 14, 0)},
         Issue::overlap("B", "C")},
        // Minute counts saturate: far-out values compare without overflow, and
        // two ends that saturate alike are refused rather than wrapped.
        {"extreme values", {w("Huge", big, big, small, small), w("Tiny", small, 0, 0, 0)}, std::nullopt},
        {"extremes saturating alike", {w("Same", big, 0, big, 1)}, Issue::zeroLength("Same")},
        {"out of range overlaps", {w("Odd", 23, 0, 30, 0), w("Late", 23, 30, 23, 45)}, Issue::overlap("Odd", "Late")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(WindowRules::issue(c.windows), c.issue);
    }
    for (const SessionProfile& profile : SessionProfile::defaults()) {
        EXPECT_EQ(WindowRules::issue(profile.windows), std::nullopt) << profile.name;
    }
}
