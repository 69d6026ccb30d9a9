#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "Base/Text.h"
#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/ChecklistText.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Testing::key;
using Testing::Strings;
using Testing::uuid;

Base::Json parsed(std::string_view text) { return Base::Json::parse(text).value(); }

std::string fixture(const std::string& name) {
    return Base::Testing::readBytes(WAYLARK_SOURCE_DIR "/ChecklistKit/tests/data/" + name);
}

TEST(ChecklistJsonTest, WritesTheDocumentAndReadsItBack) {
    const ChecklistState state({{uuid(1), "Before entry", {{uuid(10), "Trend up?", {}}, {uuid(11), "Model", {"FVG", "OB"}}}}},
                               uuid(1), {{key(1), {key(10), key(11)}}}, {{key(1), {{key(11), "OB"}}}});
    EXPECT_EQ(toJson(state), parsed(fixture("written.json")));
    EXPECT_EQ(fromJson<ChecklistState>(parsed(toJson(state).dump(true).value())).value(), state);

    // Without an active template the key is left out, and reads back as none.
    const Base::Json empty = toJson(ChecklistState{});
    EXPECT_EQ(empty, parsed(R"({"checked": {}, "choices": {}, "templates": [], "version": 1})"));
    EXPECT_EQ(fromJson<ChecklistState>(empty).value(), ChecklistState{});
}

TEST(ChecklistJsonTest, OptionalMembersFallBackAndLowerCaseIdsRead) {
    EXPECT_EQ(fromJson<ChecklistState>(parsed(fixture("lenient.json"))).value(),
              ChecklistState({{uuid(10), "n", {{uuid(11), "t", {}}, {uuid(12), "u", {}}}}}, std::nullopt, {}, {}));
}

// A missing or null required member, a wrong type, an unreadable id, at every level.
TEST(ChecklistJsonTest, RefusesTheWholeDocumentOnAnyBadMember) {
    std::istringstream lines(fixture("refused.jsonl"));
    int count = 0;
    for (std::string text; std::getline(lines, text); ++count) {
        EXPECT_FALSE(fromJson<ChecklistState>(parsed(text))) << text;
    }
    EXPECT_EQ(count, 14);
}

TEST(ChecklistTextTest, CleansOptionsAndBlankItems) {
    // The rule itself is Base's; these are the checklists' own ends of it.
    const std::tuple<std::string, std::size_t, bool, std::string> cases[] = {
        {"a\tb\nc\rd\u200B", 50, false, "a b c d"},
        {"  x  ", 50, true, "x"},
        {"  x  ", 50, false, "  x  "},
        {"ab cd", 3, true, "ab"},  // trimmed again after the cut, so cleaning again changes nothing
        {"ab cd", 3, false, "ab "},
    };
    for (const auto& [input, maxLength, trimmed, expected] : cases) {
        EXPECT_EQ(ChecklistText::clean(input, maxLength, trimmed), expected) << input;
    }

    EXPECT_EQ(ChecklistText::options("Above, Below,,above , Above"), (Strings{"Above", "Below", "above"}));
    // A repeat takes no place among the six.
    EXPECT_EQ(ChecklistText::options("a,a,b,c,d,e,f,g"), (Strings{"a", "b", "c", "d", "e", "f"}));
    EXPECT_EQ(ChecklistText::options(",, ,\t"), Strings{});
    // Equal only once cut to 24 characters; distinct once the space the cut left is trimmed.
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(ChecklistText::options(Strings{letters, letters.substr(0, 24) + "!", letters.substr(0, 23) + " yz"}),
              (Strings{letters.substr(0, 24), letters.substr(0, 23)}));
    // Canonically equivalent spellings are one option, the first spelling stays; case counts.
    EXPECT_EQ(ChecklistText::options(Strings{"caf\u00E9", "cafe\u0301", "Caf\u00E9"}), (Strings{"caf\u00E9", "Caf\u00E9"}));

    for (const char* blank : {"", " \t\u00A0\u3000", "\r\n\v\f\u0085\u2028\u2029"}) {
        EXPECT_TRUE((ChecklistItem{{}, blank, {}}).isBlank()) << blank;
    }
    EXPECT_FALSE((ChecklistItem{{}, "\u200B", {}}).isBlank());
    EXPECT_FALSE((ChecklistProgress{0, 0}).isComplete());
    EXPECT_TRUE((ChecklistProgress{3, 3}).isComplete());
}

