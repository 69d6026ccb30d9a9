#include <gtest/gtest.h>

#include "ChecklistKit/ChecklistState.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Testing::key;
using Testing::uuid;
using Strings = std::vector<std::string>;

ChecklistTemplate named(unsigned id, std::string name, std::vector<ChecklistItem> items = {}) {
    return ChecklistTemplate{uuid(id), std::move(name), std::move(items)};
}

TEST(ChecklistRepairTest, WorkedExample) {
    const unsigned a = 1, x = 10, y = 11, z = 12;
    ChecklistState stored({named(a, "   ", {{uuid(x), "Size?", {"Short", "Long"}},
                                            {uuid(y), "   ", {}},
                                            {uuid(x), "Another text", {}},
                                            {uuid(z), "Stop set", {}}})},
                          uuid(99), {{key(a), {key(z), key(z), key(y), key(42)}}}, {{key(a), {{key(x), "Long"}}}});
    const ChecklistState expected({named(a, "Untitled", {{uuid(x), "Size?", {"Short", "Long"}},
                                                         {uuid(z), "Stop set", {}}})},
                                  uuid(a), {{key(a), {key(x), key(z)}}}, {{key(a), {{key(x), "Long"}}}});
    EXPECT_EQ(stored.validated(), expected);
    EXPECT_EQ(expected.validated(), expected);
}

TEST(ChecklistRepairTest, EmptyAndVersion) {
    EXPECT_EQ(ChecklistState{}.validated(), ChecklistState{});
    ChecklistState other;
    other.version = 7;
    other.activeTemplateID = uuid(1);
    EXPECT_EQ(other.validated(), ChecklistState{});
}

TEST(ChecklistRepairTest, TemplatesAreCutBeforeDuplicatesDrop) {
    ChecklistState stored;
    for (unsigned i = 0; i < 35; ++i) stored.templates.push_back(named(i + 1, "T"));
    stored.activeTemplateID = uuid(31);
    ChecklistState repaired = stored.validated();
    EXPECT_EQ(repaired.templates.size(), 30u);
    EXPECT_EQ(repaired.activeTemplateID, uuid(1));

    stored.templates[1] = named(1, "Second", {{uuid(100), "x", {}}});
    stored.checked[key(1)] = {key(100), key(101)};
    stored.templates[0].items = {{uuid(101), "first's", {}}};
    repaired = stored.validated();
    EXPECT_EQ(repaired.templates.size(), 29u);  // the cut happened before the duplicate went
    EXPECT_EQ(repaired.templates[0].name, "T");
    EXPECT_EQ(repaired.checked.at(key(1)), Strings{key(101)});
}

TEST(ChecklistRepairTest, ItemsAreCutBeforeBlankOnesDrop) {
    ChecklistTemplate checklist = named(1, "T");
    for (unsigned i = 0; i < 70; ++i) checklist.items.push_back({uuid(100 + i), i < 10 ? " " : "item", {}});
    ChecklistState stored({checklist}, uuid(1), {}, {});
    EXPECT_EQ(stored.validated().templates[0].items.size(), 50u);

    stored.templates[0].items.assign(3, ChecklistItem{uuid(5), "\u2028", {}});
    stored.templates[0].items[1].id = uuid(6);
    stored.checked[key(1)] = {key(5)};
    const ChecklistState repaired = stored.validated();
    EXPECT_TRUE(repaired.templates[0].items.empty());
    EXPECT_TRUE(repaired.checked.empty());
    EXPECT_TRUE(repaired.choices.empty());
}

TEST(ChecklistRepairTest, CleansNames) {
    const std::string sixty(60, 'n');
    ChecklistState stored({named(1, "\t\n"), named(2, sixty), named(3, " Morning \u200B")}, uuid(2), {}, {});
    const ChecklistState repaired = stored.validated();
    EXPECT_EQ(repaired.templates[0].name, "Untitled");
    EXPECT_EQ(repaired.templates[1].name, std::string(50, 'n'));
    EXPECT_EQ(repaired.templates[2].name, "Morning");
    EXPECT_EQ(repaired.activeTemplateID, uuid(2));
}

