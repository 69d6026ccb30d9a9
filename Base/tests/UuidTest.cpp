#include "Base/Uuid.h"

#include <gtest/gtest.h>

#include <unordered_set>

TEST(UuidTest, TextIsUpperCaseAndRoundTrips) {
    const auto id = Base::Uuid::fromText("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->text(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    EXPECT_EQ(Base::Uuid::fromText(id->text()), id);
    for (const char* bad : {"", "E621E1F8C36C495A93FC0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",
                            "E621E1F8-C36C-495A-93FC-0C247A3E6E5F0", "E621E1F-8C36C-495A-93FC-0C247A3E6E5F"}) {
        EXPECT_FALSE(Base::Uuid::fromText(bad)) << bad;
    }
}

TEST(UuidTest, RandomIdentifiersAreVersion4AndDistinct) {
    std::unordered_set<Base::Uuid> seen;
    for (int i = 0; i < 1000; ++i) {
        const auto id = Base::Uuid::random();
        EXPECT_EQ(id.text()[14], '4');
        EXPECT_TRUE(seen.insert(id).second);
    }
}

TEST(UuidTest, NamedIdentifiersAreStable) {
    const Base::Uuid space = *Base::Uuid::fromText("6BA7B811-9DAD-11D1-80B4-00C04FD430C8");  // URL namespace
    EXPECT_EQ(Base::Uuid::named(space, "DEL:U2723:123"), Base::Uuid::named(space, "DEL:U2723:123"));
    EXPECT_NE(Base::Uuid::named(space, "DEL:U2723:123"), Base::Uuid::named(space, "DEL:U2723:124"));
    // Version 5 of "www.example.com" in the DNS namespace, as RFC 4122 tools give it.
    const Base::Uuid dns = *Base::Uuid::fromText("6BA7B810-9DAD-11D1-80B4-00C04FD430C8");
    EXPECT_EQ(Base::Uuid::named(dns, "www.example.com").text(), "2ED6657D-E927-568B-95E1-2665A8AEA6A2");
}
