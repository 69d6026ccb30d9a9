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

TEST(ChecklistJsonTest, WritesSortedKeysAndReadsBack) {
    const ChecklistState state = example();
    const std::string written = toJson(state).dump(true);
    // Members in ascending order of their names, at every level.
    const auto at = [&](std::string_view s) { return written.find(s); };
    EXPECT_LT(at("\"activeTemplateID\""), at("\"checked\""));
    EXPECT_LT(at("\"checked\""), at("\"choices\""));
    EXPECT_LT(at("\"choices\""), at("\"templates\""));
    EXPECT_LT(at("\"templates\""), at("\"version\""));
    EXPECT_LT(at("\"id\""), at("\"items\""));
    EXPECT_LT(at("\"options\""), at("\"text\""));
    EXPECT_NE(at("\"00000000-0000-4000-8000-000000000001\""), std::string::npos);

    auto read = fromJson<ChecklistState>(parsed(written));
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(*read, state);
}

TEST(ChecklistJsonTest, EmptyStateHasNoActiveTemplateKey) {
    const Json json = toJson(ChecklistState{});
    EXPECT_EQ(json, parsed(R"({"checked": {}, "choices": {}, "templates": [], "version": 1})"));
    auto read = fromJson<ChecklistState>(json);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->activeTemplateID);
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
        R"({"version": "1", "checked": {}, "templates": []})",
        R"({"version": 1.5, "checked": {}, "templates": []})",
        R"({"version": 1, "checked": [], "templates": []})",
        R"({"version": 1, "checked": {"K": "x"}, "templates": []})",
        R"({"version": 1, "checked": {"K": [1]}, "templates": []})",
        R"({"version": 1, "checked": {"K": null}, "templates": []})",
        R"({"version": 1, "checked": {}, "choices": {"K": {"I": 3}}, "templates": []})",
        R"({"version": 1, "checked": {}, "choices": {"K": ["x"]}, "templates": []})",
        R"({"version": 1, "checked": {}, "choices": [], "templates": []})",
        R"({"version": 1, "checked": {}, "templates": [], "activeTemplateID": "nope"})",
        R"({"version": 1, "checked": {}, "templates": [], "activeTemplateID": 7})",
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