TEST(ChecklistRepairTest, WorkedExample) {
    const unsigned a = 1, x = 10, y = 11, z = 12;
    const ChecklistState stored({{uuid(a), "   ", {{uuid(x), "Size?", {"Short", "Long"}}, {uuid(y), "   ", {}},
                                                    {uuid(x), "Another text", {}}, {uuid(z), "Stop set", {}}}}},
                                uuid(99), {{key(a), {key(z), key(z), key(y), key(42)}}, {key(2), {}}},
                                {{key(a), {{key(x), "Long"}}}, {key(2), {}}});
    const ChecklistState expected({{uuid(a), "Untitled", {{uuid(x), "Size?", {"Short", "Long"}}, {uuid(z), "Stop set", {}}}}},
                                  uuid(a), {{key(a), {key(x), key(z)}}}, {{key(a), {{key(x), "Long"}}}});
    EXPECT_EQ(stored.validated(), expected);
    EXPECT_EQ(expected.validated(), expected);
    EXPECT_EQ(ChecklistState{}.validated(), ChecklistState{});
}

TEST(ChecklistRepairTest, CutsComeBeforeDuplicatesAndBlanksDrop) {
    ChecklistState stored;
    for (unsigned i = 1; i <= 35; ++i) stored.templates.push_back({uuid(i), std::string(60, 'n'), {}});
    stored.activeTemplateID = uuid(31);
    ChecklistState repaired = stored.validated();
    EXPECT_EQ(repaired.templates.size(), 30u);
    EXPECT_EQ(repaired.templates[0].name, std::string(50, 'n'));
    EXPECT_EQ(repaired.activeTemplateID, uuid(1));

    // A repeated id among the first 30: the first template wins whole, and the
    // ticks under the shared key are read against its items.
    stored.templates[0].items = {{uuid(101), "first's", {}}};
    stored.templates[1] = {uuid(1), "Second", {{uuid(100), "x", {}}}};
    stored.checked[key(1)] = {key(100), key(101)};
    repaired = stored.validated();
    EXPECT_EQ(repaired.templates.size(), 29u);
    EXPECT_EQ(repaired.templates[0].items, stored.templates[0].items);
    EXPECT_EQ(repaired.checked.at(key(1)), Strings{key(101)});

    // 70 items of which the first 10 are blank keep 50; a blank item still claims its id.
    ChecklistTemplate& items = stored.templates[0];
    items.items.clear();
    for (unsigned i = 0; i < 70; ++i) items.items.push_back({uuid(200 + i), i < 10 ? " " : "item", {}});
    EXPECT_EQ(stored.validated().templates[0].items.size(), 50u);
    items.items = {{uuid(300), "\u2028", {"A"}}, {uuid(300), "later", {}}};
    stored.checked[key(1)] = {key(300)};
    stored.choices[key(1)] = {{key(300), "A"}};
    repaired = stored.validated();
    EXPECT_TRUE(repaired.templates[0].items.empty());
    EXPECT_TRUE(repaired.checked.empty());
    EXPECT_TRUE(repaired.choices.empty());
}

