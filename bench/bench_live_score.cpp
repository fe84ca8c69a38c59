// The live score and rates of the main window's panel: adding one contact to a large
// log with the figures attached (the row appended, the figures updated and read
// back), and counting a whole log again (after a sort, a delete, New or a change of
// mode), and loading a journal's bytes with and without the figures following the
// rows (Open appends the file's lines one by one).
//
// Arguments: entries, then the mode (0 QSO, 1 listening).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "BenchArgs.h"
#include "SyntheticLog.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
#include "log/StationSummary.h"
#include "score/LiveScore.h"
#include "sections/SectionTable.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

void Fill(ContestLog& log, size_t entries) {
    const SyntheticLog synthetic(entries);
    if (log.Mode() == LogMode::Qso) {
        for (const QsoRecord& r : synthetic.Contacts(SyntheticLog::Sections())) {
            log.Append(r);
        }
    } else {
        for (const HrdRecord& r : synthetic.Heard()) {
            log.Append(r);
        }
    }
}

// One contact typed into a log of n entries: appended as the entry form does, the
// figures updated by the log's observer, and read back for the panel. The log grows
// by one per iteration (a few thousand on 100,000 entries). The entries added are
// the last hour's of another synthetic log, so they fall at the end of the contest.
void BM_LiveAppend(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    ContestLog log(ModeArg(state));
    Fill(log, n);
    LiveScore live(log);
    const SyntheticLog extra(2000, 99);
    const std::vector<QsoRecord> contacts = extra.Contacts(SyntheticLog::Sections());
    const std::vector<HrdRecord> heard = extra.Heard();
    size_t next = 0;
    for (auto _ : state) {
        const size_t i = contacts.size() - 1 - next++ % 100;
        if (log.Mode() == LogMode::Qso) {
            log.AppendWithoutIndexes(contacts[i]);
        } else {
            log.AppendWithoutIndexes(heard[i]);
        }
        LiveFigures figures = live.Figures();
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_LiveAppend)->Apply(SizesAndModes)->Unit(benchmark::kMicrosecond);

// The same appends with no figures attached: the log's own share.
void BM_LogAppendOnly(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    ContestLog log(ModeArg(state));
    Fill(log, n);
    const SyntheticLog extra(2000, 99);
    const std::vector<QsoRecord> contacts = extra.Contacts(SyntheticLog::Sections());
    const std::vector<HrdRecord> heard = extra.Heard();
    size_t next = 0;
    for (auto _ : state) {
        const size_t i = contacts.size() - 1 - next++ % 100;
        if (log.Mode() == LogMode::Qso) {
            log.AppendWithoutIndexes(contacts[i]);
        } else {
            log.AppendWithoutIndexes(heard[i]);
        }
        benchmark::DoNotOptimize(log.RowCount());
    }
}
BENCHMARK(BM_LogAppendOnly)->Apply(SizesAndModes)->Unit(benchmark::kMicrosecond);

// Every row counted again, as after a sort, a delete, New or a change of mode.
void BM_LiveRebuild(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    ContestLog log(ModeArg(state));
    Fill(log, n);
    LiveScore live(log);
    for (auto _ : state) {
        live.Rebuild();
        benchmark::DoNotOptimize(live.ClaimedScore());
    }
}
BENCHMARK(BM_LiveRebuild)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

// Open: a journal's bytes read into the log, which tells its observers of every line;
// with the figures following (`live`) or not. The difference is the panel's share.
void LoadBytes(benchmark::State& state, bool live) {
    const size_t n = static_cast<size_t>(state.range(0));
    const LogMode mode = ModeArg(state);
    const std::string bytes = SyntheticLog(n).JournalBytes(mode, SyntheticLog::Sections());
    ContestLog log(mode);
    auto figures = live ? std::make_unique<LiveScore>(log) : nullptr;
    StationSummary station;
    for (auto _ : state) {
        ReadLogBytes(bytes, SyntheticLog::Sections(), log, station);
        if (figures) {
            benchmark::DoNotOptimize(figures->Figures());
        }
    }
}
void BM_OpenWithLiveScore(benchmark::State& state) {
    LoadBytes(state, true);
}
void BM_OpenWithoutLiveScore(benchmark::State& state) {
    LoadBytes(state, false);
}
BENCHMARK(BM_OpenWithLiveScore)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWithoutLiveScore)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

}  // namespace
