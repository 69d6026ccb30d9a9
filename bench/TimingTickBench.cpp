// One tick of the timing view model on the live source, as the island runs it
// once a second: the settings made into a configuration, the calendar's
// unchanged list recognised, the evaluation, and (while an island is
// expanded) the timeline. Default settings, two weeks of realistic news.
#include <benchmark/benchmark.h>

#include "bench/support/TimingFixture.h"

namespace {

// A running model from Wednesday 14 January, 06:00 New York; each iteration
// is one tick, and its time is the share of the second the tick costs. The
// day runs from before the session through the opening, blackouts and
// macros, so every kind of evaluation is in the mix.
void tick(benchmark::State& state, bool expanded) {
    WaylarkBench::TimingFixture fixture(WaylarkBench::ny(14, 6, 0));
    WaylarkKit::TimingViewModel& timing = fixture.timing;
    timing.setExpanded(expanded);
    timing.start();
    for (auto _ : state) fixture.scheduler.advance(1);
    if (timing.liveSource().conversionCount() != 1) state.SkipWithError("the calendar list was converted again");
    if (timing.evaluation().confidence != TradingCore::DataConfidence::live) state.SkipWithError("not live");
}

void BM_Tick(benchmark::State& state) { tick(state, false); }
void BM_TickExpanded(benchmark::State& state) { tick(state, true); }
// Twelve hours of ticks per run, 06:00 to 18:00.
BENCHMARK(BM_Tick)->Iterations(43'200)->Repetitions(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickExpanded)->Iterations(43'200)->Repetitions(5)->Unit(benchmark::kMicrosecond);

}  // namespace
