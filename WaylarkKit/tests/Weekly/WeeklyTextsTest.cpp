#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "WaylarkKit/Weekly/WeeklyTexts.h"
#include "WaylarkKit/tests/Weekly/RealisticWeek.h"

using namespace WaylarkKit;
using Testing::newYorkTime;

namespace {

std::string repeated(const std::string& part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += part;
    return out;
}

const std::string acute = "e\u0301";  // one character, two code points

}  // namespace

TEST(WeeklyTextsTest, TheDetailShowsForecastThenPreviousEachCutAtElevenCharacters) {
    struct Case {
        std::string forecast;
        std::string previous;
        std::optional<std::string> detail;
    };
    const Case cases[] = {
        {"0.3%", "0.2%", "F 0.3% \u00B7 P 0.2%"},
        {"", "-1.2M", "P -1.2M"},
        {"0.3%", "", "F 0.3%"},
        {"", "", std::nullopt},
        {"1234567890", "", "F 1234567890"},
        {"12345678901", "", "F 123456789\u2026"},
        {"", repeated(acute, 10), "P " + repeated(acute, 10)},
        {"", repeated(acute, 11), "P " + repeated(acute, 9) + "\u2026"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.forecast + " / " + c.previous);
        WeeklyItem item;
        item.forecast = c.forecast;
        item.previous = c.previous;
        EXPECT_EQ(WeeklyTexts::detail(item), c.detail);
    }
}

TEST(WeeklyTextsTest, TitlesOfTwentySevenCharactersAreCut) {
    EXPECT_EQ(WeeklyTexts::shortTitle(repeated("a", 26)), repeated("a", 26));
    EXPECT_EQ(WeeklyTexts::shortTitle(repeated("a", 27)), repeated("a", 25) + "\u2026");
    EXPECT_EQ(WeeklyTexts::shortTitle(repeated(acute, 27)), repeated(acute, 25) + "\u2026");
}

TEST(WeeklyTextsTest, TimesDaysAndTheImpactButtonRead) {
    WeeklyItem item;
    item.time = newYorkTime(2025, 11, 7, 8, 30);
    EXPECT_EQ(WeeklyTexts::time(item), "08:30");
    item.isHoliday = true;
    item.isMedium = true;
    EXPECT_EQ(WeeklyTexts::time(item), "All day");
    EXPECT_EQ(WeeklyTexts::dayTitle(newYorkTime(2025, 11, 3, 0, 0)), "Mon 3 Nov");
    EXPECT_EQ(WeeklyTexts::dayTitle(newYorkTime(2025, 11, 3, 23, 30)), "Mon 3 Nov");  // Tuesday in UTC
    EXPECT_EQ(WeeklyTexts::dayHeading(newYorkTime(2026, 3, 13, 0, 0)), "FRI 13 MAR");
    EXPECT_EQ(WeeklyTexts::impactFilter(true), "High + Med");
    EXPECT_EQ(WeeklyTexts::impactFilter(false), "High");
}
