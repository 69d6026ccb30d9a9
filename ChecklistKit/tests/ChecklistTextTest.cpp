#include "ChecklistKit/ChecklistText.h"

#include <gtest/gtest.h>

#include "ChecklistKit/ChecklistItem.h"
#include "ChecklistKit/ChecklistProgress.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Testing::Strings;

TEST(ChecklistTextTest, CleansAndCleaningAgainChangesNothing) {
    struct Case {
        std::string input;
        std::size_t maxLength;
        bool trimmed;
        std::string expected;
    };
    const Case cases[] = {
        {"a\tb\nc\rd", 50, false, "a b c d"},
        {"a\vb\fc\x7F" "d\u0085e\u00AD" "f\u200B" "g\uFEFF", 50, false, "abcdefg"},  // other Cc and Cf go
        {"  x  ", 50, true, "x"},
        {"  x  ", 50, false, "  x  "},
        {"\n Go\u00A0\u3000", 50, true, "Go"},  // the line feed is a space by the time of the trim
        {"\u2028", 50, true, "\u2028"},         // a line separator is not trimmed
        {"ab cd", 3, true, "ab"},               // trimmed again after the cut
        {"ab cd", 3, false, "ab "},
        {"e\u0301e\u0301e\u0301", 2, true, "e\u0301e\u0301"},
        {"\U0001F468\u200D\U0001F469\u200D\U0001F467", 2, true, "\U0001F468\U0001F469"},  // the joiners go
        {"\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", 1, true, "\U0001F1EB\U0001F1F7"},
        {"a\xFF" "b", 50, true, "a\uFFFD" "b"},
    };
    for (const Case& c : cases) {
        const std::string once = ChecklistText::clean(c.input, c.maxLength, c.trimmed);
        EXPECT_EQ(once, c.expected) << c.input;
        EXPECT_EQ(ChecklistText::clean(once, c.maxLength, c.trimmed), once) << c.input;
    }
}

TEST(ChecklistTextTest, BuildsOptions) {
    const auto fromText = [](std::string_view text) { return ChecklistText::options(text); };
    EXPECT_EQ(fromText("Above, Below,,above , Above"), (Strings{"Above", "Below", "above"}));
    EXPECT_EQ(fromText("a,a,b,c,d,e,f,g"), (Strings{"a", "b", "c", "d", "e", "f"}));  // a repeat takes no place
    EXPECT_EQ(fromText(",, ,\t"), Strings{});
    // Equal only once cut to 24 characters; distinct once the space the cut left is trimmed.
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(ChecklistText::options(Strings{letters, letters.substr(0, 24) + "!", letters.substr(0, 23) + " yz"}),
              (Strings{letters.substr(0, 24), letters.substr(0, 23)}));
    // Canonically equivalent spellings are one option, the first spelling stays; case counts.
    EXPECT_EQ(ChecklistText::options(Strings{"caf\u00E9", "cafe\u0301", "Caf\u00E9"}), (Strings{"caf\u00E9", "Caf\u00E9"}));
}

TEST(ChecklistTextTest, BlankItemsAndCompleteness) {
    for (const char* blank : {"", " \t\u00A0\u3000", "\r\n\v\f\u0085\u2028\u2029"}) {
        EXPECT_TRUE((ChecklistItem{{}, blank, {}}).isBlank()) << blank;
    }
    EXPECT_FALSE((ChecklistItem{{}, "\u200B", {}}).isBlank());
    EXPECT_FALSE((ChecklistProgress{0, 0}).isComplete());
    EXPECT_FALSE((ChecklistProgress{2, 3}).isComplete());
    EXPECT_TRUE((ChecklistProgress{3, 3}).isComplete());
}

}  // namespace
}  // namespace ChecklistKit
