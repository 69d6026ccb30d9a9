#include "ChecklistKit/ChecklistJson.h"

#include <gtest/gtest.h>

#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Base::Json;
using Testing::key;
using Testing::uuid;

ChecklistState example() {
    const ChecklistTemplate checklist{uuid(1), "Before entry", {{uuid(10), "Trend up?", {}},
                                                                {uuid(11), "Entry model", {"FVG", "OB"}}}};
    return ChecklistState({checklist}, uuid(1), {{key(1), {key(10), key(11)}}}, {{key(1), {{key(11), "OB"}}}});
}

Json parsed(std::string_view text) { return Json::parse(text).value(); }

TEST(ChecklistJsonTest, WritesTheDocumentAndReadsItBack) {
    const ChecklistState state = example();
    EXPECT_EQ(toJson(state), parsed(R"({
        "activeTemplateID": "00000000-0000-4000-8000-000000000001",
        "checked": {"00000000-0000-4000-8000-000000000001": ["00000000-0000-4000-8000-00000000000A",
                                                             "00000000-0000-4000-8000-00000000000B"]},
        "choices": {"00000000-0000-4000-8000-000000000001": {"00000000-0000-4000-8000-00000000000B": "OB"}},
        "templates": [{"id": "00000000-0000-4000-8000-000000000001", "name": "Before entry", "items": [
            {"id": "00000000-0000-4000-8000-00000000000A", "options": [], "text": "Trend up?"},
            {"id": "00000000-0000-4000-8000-00000000000B", "options": ["FVG", "OB"], "text": "Entry model"}]}],
        "version": 1})"));
    auto read = fromJson<ChecklistState>(parsed(toJson(state).dump(true)));
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(*read, state);

    // Without an active template the key is left out, and reads back as none.
    const Json empty = toJson(ChecklistState{});
    EXPECT_EQ(empty, parsed(R"({"checked": {}, "choices": {}, "templates": [], "version": 1})"));
    EXPECT_EQ(fromJson<ChecklistState>(empty).value(), ChecklistState{});
}

TEST(ChecklistJsonTest, OptionalMembersFallBackAndLowerCaseIdsRead) {
    auto read = fromJson<ChecklistState>(parsed(R"({
        "version": 1, "checked": {}, "choices": null, "activeTemplateID": null,
        "templates": [{"id": "00000000-0000-4000-8000-00000000000a", "name": "n",
                       "items": [{"id": "00000000-0000-4000-8000-00000000000b", "text": "t"},
                                 {"id": "00000000-0000-4000-8000-00000000000c", "text": "u", "options": null}]}],
        "unknown": [1, 2]})"));
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_TRUE(read->choices.empty());
    EXPECT_FALSE(read->activeTemplateID);
    ASSERT_EQ(read->templates.size(), 1u);
    EXPECT_EQ(read->templates[0].id, uuid(10));
    EXPECT_TRUE(read->templates[0].items[0].options.empty());
    EXPECT_TRUE(read->templates[0].items[1].options.empty());
}

TEST(ChecklistJsonTest, RefusesWholeDocumentOnAnyBadMember) {
    const char* bad[] = {
        R"([])",
        R"({"version": 1, "templates": []})",                                   // no "checked"
        R"({"checked": {}, "templates": []})",                                  // no "version"
        R"({"version": 1, "checked": {}})",                                     // no "templates"
        R"({"version": null, "checked": {}, "templates": []})",
        R"({"version": 1.5, "checked": {}, "templates": []})",
        R"({"version": 1, "checked": [], "templates": []})",
        R"({"version": 1, "checked": {"K": "x"}, "templates": []})",
        R"({"version": 1, "checked": {"K": null}, "templates": []})",
        R"({"version": 1, "checked": {}, "choices": {"K": {"I": 3}}, "templates": []})",
        R"({"version": 1, "checked": {}, "choices": {"K": ["x"]}, "templates": []})",
        R"({"version": 1, "checked": {}, "templates": [], "activeTemplateID": "nope"})",
        R"({"version": 1, "checked": {}, "templates": [{"id": "00000000-0000-4000-8000-00000000000A", "items": []}]})",
        R"({"version": 1, "checked": {}, "templates": [{"id": "bad", "name": "n", "items": []}]})",
        R"({"version": 1, "checked": {}, "templates": [{"id": "00000000-0000-4000-8000-00000000000A",
            "name": "n", "items": [{"id": "00000000-0000-4000-8000-00000000000B", "text": null}]}]})",
        R"({"version": 1, "checked": {}, "templates": [{"id": "00000000-0000-4000-8000-00000000000A",
            "name": "n", "items": [{"id": "00000000-0000-4000-8000-00000000000B", "text": "t",
            "options": [null]}]}]})",
    };
    for (const char* text : bad) {
        EXPECT_FALSE(fromJson<ChecklistState>(parsed(text))) << text;
    }
}

}  // namespace
}  // namespace ChecklistKit
