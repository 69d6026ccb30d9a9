#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "WaylarkKit/Checklist/ChecklistTexts.h"

using namespace WaylarkKit::ChecklistTexts;

TEST(ChecklistTextsTest, LabelsShortenAtTheirLimitsByUserPerceivedCharacters) {
    const std::string accented = "e\xCC\x81";  // "é" written as two code points
    const std::string family = "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7";
    std::string combined;
    for (int i = 0; i < 12; ++i) combined += accented;
    struct Case {
        std::string text;
        std::size_t limit;
        std::string shown;
    } cases[] = {
        {"Twelve chars", pillLimit, "Twelve chars"},
        {"Thirteen char", pillLimit, "Thirteen ch\u2026"},
        {"Fifteen chars!!", chipLimit, "Fifteen chars\u2026"},
        {"Twenty-three characters", dropdownRowLimit, "Twenty-three characte\u2026"},
        {"Seventeen chars!!", headerNameLimit, "Seventeen chars\u2026"},
        {"Twenty-five characters!!!", sidebarNameLimit, "Twenty-five characters!\u2026"},
        {combined, pillLimit, combined},
        {combined + family, pillLimit, combined.substr(0, 11 * accented.size()) + "\u2026"},
    };
    for (const Case& c : cases) EXPECT_EQ(shortened(c.text, c.limit), c.shown) << c.text;
    EXPECT_EQ(pillLabel(std::nullopt), "Choose");
}

TEST(ChecklistTextsTest, FooterAndHoldRules) {
    using ChecklistKit::ChecklistProgress;
    EXPECT_EQ(countText({3, 9}), "3/9");
    EXPECT_FALSE(canReset(std::nullopt));
    EXPECT_FALSE(canReset(ChecklistProgress{0, 0}));
    EXPECT_TRUE(canReset(ChecklistProgress{1, 5}));
    EXPECT_EQ(holdLabel(true), "Resetting\u2026");
    EXPECT_EQ(holdLabel(false), "Hold to reset");
    EXPECT_DOUBLE_EQ(holdFillWidth(-0.5, 104), 0);
    EXPECT_DOUBLE_EQ(holdFillWidth(std::numeric_limits<double>::quiet_NaN(), 104), 0);
    EXPECT_DOUBLE_EQ(holdFillWidth(1, 104), 104);
    for (const auto& [count, height] : {std::pair{1, 26.0}, {4, 104.0}, {9, 104.0}}) {
        EXPECT_DOUBLE_EQ(dropdownListHeight(count), height);
    }
    EXPECT_EQ(choiceButtonLabel({{}, "Trend", {"Above", "Below"}}), "2");
    EXPECT_EQ(choiceButtonLabel({{}, "Stop placed", {}}), "Choices");
}
