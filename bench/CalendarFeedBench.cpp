// A calendar refresh's pure work -- parse, validate, normalise and reconcile
// two weeks of the feed -- next to the bare nlohmann parse of the same bytes.
#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CalendarKit/Feed/FairEconomyFeed.h"
#include "CalendarKit/Feed/FeedValidator.h"
#include "CalendarKit/Normalization/EventNormalizer.h"
#include "CalendarKit/Reconcile/EventReconciler.h"

namespace {

using namespace CalendarKit;

struct Release {
    const char* country;
    const char* title;
    const char* impact;
    const char* forecast;
    const char* previous;
};

constexpr std::array<Release, 24> kReleases{{
    {"USD", "ISM Manufacturing PMI", "High", "49.8", "50.3"},
    {"USD", "JOLTS Job Openings", "High", "7.63M", "7.74M"},
    {"USD", "ADP Non-Farm Employment Change", "High", "140K", "183K"},
    {"USD", "Crude Oil Inventories", "Low", "", "-2.3M"},
    {"USD", "Unemployment Claims", "High", "221K", "242K"},
    {"USD", "Non-Farm Employment Change", "High", "160K", "143K"},
    {"USD", "Average Hourly Earnings m/m", "High", "0.3%", "0.5%"},
    {"USD", "FOMC Member Waller Speaks", "Medium", "", ""},
    {"USD", "Prelim UoM Consumer Sentiment", "High", "63.2", "64.7"},
    {"USD", "10-y Bond Auction", "Low", "", "4.63|2.5"},
    {"EUR", "German Factory Orders m/m", "Low", "1.9%", "-5.5%"},
    {"EUR", "Main Refinancing Rate", "High", "2.65%", "2.90%"},
    {"EUR", "Core CPI Flash Estimate y/y", "Medium", "2.6%", "2.7%"},
    {"GBP", "Construction PMI", "Low", "49.0", "48.1"},
    {"GBP", "BOE Gov Bailey Speaks", "Medium", "", ""},
    {"JPY", "Household Spending y/y", "Low", "-0.4%", "2.7%"},
    {"JPY", "Bank Holiday", "Holiday", "", ""},
    {"CAD", "Employment Change", "High", "20.0K", "76.0K"},
    {"CAD", "Ivey PMI", "Medium", "50.8", "47.5"},
    {"AUD", "Cash Rate", "High", "4.10%", "4.10%"},
    {"NZD", "Overseas Trade Index q/q", "Low", "", ""},
    {"CHF", "CPI m/m", "High", "0.6%", "-0.1%"},
    {"CNY", "Caixin Services PMI", "Medium", "51.1", "51.0"},
    {"EUR", "Zürich Index m/m", "Low", "0.2%", "−0.1%"},  // some non-ASCII text, as the feed has
}};

// About 150 entries over one week, Sunday to Friday, New York offsets.
std::string week(int firstDay, int count) {
    std::string out = "[";
    for (int i = 0; i < count; ++i) {
        const Release& r = kReleases[static_cast<std::size_t>(i * 7) % kReleases.size()];
        const int day = firstDay + (i * 6) / count;
        const int hour = (i * 5) % 24;
        const int minute = (i % 4) * 15;
        char date[40];
        std::snprintf(date, sizeof date, "2026-03-%02dT%02d:%02d:00%s", day, hour, minute,
                      day >= 8 ? "-04:00" : "-05:00");
        if (i) out += ',';
        out += R"({"title":")";
        out += r.title;
        out += R"(","country":")";
        out += r.country;
        out += R"(","date":")";
        out += date;
        out += R"(","impact":")";
        out += r.impact;
        out += R"(","forecast":")";
        out += r.forecast;
        out += R"(","previous":")";
        out += r.previous;
        out += "\"}";
    }
    return out + "]";
}

struct Fixture {
    std::string thisWeek = week(1, 152);
    std::string nextWeek = week(8, 148);
    Base::Date now = *Base::Calendar(EventNormalizer::newYork()).date(2026, 3, 4, 12);
    FeedValidationPolicy policy{1500, 1'209'600, 2'419'200, 0.4, 20};
    // The snapshot a steady-state refresh finds in place: the same weeks.
    std::vector<CalendarEvent> previous;

    Fixture() {
        previous = EventNormalizer::normalize(FairEconomyFeed::parse(thisWeek)->events, EventNormalizer::newYork());
        const auto next = EventNormalizer::normalize(FairEconomyFeed::parse(nextWeek)->events, EventNormalizer::newYork());
        previous.insert(previous.end(), next.begin(), next.end());
    }
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

void BM_BareNlohmannParse(benchmark::State& state) {
    const Fixture& f = fixture();
    for (auto _ : state) {
        auto a = nlohmann::json::parse(f.thisWeek);
        auto b = nlohmann::json::parse(f.nextWeek);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(f.thisWeek.size() + f.nextWeek.size()));
}
BENCHMARK(BM_BareNlohmannParse);

void BM_ParseValidateNormaliseReconcile(benchmark::State& state) {
    const Fixture& f = fixture();
    const auto& zone = EventNormalizer::newYork();
    std::size_t events = 0;
    for (auto _ : state) {
        auto thisWeek = FairEconomyFeed::parse(f.thisWeek);
        auto nextWeek = FairEconomyFeed::parse(f.nextWeek);
        if (!thisWeek.ok() || !nextWeek.ok()) state.SkipWithError("feed refused");
        if (FeedValidator::validate(thisWeek->events, 150, f.now, f.policy) ||
            FeedValidator::validate(nextWeek->events, 0, f.now, f.policy)) {
            state.SkipWithError("feed judged implausible");
        }
        auto incoming = EventNormalizer::normalize(thisWeek->events, zone);
        auto next = EventNormalizer::normalize(nextWeek->events, zone);
        incoming.insert(incoming.end(), std::make_move_iterator(next.begin()), std::make_move_iterator(next.end()));
        auto result = EventReconciler::reconcile(f.previous, incoming, {}, f.now, 7200);
        events = result.events.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["events"] = static_cast<double>(events);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(f.thisWeek.size() + f.nextWeek.size()));
}
BENCHMARK(BM_ParseValidateNormaliseReconcile);

// Parse, validate and normalise one week shaped like the live feed (its
// escapes, its offsets, its mix of releases): the fixture the tests read.
void BM_LiveShapedWeek(benchmark::State& state) {
    std::ifstream file(WAYLARK_SOURCE_DIR "/CalendarKit/tests/data/ff_calendar_liveweek.json", std::ios::binary);
    const std::string body((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const Base::Date wednesday = *Base::Calendar(EventNormalizer::newYork()).date(2026, 3, 11, 12);
    const Fixture& f = fixture();
    std::size_t events = 0;
    for (auto _ : state) {
        auto week = FairEconomyFeed::parse(body);
        if (!week.ok() || week->events.empty()) state.SkipWithError("feed refused");
        if (FeedValidator::validate(week->events, 0, wednesday, f.policy)) state.SkipWithError("feed judged implausible");
        auto normalized = EventNormalizer::normalize(week->events, EventNormalizer::newYork());
        events = normalized.size();
        benchmark::DoNotOptimize(normalized);
    }
    state.counters["events"] = static_cast<double>(events);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(body.size()));
}
BENCHMARK(BM_LiveShapedWeek);

}  // namespace
