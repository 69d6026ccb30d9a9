#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "WaylarkKit/Weekly/WeeklyLook.h"
#include "WaylarkKit/Weekly/WeeklyTexts.h"
#include "WaylarkKit/tests/Weekly/RealisticWeek.h"

using namespace WaylarkKit;
using Testing::newYorkTime;

namespace {

const std::string acute = "e\u0301";  // one character, two code points

std::string acutes(int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += acute;
    return out;
}

}  // namespace

TEST(WeeklyTextsTest, TheDetailShowsForecastThenPreviousEachCutAtElevenCharacters) {
    const struct {
        std::string forecast, previous;
        std::optional<std::string> detail;
    } cases[] = {
        {"0.3%", "0.2%", "F 0.3% \u00B7 P 0.2%"},
        {"", "-1.2M", "P -1.2M"},
        {"0.3%", "", "F 0.3%"},
        {"", "", std::nullopt},
        {"1234567890", "", "F 1234567890"},
        {"12345678901", "", "F 123456789\u2026"},
        {"", acutes(10), "P " + acutes(10)},
        {"", acutes(11), "P " + acutes(9) + "\u2026"},
    };
    for (const auto& c : cases) {
        WeeklyItem item;
        item.forecast = c.forecast;
        item.previous = c.previous;
        EXPECT_EQ(WeeklyTexts::detail(item), c.detail) << c.forecast << " / " << c.previous;
    }
    EXPECT_EQ(WeeklyTexts::shortTitle(std::string(26, 'a')), std::string(26, 'a'));
    EXPECT_EQ(WeeklyTexts::shortTitle(acutes(27)), acutes(25) + "\u2026");
}

// The rest of the texts show in the tab's reference images.
TEST(WeeklyTextsTest, DayTitlesAreOfTheNewYorkDay) {
    EXPECT_EQ(WeeklyTexts::dayTitle(newYorkTime(2025, 11, 3, 23, 30)), "Mon 3 Nov");  // Tuesday in UTC
    EXPECT_EQ(WeeklyTexts::dayHeading(newYorkTime(2026, 3, 13, 0, 0)), "FRI 13 MAR");
}

// Too small to show in the reference images.
TEST(WeeklyTextsTest, AHolidaysDotIsDimWhiteWhateverItsImpact) {
    WeeklyItem holiday;
    holiday.isHoliday = holiday.isMedium = true;
    EXPECT_EQ(WeeklyLook::dot(holiday), Palette::white.withOpacity(0.5));
}
