#include "Base/Text.h"

#include <gtest/gtest.h>

#include <thread>

namespace Text = Base::Text;

TEST(TextTest, GraphemeClustersCountAsOneCharacter) {
    const std::string thumbsUpDark = "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBF";  // U+1F44D U+1F3FF
    const std::string eAcute = "e\xCC\x81";                                  // e + combining acute
    const std::string family = "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7";
    EXPECT_EQ(Text::graphemeCount(thumbsUpDark), 1u);
    EXPECT_EQ(Text::graphemeCount(eAcute), 1u);
    EXPECT_EQ(Text::graphemeCount(family), 1u);
    EXPECT_EQ(Text::graphemeCount(""), 0u);
    EXPECT_EQ(Text::graphemeCount("abc" + eAcute), 4u);
    EXPECT_EQ(Text::graphemeCount("\r\n"), 1u);
}

TEST(TextTest, PrefixNeverSplitsACluster) {
    const std::string eAcute = "e\xCC\x81";
    EXPECT_EQ(Text::graphemePrefix("ab" + eAcute + "cd", 3), "ab" + eAcute);
    EXPECT_EQ(Text::graphemePrefix("abc", 0), "");
    EXPECT_EQ(Text::graphemePrefix("abc", 10), "abc");
    const auto parts = Text::graphemes("a" + eAcute + "b");
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[1], eAcute);
}

TEST(TextTest, MalformedUtf8IsReadAsReplacementCharacters) {
    EXPECT_FALSE(Text::isValidUtf8("\xC3"));
    EXPECT_FALSE(Text::isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(Text::isValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_TRUE(Text::isValidUtf8("Zoë €"));
    EXPECT_EQ(Text::codePoints("a\xFF" "b"), std::u32string(U"a\uFFFDb"));
    EXPECT_EQ(Text::graphemeCount("a\xFF"), 2u);
}

TEST(TextTest, CharacterClasses) {
    EXPECT_TRUE(Text::isControlOrFormat(U'\u0007'));
    EXPECT_TRUE(Text::isControlOrFormat(U'\u200B'));  // zero width space is Cf
    EXPECT_TRUE(Text::isControlOrFormat(U'\u202E'));  // right-to-left override
    EXPECT_FALSE(Text::isControlOrFormat(U'a'));
    EXPECT_TRUE(Text::isLetterOrNumber(U'\u00E9'));
    EXPECT_TRUE(Text::isLetterOrNumber(U'\u0663'));  // Arabic-Indic three
    EXPECT_FALSE(Text::isLetterOrNumber(U'-'));
    EXPECT_TRUE(Text::isTrimmedSpace(U'\u00A0'));
    EXPECT_FALSE(Text::isTrimmedSpace(U'\n'));
}

TEST(TextTest, LowercaseAndNormalForms) {
    EXPECT_EQ(Text::lowercased("CPI İ"), "cpi i\xCC\x87");  // full mapping of dotted capital I
    EXPECT_EQ(Text::lowercased("Non-Farm @ 8:30"), "non-farm @ 8:30");
    EXPECT_EQ(Text::uppercased("non-farm @ 8:30"), "NON-FARM @ 8:30");
    EXPECT_EQ(Text::uppercased("stra\xC3\x9F" "e \xC3\xA9"), "STRASSE \xC3\x89");  // full mapping of sharp s
    EXPECT_EQ(Text::nfc("e\xCC\x81"), "\xC3\xA9");
    EXPECT_EQ(Text::nfc("\xC3\xA9"), "\xC3\xA9");
}

TEST(TextTest, CleaningRule) {
    EXPECT_EQ(Text::cleanUserText("a\tb\nc\rd", 20, false), "a b c d");
    EXPECT_EQ(Text::cleanUserText("a\x01" "b\xE2\x80\x8B" "c", 20, false), "abc");
    EXPECT_EQ(Text::cleanUserText(" \t hello \xC2\xA0", 20, true), "hello");
    EXPECT_EQ(Text::cleanUserText("  padded  ", 20, false), "  padded  ");
    // The cut comes after the trim and may leave a trailing space.
    EXPECT_EQ(Text::cleanUserText("  ab cd", 3, true), "ab ");
    EXPECT_EQ(Text::cleanUserText("\n\n", 5, true), "");
}

// A save inside exit() runs after its thread's thread_local objects are gone,
// and so does the end of any object made before the text rules were first used.
TEST(TextTest, TheRulesHoldWhileTheThreadsOwnObjectsEnd) {
    std::size_t counted = 0;
    std::thread([&counted] {
        struct CountsAtItsEnd {
            std::size_t& counted;
            ~CountsAtItsEnd() { counted = Text::graphemeCount("\xC8\x98tefan e\xCC\x81"); }
        };
        thread_local const CountsAtItsEnd last{counted};
        EXPECT_EQ(Text::graphemeCount("\xC8\x98"), 1u);
    }).join();
    EXPECT_EQ(counted, 8u);
}
