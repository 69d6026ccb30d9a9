#include "Base/Json.h"
#include "Base/JsonRead.h"

#include <gtest/gtest.h>

#include <limits>

using Base::Json;
using Base::JsonObjectReader;
namespace JsonValue = Base::JsonValue;

TEST(JsonTest, NumbersKeepTheirSourceText) {
    const auto doc = Json::parse(R"({"a": 1.50, "b": 12345678901234567890123, "c": -7, "d": 1e-3})");
    ASSERT_TRUE(doc) << doc.error().message;
    EXPECT_EQ(doc->find("a")->numberText(), "1.50");
    EXPECT_EQ(doc->find("b")->numberText(), "12345678901234567890123");
    EXPECT_EQ(doc->find("c")->numberText(), "-7");
    EXPECT_TRUE(doc->find("c")->numberIsIntegerLiteral());
    EXPECT_EQ(doc->find("d")->numberText(), "1e-3");
    EXPECT_FALSE(doc->find("d")->numberIsIntegerLiteral());
}

TEST(JsonTest, DumpSortsKeysAndRoundTrips) {
    Json doc;
    doc.set("zeta", Json::number(1));
    doc.set("alpha", Json::string("tab\there \"quoted\" \x01"));
    doc.set("mid", Json::array({Json::boolean(true), Json(), Json::number(0.5)}));
    const std::string compact = doc.dump().value();
    EXPECT_EQ(compact, R"({"alpha":"tab\there \"quoted\" \u0001","mid":[true,null,0.5],"zeta":1})");
    const auto back = Json::parse(doc.dump(true).value());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, doc);
}

TEST(JsonTest, DoublesWriteInShortestForm) {
    EXPECT_EQ(Json::number(1772000000.5).dump().value(), "1772000000.5");
    EXPECT_EQ(Json::number(300.0).dump().value(), "300");
    EXPECT_EQ(Json::number(0.1).dump().value(), "0.1");
}

TEST(JsonTest, ANonFiniteNumberFailsTheWriteAndSaysWhere) {
    const double inf = std::numeric_limits<double>::infinity();
    Json cache;
    cache.set("lastSuccess", Json::number(std::numeric_limits<double>::quiet_NaN()));
    Json event;
    event.set("time", Json::number(-inf));
    Json events;
    events.set("events", Json::array({Json::object(), event}));
    struct Case {
        Json document;
        const char* message;
    };
    for (const Case& c : {Case{Json::number(inf), "inf at the root"}, Case{cache, "nan at lastSuccess"},
                          Case{events, "-inf at events[1].time"}}) {
        for (bool pretty : {false, true}) {
            const auto written = c.document.dump(pretty);
            ASSERT_FALSE(written.ok()) << c.message;
            EXPECT_EQ(written.error().message, std::string("cannot write the non-finite number ") + c.message);
        }
    }
    // Nor does it read as a number.
    EXPECT_FALSE(JsonValue::number(Json::number(inf), "x").ok());
}

TEST(JsonTest, RefusesMalformedAndTooDeepDocuments) {
    for (const char* bad : {"", "{", "[1,]", "{\"a\" 1}", "tru", "\"\xff\"", "[1] x", "NaN"}) {
        EXPECT_FALSE(Json::parse(bad)) << bad;
    }
    const std::string deep(1'000'000, '[');
    const auto result = Json::parse(deep + std::string(1'000'000, ']'));
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().message.find("nested"), std::string::npos);
    EXPECT_TRUE(Json::parse(std::string(100, '[') + std::string(100, ']')));
    EXPECT_FALSE(Json::parse("[[1]]", Json::ParseOptions{1}));
}

TEST(JsonTest, RepeatedKeyKeepsTheLastValue) {
    const auto doc = Json::parse(R"({"a":1,"a":2})");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->find("a")->numberText(), "2");
}

