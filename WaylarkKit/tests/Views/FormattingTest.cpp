#include "WaylarkKit/Views/Formatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

TEST(FormattingTest, Countdowns) {
    const struct {
        double seconds;
        const char* text;
    } rows[] = {
        {0, "0:00"},         {0.2, "0:01"},       {5, "0:05"},           {59, "0:59"},
        {59.2, "1:00"},      {60, "1:00"},        {61, "1:01"},          {3599, "59:59"},
        {3599.5, "1:00:00"}, {3600, "1:00:00"},   {3725, "1:02:05"},     {86400, "24:00:00"},
        {90061, "25:01:01"}, {-0.5, "0:00"},      {-30, "0:00"},         {-7200, "0:00"},
        {nan, "0:00"},       {-infinity, "0:00"}, {1e300, "2562047788015215:30:07"},
    };
    for (const auto& row : rows) EXPECT_EQ(Formatting::countdown(row.seconds), row.text) << row.seconds;
}

TEST(FormattingTest, Minutes) {
    const struct {
        double seconds;
        const char* text;
    } rows[] = {
        {0, "1m"},    {30, "1m"},     {59, "1m"},    {60, "1m"},     {61, "2m"},         {90, "2m"},
        {3599, "60m"}, {3600, "60m"}, {5400, "90m"}, {86400, "1440m"}, {-600, "1m"},     {nan, "1m"},
        {infinity, "9223372036854775807m"},
    };
    for (const auto& row : rows) EXPECT_EQ(Formatting::minutes(row.seconds), row.text) << row.seconds;
}

TEST(FormattingTest, NewYorkClockTimesWhateverTheMachineZone) {
    const struct {
        Base::Date date;
        const char* minutes;
        const char* seconds;
    } rows[] = {
        {Base::Date(1'768'487'400), "09:30", "09:30:00"},         // 15 January 2026, 14:30 UTC
        {Base::Date(1'768'487'400 + 59.99), "09:30", "09:30:59"},  // seconds are cut, not rounded
        {Testing::newYork(7, 1, 0, 0, 5), "00:00", "00:00:05"},
        {Testing::newYork(7, 1, 23, 59, 59), "23:59", "23:59:59"},
        {Base::Date(-1), "18:59", "18:59:59"},  // before 1970
        {Base::Date(nan), "--:--", "--:--:--"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Formatting::etFormatter().string(row.date), row.minutes);
        EXPECT_EQ(Formatting::etSecondsFormatter().string(row.date), row.seconds);
    }
}

}  // namespace
}  // namespace WaylarkKit
