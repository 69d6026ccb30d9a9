#include <gtest/gtest.h>

#include "ChecklistKit/ChecklistState.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Testing::key;
using Testing::Strings;
using Testing::uuid;

TEST(ChecklistRepairTest, WorkedExample) {
    const unsigned a = 1, x = 10, y = 11, z = 12;
    const ChecklistState stored({{uuid(a), "   ", {{uuid(x), "Size?", {"Short", "Long"}}, {uuid(y), "   ", {}},
                                                    {uuid(x), "Another text", {}}, {uuid(z), "Stop set", {}}}}},
                                uuid(99), {{key(a), {key(z), key(z), key(y), key(42)}}}, {{key(a), {{key(x), "Long"}}}});
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
    struct Case {
        Strings options;
        bool ticked;
        std::optional<std::string> choice;
        bool expectTicked;
        std::optional<std::string> expectChoice;
    };
    const Case cases[] = {
        {{"A", "B"}, true, std::nullopt, false, std::nullopt},  // a question ticked without a choice
        {{"A", "B"}, false, "B", true, "B"},                    // a valid choice ticks
        {{"A", "B"}, true, "C", false, std::nullopt},           // not offered
        {{"A", "B"}, true, " A", false, std::nullopt},          // compared uncleaned
        {{"caf\u00E9"}, false, "cafe\u0301", true, "caf\u00E9"},  // compared canonically, stored as offered
        {{"  ", "\t"}, true, "  ", true, std::nullopt},         // options cleaned away: a plain item's tick stays
        {{" "}, false, " ", false, std::nullopt},
        {{}, true, "A", true, std::nullopt},                    // a plain item's choice goes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        ChecklistState stored({{uuid(1), "T", {{uuid(10), "Q", c.options}}}}, uuid(1), {}, {});
        if (c.ticked) stored.checked[key(1)] = {key(10)};
        if (c.choice) stored.choices[key(1)][key(10)] = *c.choice;
        const ChecklistState repaired = stored.validated();
        EXPECT_EQ(repaired.checked.count(key(1)) == 1, c.expectTicked);
        EXPECT_EQ(repaired.choices.empty(), !c.expectChoice);
        if (c.expectChoice) {
            EXPECT_EQ(repaired.choices.at(key(1)).at(key(10)), *c.expectChoice);
        }
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

}  // namespace
}  // namespace ChecklistKit