TEST(JsonReadTest, IntegersAreStrict) {
    const auto doc = *Json::parse(R"([7, 7.0, 7.5, true, "7", 1e2, 99999999999999999999, -9223372036854775808])");
    const auto& a = doc.asArray();
    EXPECT_EQ(*JsonValue::integer(a[0], "x"), 7);
    EXPECT_EQ(*JsonValue::integer(a[1], "x"), 7);
    EXPECT_FALSE(JsonValue::integer(a[2], "x"));
    EXPECT_FALSE(JsonValue::integer(a[3], "x"));
    EXPECT_FALSE(JsonValue::integer(a[4], "x"));
    EXPECT_EQ(*JsonValue::integer(a[5], "x"), 100);
    EXPECT_FALSE(JsonValue::integer(a[6], "x"));
    EXPECT_EQ(*JsonValue::integer(a[7], "x"), INT64_MIN);
}

TEST(JsonReadTest, NumbersAcceptIntegersButNotOtherTypes) {
    const auto doc = *Json::parse(R"([300, -5.25, true, "5", null, 1e400])");
    const auto& a = doc.asArray();
    EXPECT_EQ(*JsonValue::number(a[0], "x"), 300.0);
    EXPECT_EQ(*JsonValue::number(a[1], "x"), -5.25);
    EXPECT_FALSE(JsonValue::number(a[2], "x"));
    EXPECT_FALSE(JsonValue::number(a[3], "x"));
    EXPECT_FALSE(JsonValue::number(a[4], "x"));
    // Beyond any double: only this value is refused, not the document.
    EXPECT_EQ(a[5].numberText(), "1e400");
    EXPECT_FALSE(JsonValue::number(a[5], "x"));
    EXPECT_FALSE(JsonValue::integer(a[5], "x"));
}

TEST(JsonReadTest, ObjectReaderSeparatesMissingNullAndWrongType) {
    const auto doc = *Json::parse(R"({"name": "NY", "gone": null, "count": "3", "inner": {"x": 1}})");
    const auto reader = JsonObjectReader::of(doc, "profile");
    ASSERT_TRUE(reader);
    EXPECT_EQ(*reader->string("name"), "NY");
    EXPECT_EQ(reader->string("missing").error().message, "profile.missing: missing");
    EXPECT_FALSE(reader->string("gone"));
    EXPECT_FALSE(reader->integer("count"));
    EXPECT_EQ(reader->optionalString("gone")->has_value(), false);
    EXPECT_EQ(reader->optionalString("missing")->has_value(), false);
    EXPECT_FALSE(reader->optionalInteger("count"));
    const auto inner = reader->object("inner");
    ASSERT_TRUE(inner);
    EXPECT_EQ(*inner->integer("x"), 1);
    EXPECT_EQ(inner->integer("y").error().message, "profile.inner.y: missing");
    EXPECT_FALSE(JsonObjectReader::of(Json::array(), "root"));
}

TEST(JsonReadTest, TypedArraysNameTheFailingIndex) {
    const Json document = *Json::parse(R"({"days":[1,2,"x"],"ok":[1,2],"items":[{},{},[]],"gone":null,"bad":7})");
    const auto reader = *JsonObjectReader::of(document, "doc");
    const auto isObject = [](const Json& element) -> Base::Result<int> {
        return element.isObject() ? Base::Result<int>(1) : Base::makeError("not an object");
    };
    struct Case {
        Base::Result<std::vector<std::int64_t>> read;
        const char* error;
    };
    for (const Case& c : {Case{reader.arrayOf("days", JsonValue::integer), "doc.days[2]: expected integer, found string"},
                          Case{reader.arrayOf("bad", JsonValue::integer), "doc.bad: expected array, found number"},
                          Case{reader.arrayOf("gone", JsonValue::integer), "doc.gone: missing"},
                          Case{JsonValue::arrayOf(Json::parse("[true]").value(), "", JsonValue::integer),
                               "value[0]: expected integer, found boolean"}}) {
        ASSERT_FALSE(c.read.ok()) << c.error;
        EXPECT_EQ(c.read.error().message, c.error);
    }
    EXPECT_EQ(reader.arrayOf("items", isObject).error().message, "doc.items[2]: not an object");
    EXPECT_EQ(reader.arrayOf("ok", JsonValue::integer).value(), (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(reader.optionalArrayOf("gone", JsonValue::integer).value(), std::nullopt);
    EXPECT_EQ(reader.optionalArrayOf("missing", JsonValue::integer).value(), std::nullopt);
    EXPECT_EQ(reader.optionalArrayOf("days", JsonValue::integer).error().message,
              "doc.days[2]: expected integer, found string");
}
