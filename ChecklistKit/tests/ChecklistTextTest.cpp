#include <gtest/gtest.h>

#include <random>

#include "ChecklistKit/ChecklistText.h"

namespace ChecklistKit {
namespace {

// Five characters, four of them beyond ASCII: a letter with a comma below, a
// combining acute, the euro sign and an emoji with its skin tone.
const std::string five = "\u0218e\u0301\u20AC\U0001F44D\U0001F3FDx";
std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

TEST(ChecklistTextTest, KeptOptionsTextDropsOnlyWhatCanNeverBeAnOption) {
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz";
    const std::string cutFive = "\u0218e\u0301\u20AC\U0001F44D\U0001F3FD";
    const struct {
        std::string typed;
        std::string kept;
    } cases[] = {
        {"Below, " + repeated(five, 6), "Below, " + repeated(five, 4) + cutFive},  // 30 characters cut to 24
        {"a,b,c,d,e,f,g", "a,b,c,d,e,f"},
        {"a, b, c, d, e, f,", "a, b, c, d, e, f"},   // the comma after the sixth
        {"a,a,,b,c,d,e,f,g", "a,a,,b,c,d,e,f"},     // a repeat and an empty entry give no option
        {"Above, Above,", "Above, Above,"},
        {"Above, Above2", "Above, Above2"},
        {",, , ", ",, , "},
        {"Above\tBelow\n\u200B", "Above Below "},   // cleaned as the options are
        {"\u00A0 " + alphabet, "\u00A0 " + alphabet.substr(0, 24)},  // leading spaces count nothing
        {alphabet.substr(0, 24) + " ", alphabet.substr(0, 24)},
        {"", ""},
    };
    for (const auto& c : cases) {
        const std::string kept = ChecklistText::keptOptionsText(c.typed);
        EXPECT_EQ(kept, c.kept) << c.typed;
        EXPECT_EQ(ChecklistText::options(kept), ChecklistText::options(c.typed)) << c.typed;
        EXPECT_EQ(ChecklistText::keptOptionsText(kept), kept) << c.typed;
    }
}

// The field shows the kept text and the item stores the options of what was
// typed, so the two must never disagree, however hostile the paste.
TEST(ChecklistTextTest, KeptOptionsTextGivesTheSameOptionsOnRandomText) {
    const std::uint64_t seed = std::random_device{}();
    std::mt19937_64 random(seed);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    static const char* const pieces[] = {"a",      "B",      " ",       ",",      ",",      "\t",   "\n",
                                         "\u00A0", "\u200D", "\u0301",  "e\u0301", "\u00E9", "\xFF", "\u0600",
                                         "\U0001F1F7\U0001F1F4", "\U0001F44D\U0001F3FD", "abcdefghij"};
    for (int run = 0; run < 2000; ++run) {
        std::string typed;
        for (std::size_t n = pick(60); n > 0; --n) typed += pieces[pick(std::size(pieces))];
        const std::string kept = ChecklistText::keptOptionsText(typed);
        ASSERT_EQ(ChecklistText::options(kept), ChecklistText::options(typed)) << "seed " << seed << ": " << typed;
        ASSERT_EQ(ChecklistText::keptOptionsText(kept), kept) << "seed " << seed << ": " << typed;
    }
}

}  // namespace
}  // namespace ChecklistKit
