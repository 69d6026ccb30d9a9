// What passes between the program and its download program.
#include <gtest/gtest.h>

#include <string>

#include "CalendarKit/Feed/FeedFetchProtocol.h"

namespace CalendarKit {
namespace {

std::string errorOf(const Base::Result<FeedResponse>& result) { return result ? "" : result.error().message; }

TEST(FeedFetchProtocolTest, ARequestSurvivesTheCommandLine) {
    FeedFetchRequest plain;
    FeedFetchRequest full{FeedWeek::nextWeek, {}};
    full.options.baseAddress = "https://feed.test:8443/s/a b";
    full.options.userAgent = "";
    full.options.maxBytes = 17;
    full.options.requestTimeout = 0.1;
    full.options.resourceTimeout = 1e-3;
    full.options.maxRedirects = 0;
    full.options.certificateAuthorityFile = "/tmp/ca --resolve.pem";
    full.options.resolve = {"feed.test:8443:127.0.0.1", "--max-bytes"};
    for (const auto& request : {plain, full}) {
        const auto parsed = parseFeedFetchArguments(feedFetchArguments(request));
        ASSERT_TRUE(parsed.ok()) << parsed.error().message;
        EXPECT_EQ(*parsed, request);
    }
}

TEST(FeedFetchProtocolTest, AMalformedCommandLineIsRefused) {
    const std::vector<std::string> valid = feedFetchArguments({});
    auto with = [&](std::size_t at, std::string value) {
        auto arguments = valid;
        arguments[at] = std::move(value);
        return arguments;
    };
    auto plus = [&](std::vector<std::string> more) {
        auto arguments = valid;
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    };
    const std::vector<std::string> cases[] = {
        {}, with(0, "lastweek"), with(6, "-1"), with(6, "12x"), with(6, "+12"), with(8, "nan"),
        with(10, "inf"), with(12, "-1"), with(11, "--unknown"),
        plus({"--max-bytes", "5"}), plus({"--resolve"}), plus({"--certificate-authority", ""}),
        std::vector<std::string>(valid.begin(), valid.end() - 2),  // no redirect limit
    };
    for (const auto& arguments : cases) {
        EXPECT_FALSE(parseFeedFetchArguments(arguments).ok()) << ::testing::PrintToString(arguments);
    }
}

TEST(FeedFetchProtocolTest, AnAnswerSurvivesTheTrip) {
    const std::string binary("{\"a\":1}\nstatus 200\n\0\xff", 21);
    const Base::Result<FeedResponse> answers[] = {
        FeedResponse{200, binary, std::nullopt},
        FeedResponse{429, "", 0.25},
        FeedResponse{302, "", 3600},
        FeedResponse{799, "", std::nullopt},
        FeedResponse{200, std::string(10, 'x'), std::nullopt},
    };
    for (const auto& answer : answers) {
        const auto decoded = decodeFeedAnswer(encodeFeedAnswer(answer), 10 + binary.size());
        ASSERT_TRUE(decoded.ok()) << decoded.error().message;
        EXPECT_EQ(*decoded, *answer);
    }
    for (const std::string& message : {std::string("tooLarge"), std::string("two\nlines\0", 10)}) {
        EXPECT_EQ(errorOf(decodeFeedAnswer(encodeFeedAnswer(Base::makeError(message)), 0)), message);
    }
}

TEST(FeedFetchProtocolTest, AMalformedOrTruncatedAnswerIsAnError) {
    const std::string good = encodeFeedAnswer(FeedResponse{200, "[1,2]", 12});
    ASSERT_EQ(good, "status 200\nretry-after 12\nbody 5\n[1,2]");
    const std::string cases[] = {
        "", "status 200", "status 200\n", good.substr(0, good.size() - 1), good + "x",
        "status 99\nbody 0\n", "status 1000\nbody 0\n", "status 2OO\nbody 0\n", "status  200\nbody 0\n",
        "status +200\nbody 0\n", "status 200\nretry-after -1\nbody 0\n", "status 200\nretry-after 3601\nbody 0\n",
        "status 200\nretry-after nan\nbody 0\n", "status 200\nretry-after\nbody 0\n", "status 200\nbody -1\n",
        "status 200\nbody 18446744073709551616\n", "status 200\nbody 6\n[1,2,3]", "status 200\nbody 0\nstatus 200\n",
        "body 0\n", "error 0\n", "error 6\nshort", "error 2\nlong", "STATUS 200\nbody 0\n",
    };
    for (const auto& text : cases) {
        EXPECT_EQ(errorOf(decodeFeedAnswer(text, 6)), "the download program gave a malformed answer") << text;
    }
    // One byte over the cap is refused even when well-formed.
    EXPECT_EQ(errorOf(decodeFeedAnswer("status 200\nbody 7\n1234567", 6)),
              "the download program gave a malformed answer");
    EXPECT_EQ(errorOf(decodeFeedAnswer("status 200\nbody 6\n123456", 6)), "");
}

}  // namespace
}  // namespace CalendarKit