TEST(ChecklistRepairTest, TicksAndChoicesFollowTheOptions) {
    // Options, ticked, choice; then whether it stays ticked, with which choice.
    using Choice = std::optional<std::string>;
    const std::tuple<Strings, bool, Choice, bool, Choice> cases[] = {
        {{"A", "B"}, true, std::nullopt, false, std::nullopt},  // a question ticked without a choice
        {{"A", "B"}, false, "B", true, "B"},                    // a valid choice ticks
        {{"A", "B"}, true, "C", false, std::nullopt},           // not offered
        {{"A", "B"}, true, " A", false, std::nullopt},          // compared uncleaned
        {{"caf\u00E9"}, false, "cafe\u0301", true, "caf\u00E9"},  // compared canonically, stored as offered
        {{"  ", "\t"}, true, "  ", true, std::nullopt},         // options cleaned away: a plain item's tick stays
        {{" "}, false, " ", false, std::nullopt},
        {{}, true, "A", true, std::nullopt},                    // a plain item's choice goes
    };
    int row = 0;
    for (const auto& [options, ticked, choice, expectTicked, expectChoice] : cases) {
        SCOPED_TRACE(row++);
        ChecklistState stored({{uuid(1), "T", {{uuid(10), "Q", options}}}}, uuid(1), {}, {});
        if (ticked) stored.checked[key(1)] = {key(10)};
        if (choice) stored.choices[key(1)][key(10)] = *choice;
        const ChecklistState repaired = stored.validated();
        EXPECT_EQ(repaired.checked.count(key(1)) == 1, expectTicked);
        EXPECT_EQ(repaired.choices.count(key(1)) ? std::optional(repaired.choices.at(key(1)).at(key(10))) : std::nullopt,
                  expectChoice);
    }
}

TEST(ChecklistRepairTest, RepairingTwiceEqualsRepairingOnceWhenACutEndsAfterASpace) {
    // 23 characters, a space, then more: the 24-character cut ends on the space.
    const std::string cut = "Above the opening range";
    const ChecklistState stored(
        {{uuid(1), std::string(49, 'n') + " tail", {{uuid(10), std::string(159, 'i') + " x", {cut + " and more", "Below"}}}}},
        uuid(1), {}, {{key(1), {{key(10), cut}}}});
    const ChecklistState once = stored.validated();
    EXPECT_EQ(once.templates[0].name, std::string(49, 'n'));
    EXPECT_EQ(once.templates[0].items[0].text, std::string(159, 'i'));
    EXPECT_EQ(once.templates[0].items[0].options, (Strings{cut, "Below"}));
    EXPECT_EQ(once.choices.at(key(1)).at(key(10)), cut);
    EXPECT_EQ(once.validated(), once);
}

// Random states as a damaged or hand-edited file might hold them: repeated ids,
// texts of control characters, spaces and combining marks, lengths around the
// cuts, choices as stored or cut with the space the cut left.
TEST(ChecklistRepairTest, RepairIsIdempotentOnHostileStates) {
    const std::uint64_t seed = std::random_device{}();
    std::mt19937_64 random(seed);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const auto text = [&](std::size_t limit) {
        static const char* const alphabet[] = {"a", "B", " ", "\t", "\n", "\x7F", "\u0085", "\u00A0", "\u2028",
                                               "\u200B", "\u0301", "e\u0301", "\u00E9", "\U0001F1EB\U0001F1F7", "\xFF"};
        std::string s = pick(4) == 0 ? std::string(limit - 1 - pick(2), 'a') + " " : "";
        for (std::size_t n = pick(8); n > 0; --n) s += alphabet[pick(std::size(alphabet))];
        return s;
    };
    const auto id = [&](unsigned base) { return uuid(base + static_cast<unsigned>(pick(4))); };
    for (int run = 0; run < 3000; ++run) {
        ChecklistState state({}, id(0xA00), {}, {});
        for (std::size_t t = pick(4); t > 0; --t) {
            ChecklistTemplate& checklist = state.templates.emplace_back(id(0xA00), text(50), std::vector<ChecklistItem>{});
            for (std::size_t i = pick(6); i > 0; --i) {
                ChecklistItem& item = checklist.items.emplace_back(id(0xB00), text(160), Strings{});
                for (std::size_t n = pick(2) ? 0 : pick(8); n > 0; --n) item.options.push_back(text(24));
                if (pick(2)) state.checked[checklist.id.text()].push_back(item.id.text());
                if (pick(2) && !item.options.empty()) {
                    const std::string& option = item.options[pick(item.options.size())];
                    state.choices[checklist.id.text()][item.id.text()] =
                        pick(2) ? option : Base::Text::cleanUserText(option, 24, true);
                }
            }
        }
        const ChecklistState once = state.validated();
        ASSERT_EQ(once.validated(), once) << "seed " << seed << ", run " << run << ":\n"
                                          << toJson(state).dump(true).value();
    }
}

}  // namespace
}  // namespace ChecklistKit
