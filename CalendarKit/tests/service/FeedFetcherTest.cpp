#include "CalendarKit/Feed/FeedFetcher.h"

#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"

namespace CalendarKit {
namespace {

TEST(FeedFetcherRetryAfter, TextRules) {
    const std::pair<std::optional<std::string>, std::optional<double>> cases[] = {
        {std::nullopt, {}}, {"1.5", 1.5},     {"1e2", 100.0},     {"\t 45\t", 45.0}, {"\xC2\xA0 60", 60.0},
        {"   ", {}},        {"120s", {}},     {"12 0", {}},       {"inf", {}},       {"nan", {}},
        {"1e400", {}},      {"-0", 0.0},      {"3600.5", 3600.0}, {"1,5", {}},       {std::string("5\0", 2), {}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(FeedFetcher::retryAfter(text ? std::optional<std::string_view>(*text) : std::nullopt), expected)
            << text.value_or("<none>");
    }
}

TEST(FeedFetcherAddress, AppendsTheFileNameAsOnePathComponent) {
    Base::ManualScheduler scheduler;
    FeedFetcherOptions options;
    options.baseAddress = "https://example.test/feeds/";
    EXPECT_EQ(FeedFetcher(scheduler).address(FeedWeek::nextWeek),
              "https://nfs.faireconomy.media/ff_calendar_nextweek.json");
    EXPECT_EQ(FeedFetcher(scheduler, options).address(FeedWeek::thisWeek),
              "https://example.test/feeds/ff_calendar_thisweek.json");
}

}  // namespace
}  // namespace CalendarKit
