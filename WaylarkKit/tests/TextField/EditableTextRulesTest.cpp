#include <gtest/gtest.h>

#include "WaylarkKit/Calculator/CalculatorFormat.h"
#include "WaylarkKit/TextField/EditableTextRules.h"

using namespace WaylarkKit;

// The calculator's grouping stands in for any formatter.
const LiveFormatter grouped = [](const std::string& raw) { return CalculatorFormat::liveGrouped(raw); };

TEST(EditableTextRulesTest, FormatterAndCaretRule) {
    const CaretRule atEnd = [](const std::string&, int, const std::string& formatted) {
        return static_cast<int>(formatted.size());
    };
    const CaretRule wild = [](const std::string&, int caret, const std::string&) { return caret + 1000; };
    const CaretRule negative = [](const std::string&, int, const std::string&) { return -3; };
    struct Case {
        const char* raw;
        int caret;
        LiveFormatter formatter;
        CaretRule rule;
        std::string text;
        bool replaced;
        std::optional<int> caretAfter;
    } cases[] = {
        {"1234", 4, {}, atEnd, "1234", false, std::nullopt},                 // no formatter: raw published
        {"1,234", 2, grouped, atEnd, "1,234", false, std::nullopt},          // unchanged: caret left alone
        {"12345", 5, grouped, atEnd, "12,345", true, 6},
        {"12345", 5, grouped, {}, "12,345", true, std::nullopt},             // no rule: where replacing put it
        {"12345", 2, grouped, wild, "12,345", true, 6},                      // bounded to the text
        {"12345", 2, grouped, negative, "12,345", true, 0},
    };
    for (const Case& c : cases) {
        const FormattedEdit edit = formatEdit(c.raw, c.caret, c.formatter, c.rule);
        EXPECT_EQ(edit.text, c.text) << c.raw;
        EXPECT_EQ(edit.replaced, c.replaced) << c.raw;
        EXPECT_EQ(edit.caret, c.caretAfter) << c.raw;
    }
}

TEST(EditableTextRulesTest, CaretsCountUtf16UnitsAndNeverSplitAPair) {
    const std::string text = "a\xF0\x9F\x98\x80" "b";  // a, an emoji outside the BMP, b
    EXPECT_EQ(utf16Length(text), 4);
    EXPECT_EQ(utf16Length("\xC3\xA9t\xC3\xA9"), 3);
    struct Case {
        int caret;
        int bounded;
    } cases[] = {{-1, 0}, {0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 4}, {9, 4}};
    for (const Case& c : cases) EXPECT_EQ(boundedCaret(c.caret, text), c.bounded) << c.caret;
}

TEST(EditableTextRulesTest, CaretAfterWhatTheModelKept) {
    const std::string emoji = "\xF0\x9F\x98\x80";  // two UTF-16 units
    struct Case {
        const char* name;
        std::string typed;
        int caret;
        std::string kept;
        int placed;
    } cases[] = {
        {"all kept", "XabY", 3, "XabY", 3},
        {"line break cleaned", "Xa\nbY", 4, "XabY", 3},
        {"tab and format character cleaned", "Xa\t\xE2\x80\x8B" "bY", 5, "XabY", 3},
        {"combining mark kept", "Xe\xCC\x81\n\xE2\x82\xAC" "Y", 5, "Xe\xCC\x81\xE2\x82\xAC" "Y", 4},
        {"pairs before the caret", "X" + emoji + "\n" + emoji + "Y", 6, "X" + emoji + emoji + "Y", 5},
        {"caret at the end", "Xab\n", 4, "Xab", 3},
        {"end cut away", "Xabcdef" "Y", 7, "Xabc", 4},
        {"cut inside a pair", emoji + "b" + emoji + "c", 3, emoji + emoji, 2},
        {"nothing kept", "a\nb", 2, "", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(caretAfterKeeping(c.typed, c.caret, c.kept), c.placed) << c.name;
}
