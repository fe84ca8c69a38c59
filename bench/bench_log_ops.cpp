// Whole-log operations on a small and a large log: rebuilding both indexes (after an
// edit or a delete), computing the score, and ordering the rows by date and time
// (with the entry form's rows-per-callsign following the log, as in the window).
//
// Arguments: entries, then the mode (0 QSO, 1 listening).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>

#include "BenchArgs.h"
#include "SyntheticLog.h"
#include "entry/CallsignRows.h"
#include "log/ContestLog.h"
#include "score/ScoreComputation.h"
#include "sections/SectionTable.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

// The synthetic log's entries appended in the given order of positions.
void Fill(ContestLog& log, const SyntheticLog& synthetic, const std::vector<size_t>& order) {
    auto sections = std::make_unique<SectionTable>();
    SyntheticLog::FillSections(*sections);
    if (log.Mode() == LogMode::Qso) {
        std::vector<QsoRecord> records = synthetic.Contacts(*sections);
        for (size_t i : order) {
            log.Append(records[i]);
        }
    } else {
        std::vector<HrdRecord> records = synthetic.Heard();
        for (size_t i : order) {
            log.Append(records[i]);
        }
    }
}

std::vector<size_t> InOrder(size_t n) {
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i) {
        order[i] = i;
    }
    return order;
}

void BM_RebuildIndexes(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    ContestLog log(ModeArg(state));
    Fill(log, SyntheticLog(n), InOrder(n));
    for (auto _ : state) {
        log.RebuildIndexes();
        benchmark::DoNotOptimize(log.Calls().Size());
    }
}
BENCHMARK(BM_RebuildIndexes)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

void BM_ComputeScore(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    ContestLog log(ModeArg(state));
    Fill(log, SyntheticLog(n), InOrder(n));
    for (auto _ : state) {
        ScoreResult result = ComputeScore(log);
        benchmark::DoNotOptimize(result.claimedScore);
    }
}
BENCHMARK(BM_ComputeScore)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

// The rows in a shuffled order (as after entries typed late or logs joined), sorted
// back; the log is shuffled again outside the timing before every run. `followers`:
// whether the entry form's rows-per-callsign follow the log, as in the window.
void SortByDateTime(benchmark::State& state, bool followers) {
    const size_t n = static_cast<size_t>(state.range(0));
    const SyntheticLog synthetic(n);
    std::vector<size_t> order = InOrder(n);
    std::mt19937 shuffle(7);
    std::shuffle(order.begin(), order.end(), shuffle);
    for (auto _ : state) {
        state.PauseTiming();
        auto log = std::make_unique<ContestLog>(ModeArg(state));
        Fill(*log, synthetic, order);
        auto rows = followers ? std::make_unique<CallsignRows>(*log) : nullptr;
        state.ResumeTiming();
        log->SortByDateTime();
        state.PauseTiming();
        rows.reset();
        log.reset();
        state.ResumeTiming();
    }
}
void BM_SortByDateTime(benchmark::State& state) {
    SortByDateTime(state, true);
}
void BM_SortByDateTimeLogAlone(benchmark::State& state) {
    SortByDateTime(state, false);
}
BENCHMARK(BM_SortByDateTime)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByDateTimeLogAlone)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

}  // namespace
