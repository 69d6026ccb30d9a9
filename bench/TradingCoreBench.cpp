// The once-a-second evaluation and the timeline of the expanded panel, for
// the default configuration with five custom intervals and two weeks of news.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

using namespace TradingCore;

namespace {

Base::Date ny(int month, int day, int hour, int minute = 0) {
    static const Base::Calendar calendar(MarketTimeZone::newYork());
    return *calendar.date(2026, month, day, hour, minute, 0);
}

TimingConfiguration configuration() {
    TimingConfiguration c = TimingConfiguration::newYorkDefault();
    const struct {
        const char* name;
        WallClockTime start;
        WallClockTime end;
        IntervalColor color;
    } customs[] = {
        {"Kill zone", {8, 30}, {9, 0}, IntervalColor::cyan},  {"Silver", {10, 0}, {11, 0}, IntervalColor::blue},
        {"Lunch", {12, 0}, {13, 0}, IntervalColor::pink},     {"PM", {13, 30}, {16, 0}, IntervalColor::yellow},
        {"Close", {15, 50}, {16, 10}, IntervalColor::teal},
    };
    for (const auto& custom : customs) {
        c.customs.push_back(CustomInterval{Base::Uuid::random(), custom.name, custom.start, custom.end, workDays(),
                                           custom.color});
    }
    return c;
}

// About 150 releases over two weeks (2026-01-11 to 2026-01-24), 20 of them
// high-impact USD, the rest of other currencies and impacts, at the usual
// release minutes.
std::vector<NewsEvent> twoWeeksOfNews() {
    std::mt19937 random(7);
    const char* currencies[] = {"EUR", "GBP", "JPY", "CAD", "AUD", "CHF", "NZD", "CNY", "USD"};
    const int minutes[] = {0, 15, 30, 45};
    std::vector<NewsEvent> events;
    for (int i = 0; i < 150; ++i) {
        const int day = 12 + (i % 10) + (i % 10 >= 5 ? 2 : 0);  // Monday to Friday of both weeks
        const bool usdHigh = i % 15 == 0 || i % 15 == 7;         // 20 of 150
        const int hour = usdHigh ? (i % 2 == 0 ? 8 : 10) : static_cast<int>(random() % 24);
        NewsEvent event{"event-" + std::to_string(i),
                        "Release number " + std::to_string(i),
                        usdHigh ? "USD" : currencies[random() % 9],
                        usdHigh ? NewsImpact::high : (random() % 3 == 0 ? NewsImpact::medium : NewsImpact::low),
                        ny(1, day, hour, minutes[random() % 4]),
                        true,
                        i % 3 == 0 ? std::optional<std::string>("Label " + std::to_string(i % 11)) : std::nullopt};
        if (!usdHigh && event.currency == "USD" && event.impact == NewsImpact::high) event.impact = NewsImpact::medium;
        events.push_back(std::move(event));
    }
    return events;
}

const TimingConfiguration kConfiguration = configuration();
const std::vector<NewsEvent> kEvents = twoWeeksOfNews();

// Instants of a Wednesday: before the session, during a blackout, in the
// opening window, at lunch, in the evening.
const Base::Date kInstants[] = {ny(1, 14, 6, 50), ny(1, 14, 8, 27), ny(1, 14, 10, 5), ny(1, 14, 12, 3),
                                ny(1, 14, 20, 0)};

void BM_Evaluate(benchmark::State& state) {
    const Base::Date now = kInstants[state.range(0)];
    for (auto _ : state) {
        Evaluation evaluation = TimingEvaluator::evaluate(kConfiguration, kEvents, DataConfidence::live, now);
        benchmark::DoNotOptimize(evaluation);
    }
}
BENCHMARK(BM_Evaluate)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// One evaluation per second of a whole day, as the tick runs them.
void BM_EvaluateEverySecond(benchmark::State& state) {
    double now = ny(1, 14, 0, 0).secondsSince1970;
    for (auto _ : state) {
        Evaluation evaluation = TimingEvaluator::evaluate(kConfiguration, kEvents, DataConfidence::live, Base::Date(now));
        benchmark::DoNotOptimize(evaluation);
        now += 1;
    }
}
BENCHMARK(BM_EvaluateEverySecond)->Unit(benchmark::kMicrosecond);

// The worst case: every call on a day not seen before (evaluating steps on by
// a day), so every wall-clock time is asked of the calendar afresh.
void BM_EvaluateNewDayEachCall(benchmark::State& state) {
    double now = ny(1, 14, 10, 0).secondsSince1970;
    for (auto _ : state) {
        Evaluation evaluation = TimingEvaluator::evaluate(kConfiguration, kEvents, DataConfidence::live, Base::Date(now));
        benchmark::DoNotOptimize(evaluation);
        now += 86400;
    }
}
BENCHMARK(BM_EvaluateNewDayEachCall)->Unit(benchmark::kMicrosecond);

void BM_Timeline(benchmark::State& state) {
    const double halfSpan = static_cast<double>(state.range(0)) * 3600;
    const Base::Date now = kInstants[state.range(1)];
    for (auto _ : state) {
        Timeline timeline = TimingEvaluator::timeline(kConfiguration, kEvents, now - halfSpan, now + halfSpan);
        benchmark::DoNotOptimize(timeline);
    }
}
BENCHMARK(BM_Timeline)->ArgsProduct({{2, 6}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMicrosecond);

}  // namespace
