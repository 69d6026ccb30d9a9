#include "ChecklistKit/ChecklistText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChecklistKit/ChecklistItem.h"
#include "ChecklistKit/ChecklistProgress.h"
#include "ChecklistKit/ChecklistTemplate.h"

namespace ChecklistKit {
namespace {

struct CleanCase {
    const char* name;
    std::string input;
    std::size_t maxLength;
    bool trimmed;
    std::string expected;
};

TEST(ChecklistTextTest, Cleans) {
    const std::vector<CleanCase> cases = {
        {"tab, LF and CR become spaces", "a\tb\nc\rd", 50, false, "a b c d"},
        {"vertical tab and form feed are dropped", "a\vb\fc", 50, false, "abc"},
        {"DEL, NEL, soft hyphen, ZWSP and BOM are dropped", "a\x7F" "b\u0085c\u00AD" "d\u200B" "e\uFEFF", 50, false,
         "abcde"},
        {"trimmed", "  x  ", 50, true, "x"},
        {"untrimmed keeps the spaces", "  x  ", 50, false, "  x  "},
        {"a leading line feed is trimmed as a space", "\n Go", 50, true, "Go"},
        {"no-break space and ideographic space are trimmed", "\u00A0x\u3000", 50, true, "x"},
        {"line separator is not trimmed", "\u2028", 50, true, "\u2028"},
        // The cut may end just after a space; trimming again keeps repair idempotent.
        {"trailing space after the cut is trimmed", "ab cd", 3, true, "ab"},
        {"untrimmed cut keeps the trailing space", "ab cd", 3, false, "ab "},
        {"a combining accent is one character", "e\u0301e\u0301e\u0301", 2, true, "e\u0301e\u0301"},
        {"a ZWJ sequence falls apart into its parts", "\U0001F468\u200D\U0001F469\u200D\U0001F467", 2, true,
         "\U0001F468\U0001F469"},
        {"flags count as one character each", "\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", 1, true,
         "\U0001F1EB\U0001F1F7"},
        {"malformed UTF-8 becomes replacement characters", "a\xFF" "b", 50, true, "a\uFFFD" "b"},
    };
    for (const CleanCase& c : cases) {
        EXPECT_EQ(ChecklistText::clean(c.input, c.maxLength, c.trimmed), c.expected) << c.name;
        // Cleaning a cleaned text changes nothing.
        const std::string once = ChecklistText::clean(c.input, c.maxLength, c.trimmed);
        EXPECT_EQ(ChecklistText::clean(once, c.maxLength, c.trimmed), once) << c.name;
    }
}

TEST(ChecklistTextTest, BuildsOptions) {
    using Options = std::vector<std::string>;
    EXPECT_EQ(ChecklistText::options(std::string_view("Above, Below,,above , Above")),
              (Options{"Above", "Below", "above"}));
    EXPECT_EQ(ChecklistText::options(std::string_view("a,b,c,d,e,f,g")), (Options{"a", "b", "c", "d", "e", "f"}));
    EXPECT_EQ(ChecklistText::options(std::string_view("")), Options{});
    EXPECT_EQ(ChecklistText::options(std::string_view(",, ,\t")), Options{});
    // Equal only after the cut to 24 characters.
    EXPECT_EQ(ChecklistText::options(Options{"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwx!!"}),
              (Options{"abcdefghijklmnopqrstuvwx"}));
    // Canonically equivalent spellings are one option; the first spelling stays.
    EXPECT_EQ(ChecklistText::options(Options{"caf\u00E9", "cafe\u0301", "Caf\u00E9"}),
              (Options{"caf\u00E9", "Caf\u00E9"}));
    // A repeat does not use up one of the six places.
    EXPECT_EQ(ChecklistText::options(Options{"a", "a", "b", "c", "d", "e", "f", "g"}),
              (Options{"a", "b", "c", "d", "e", "f"}));
    // A cut that ends after a space merges with the option without it.
    EXPECT_EQ(ChecklistText::options(Options{"abcdefghijklmnopqrstuvw", "abcdefghijklmnopqrstuvw xyz"}),
              (Options{"abcdefghijklmnopqrstuvw"}));
}

TEST(ChecklistTextTest, ComparesInCanonicalForm) {
    EXPECT_TRUE(ChecklistText::equal("caf\u00E9", "cafe\u0301"));
    EXPECT_FALSE(ChecklistText::equal("Above", "above"));
    EXPECT_FALSE(ChecklistText::equal("Above", "Above "));
}

TEST(ChecklistTextTest, DerivedValues) {
    const Base::Uuid id = Base::Uuid::random();
    EXPECT_TRUE((ChecklistItem{id, "", {}}).isBlank());
    EXPECT_TRUE((ChecklistItem{id, " \t\u2028\u2029\u0085\r\n\u00A0", {}}).isBlank());
    EXPECT_FALSE((ChecklistItem{id, " x ", {}}).isBlank());
    EXPECT_FALSE((ChecklistItem{id, "\u200B", {}}).isBlank());
    EXPECT_TRUE((ChecklistItem{id, "q", {"a"}}).hasOptions());

    const ChecklistTemplate checklist{id, "n", {{Base::Uuid::random(), "a", {}}, {Base::Uuid::random(), "\u2028", {}},
                                                {Base::Uuid::random(), "b", {}}}};
    ASSERT_EQ(checklist.countedItems().size(), 2u);
    EXPECT_EQ(checklist.countedItems()[1].text, "b");

    EXPECT_FALSE((ChecklistProgress{0, 0}).isComplete());
    EXPECT_FALSE((ChecklistProgress{2, 3}).isComplete());
    EXPECT_TRUE((ChecklistProgress{3, 3}).isComplete());
}

}  // namespace
}  // namespace ChecklistKit
