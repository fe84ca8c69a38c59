// The journal: loading it into the log with both indexes, side by side with only
// reading the same file's bytes; appending one entry flushed to disk on a small and
// a large journal; and the memory a large log takes.
//
// Arguments: entries, then the mode (0 QSO, 1 listening).

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <utility>

#include "BenchArgs.h"
#include "BenchSupport.h"
#include "SyntheticLog.h"
#include "SyntheticLogFiles.h"
#include "app/AppTexts.h"
#include "log/ContestLog.h"
#include "log/Journal.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"
#include "sections/TextLineReader.h"
#include "util/FileIo.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

// One journal per size and mode, written once for the whole run.
SyntheticLogFiles& Journals() {
    static SyntheticLogFiles journals("journal");
    return journals;
}

void SizesAndModes(benchmark::internal::Benchmark* b) {
    for (int64_t mode : {0, 1}) {
        for (int64_t entries : {1000, 10000, 100000}) {
            b->Args({entries, mode});
        }
    }
}

// The baseline: the file's bytes into memory, nothing else.
void BM_ReadJournalBytes(benchmark::State& state) {
    const std::string& path = Journals().PathFor(static_cast<size_t>(state.range(0)), ModeArg(state));
    size_t bytes = 0;
    for (auto _ : state) {
        std::optional<std::string> read = ReadFileBytes(path);
        bytes = read->size();
        benchmark::DoNotOptimize(read->data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_ReadJournalBytes)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

// The bytes read and cut into lines with the program's line reader, nothing else: the
// part of a load that only reads the file as text.
void BM_ReadJournalLines(benchmark::State& state) {
    const std::string& path = Journals().PathFor(static_cast<size_t>(state.range(0)), ModeArg(state));
    for (auto _ : state) {
        std::optional<std::string> read = ReadFileBytes(path);
        TextSource source(*read);
        TextLine line;
        size_t lines = 0;
        do {
            ReadTextLine(source, kLogLineLimit, line);
            ++lines;
        } while (!line.endOfFile);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ReadJournalLines)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

// What the window does when it opens: the journal read into an empty log, the mode
// and station from the header, every row with its section name and both indexes.
void BM_LoadJournal(benchmark::State& state) {
    SyntheticLogFiles& journals = Journals();
    const std::string& path = journals.PathFor(static_cast<size_t>(state.range(0)), ModeArg(state));
    Journal journal(path);
    for (auto _ : state) {
        state.PauseTiming();
        auto log = std::make_unique<ContestLog>(LogMode::Qso);
        StationSummary station;
        state.ResumeTiming();
        if (journal.Load(*log, station, journals.Sections()) != JournalLoad::Loaded ||
            log->RowCount() != static_cast<size_t>(state.range(0))) {
            state.SkipWithError("the journal did not load whole");
        }
        state.PauseTiming();
        log.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadJournal)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

// One new entry's line appended to the journal and flushed to disk (the median of five
// runs: the flush varies from run to run).
void BM_AppendFlushed(benchmark::State& state) {
    const LogMode mode = ModeArg(state);
    const size_t entries = static_cast<size_t>(state.range(0));
    BenchFolder folder("append");
    const std::string path = folder.File(kJournalFileName);
    std::unique_ptr<SectionTable> sections = std::make_unique<SectionTable>();
    SyntheticLog::FillSections(*sections);
    PutFile(path, SyntheticLog(entries).JournalBytes(mode, *sections));
    const std::string line =
        mode == LogMode::Qso
            ? QsoLine({"03.06.2007", "1359", "7", "CW", "II2ABC", "599", "599", "2011", "MILANO"}, "2011")
            : ListeningLine({"03.06.2007", "1359", "7", "CW", "II2ABC", "599", "2011", "IK2AAA"});
    Journal journal(path);
    for (auto _ : state) {
        if (!journal.Append(line)) {
            state.SkipWithError("append failed");
            break;
        }
    }
}
BENCHMARK(BM_AppendFlushed)
    ->Args({1000, 0})
    ->Args({100000, 0})
    ->Args({1000, 1})
    ->Args({100000, 1})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The memory a loaded log holds: the allocator's bytes in use and the resident set,
// before and after loading, the journal's bytes already read and freed.
void BM_MemoryOfLoadedLog(benchmark::State& state) {
    SyntheticLogFiles& journals = Journals();
    const std::string& path = journals.PathFor(static_cast<size_t>(state.range(0)), ModeArg(state));
    Journal journal(path);
    double heap = 0;
    double resident = 0;
    for (auto _ : state) {
        const size_t heapBefore = HeapInUse();
        const size_t residentBefore = ResidentBytes();
        auto log = std::make_unique<ContestLog>(LogMode::Qso);
        StationSummary station;
        journal.Load(*log, station, journals.Sections());
        heap = static_cast<double>(HeapInUse() - heapBefore);
        resident = static_cast<double>(ResidentBytes() - residentBefore);
        benchmark::DoNotOptimize(log->RowCount());
    }
    state.counters["heap_MB"] = heap / 1e6;
    state.counters["rss_MB"] = resident / 1e6;
}
BENCHMARK(BM_MemoryOfLoadedLog)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
