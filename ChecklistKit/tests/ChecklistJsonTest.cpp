#include "ChecklistKit/ChecklistJson.h"

#include <gtest/gtest.h>

#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Base::Json;
using Testing::key;
using Testing::uuid;

Json parsed(std::string_view text) { return Json::parse(text).value(); }

TEST(ChecklistJsonTest, WritesTheDocumentAndReadsItBack) {
    const ChecklistState state({{uuid(1), "Before entry", {{uuid(10), "Trend up?", {}}, {uuid(11), "Model", {"FVG", "OB"}}}}},
                               uuid(1), {{key(1), {key(10), key(11)}}}, {{key(1), {{key(11), "OB"}}}});
    EXPECT_EQ(toJson(state), parsed(R"({
        "activeTemplateID": "00000000-0000-4000-8000-000000000001",
        "checked": {"00000000-0000-4000-8000-000000000001": ["00000000-0000-4000-8000-00000000000A",
                                                             "00000000-0000-4000-8000-00000000000B"]},
        "choices": {"00000000-0000-4000-8000-000000000001": {"00000000-0000-4000-8000-00000000000B": "OB"}},
        "templates": [{"id": "00000000-0000-4000-8000-000000000001", "name": "Before entry", "items": [
            {"id": "00000000-0000-4000-8000-00000000000A", "options": [], "text": "Trend up?"},
            {"id": "00000000-0000-4000-8000-00000000000B", "options": ["FVG", "OB"], "text": "Model"}]}],
        "version": 1})"));
    EXPECT_EQ(fromJson<ChecklistState>(parsed(toJson(state).dump(true).value())).value(), state);

    // Without an active template the key is left out, and reads back as none.
    const Json empty = toJson(ChecklistState{});
    EXPECT_EQ(empty, parsed(R"({"checked": {}, "choices": {}, "templates": [], "version": 1})"));
    EXPECT_EQ(fromJson<ChecklistState>(empty).value(), ChecklistState{});
}

TEST(ChecklistJsonTest, OptionalMembersFallBackAndLowerCaseIdsRead) {
    const ChecklistState read = fromJson<ChecklistState>(parsed(R"({
        "version": 1, "checked": {}, "choices": null, "activeTemplateID": null, "unknown": [1],
        "templates": [{"id": "00000000-0000-4000-8000-00000000000a", "name": "n",
                       "items": [{"id": "00000000-0000-4000-8000-00000000000b", "text": "t"},
                                 {"id": "00000000-0000-4000-8000-00000000000c", "text": "u", "options": null}]}]})"))
                                    .value();
    EXPECT_EQ(read, ChecklistState({{uuid(10), "n", {{uuid(11), "t", {}}, {uuid(12), "u", {}}}}}, std::nullopt, {}, {}));
}

TEST(ChecklistJsonTest, RefusesTheWholeDocumentOnAnyBadMember) {
    const std::string bad[] = {
        "[]",
        R"({"checked": {}, "templates": []})",  // a missing required member
        R"({"version": 1, "checked": {}})",
        R"({"version": null, "checked": {}, "templates": []})",  // a required null
        R"({"version": 1.5, "checked": {}, "templates": []})",
        R"({"version": 1, "checked": [], "templates": []})",
        R"({"version": 1, "checked": {"K": null}, "templates": []})",
        R"({"version": 1, "checked": {}, "choices": {"K": {"I": 3}}, "templates": []})",
        R"({"version": 1, "checked": {}, "templates": [], "activeTemplateID": "nope"})",
        R"({"version": 1, "checked": {}, "templates": [{"id": "bad", "name": "n", "items": []}]})",
        R"({"version": 1, "checked": {}, "templates": [{"id": "00000000-0000-4000-8000-00000000000A", "items": []}]})",
        R"({"version": 1, "checked": {}, "templates": [{"id": "00000000-0000-4000-8000-00000000000A", "name": "n",
            "items": [{"id": "00000000-0000-4000-8000-00000000000B", "text": "t", "options": [null]}]}]})",
        R"({"version": 1, "checked": {}, "templates": [{"id": "00000000-0000-4000-8000-00000000000A", "name": "n",
            "items": [{"id": "00000000-0000-4000-8000-00000000000B", "text": null}]}]})",
    };
    for (const std::string& text : bad) EXPECT_FALSE(fromJson<ChecklistState>(parsed(text))) << text;
}

}  // namespace
}  // namespace ChecklistKit