TEST(ChecklistRepairTest, TicksAndChoicesFollowTheOptions) {
    struct Case {
        const char* name;
        Strings options;
        bool ticked;
        std::optional<std::string> choice;
        bool expectTicked;
        std::optional<std::string> expectChoice;
    };
    const std::vector<Case> cases = {
        {"ticked question without a choice is unticked", {"A", "B"}, true, std::nullopt, false, std::nullopt},
        {"valid choice ticks an unticked question", {"A", "B"}, false, "B", true, "B"},
        {"choice not offered is dropped", {"A", "B"}, true, "C", false, std::nullopt},
        {"choice compared uncleaned", {"A", "B"}, true, " A", false, std::nullopt},
        {"choice compared in canonical form", {"caf\u00E9"}, false, "cafe\u0301", true, "caf\u00E9"},
        {"options cleaned away: choice dropped, tick kept", {"  ", "\t"}, true, "  ", true, std::nullopt},
        {"options cleaned away: untick stays", {" "}, false, " ", false, std::nullopt},
        {"plain item's choice is dropped", {}, true, "A", true, std::nullopt},
    };
    for (const Case& c : cases) {
        ChecklistState stored({named(1, "T", {{uuid(10), "Q", c.options}})}, uuid(1), {}, {});
        if (c.ticked) stored.checked[key(1)] = {key(10)};
        if (c.choice) stored.choices[key(1)][key(10)] = *c.choice;
        const ChecklistState repaired = stored.validated();
        EXPECT_EQ(repaired.checked.count(key(1)) == 1, c.expectTicked) << c.name;
        if (c.expectChoice) {
            ASSERT_EQ(repaired.choices.count(key(1)), 1u) << c.name;
            EXPECT_EQ(repaired.choices.at(key(1)).at(key(10)), *c.expectChoice) << c.name;
        } else {
            EXPECT_EQ(repaired.choices.count(key(1)), 0u) << c.name;
        }
    }
}

TEST(ChecklistRepairTest, KeysAreExactAndListsSorted) {
    const unsigned t = 0xAB1;
    ChecklistState stored({named(t, "T", {{uuid(10), "a", {}}, {uuid(11), "b", {}}, {uuid(12), "c", {}}})},
                          std::nullopt, {}, {});
    std::string lower = key(t);
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    ASSERT_NE(lower, key(t));
    stored.checked[lower] = {key(10)};
    stored.choices[lower] = {{key(10), "x"}};
    stored.checked[key(t)] = {key(12), key(10), key(12), "00000000-0000-4000-8000-00000000000b", key(11)};
    stored.checked[key(77)] = {key(10)};
    const ChecklistState repaired = stored.validated();
    EXPECT_EQ(repaired.checked, (ChecklistState::TickLists{{key(t), {key(10), key(11), key(12)}}}));
    EXPECT_TRUE(repaired.choices.empty());
    EXPECT_EQ(repaired.activeTemplateID, uuid(t));
}

TEST(ChecklistRepairTest, RepairIsIdempotentWhenACutEndsAfterASpace) {
    // 23 characters, a space, then more: the 24-character cut ends on the space.
    const std::string longOption = "Above the opening range and more";
    const std::string cut = "Above the opening range";
    ChecklistState stored({named(1, std::string(49, 'n') + " tail", {{uuid(10), std::string(159, 'i') + " x",
                                                                      {longOption, "Below"}}})},
                          uuid(1), {}, {{key(1), {{key(10), cut}}}});
    const ChecklistState once = stored.validated();
    EXPECT_EQ(once.templates[0].name, std::string(49, 'n'));
    EXPECT_EQ(once.templates[0].items[0].text, std::string(159, 'i'));
    EXPECT_EQ(once.templates[0].items[0].options, (Strings{cut, "Below"}));
    EXPECT_EQ(once.choices.at(key(1)).at(key(10)), cut);
    EXPECT_EQ(once.checked.at(key(1)), Strings{key(10)});
    EXPECT_EQ(once.validated(), once);
}

}  // namespace
}  // namespace ChecklistKit
