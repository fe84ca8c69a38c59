// The export commands as the menu runs them (the score computed and stored first for
// the two Cabrillo files, the file built and written whole: temporary file, flush,
// rename), side by side with writing the same bytes the same way. The flush to disk
// varies from one run to the next, so each figure is the median of five runs. The
// checks the window runs before the Cabrillo, Cabrillo 3.0 and ADIF files are
// measured on their own (the commands here have no review of findings).
//
// Arguments: entries, then the mode (0 QSO, 1 listening).

#include <benchmark/benchmark.h>

#include "BenchArgs.h"
#include "BenchSession.h"
#include "app/ExportCommands.h"
#include "check/LogCheck.h"
#include "export/AdifExport.h"
#include "export/Cabrillo3Export.h"
#include "export/CabrilloExport.h"
#include "export/FastlogExport.h"
#include "score/ScoreComputation.h"
#include "util/FileIo.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

enum class Format { Cabrillo, Cabrillo3, Adif, Fastlog };

void SizesQsoOnly(benchmark::internal::Benchmark* b) {
    b->Args({1000, 0})->Args({100000, 0});
}

// The station values of the Cabrillo 3.0 file, as the settings keep them.
const StationExtras kExtras = {"LOW", "", "op@example.org"};

// The Cabrillo 3.0 options the command takes from the settings.
Cabrillo3Options SettingsCabrillo3Options(BenchSession& bench) {
    Cabrillo3Options options;
    options.contest = bench.GetSettings().contestName;
    options.extras = kExtras;
    return options;
}

// The bytes the command writes for the session's log.
std::string BytesOf(Format format, BenchSession& bench) {
    const ContestLog& log = bench.Log();
    const StationSummary& station = bench.GetSettings().station;
    switch (format) {
        case Format::Cabrillo:
            return ExportCabrillo(log, station, bench.Sections(), ComputeScore(log).claimedScore);
        case Format::Cabrillo3:
            return ExportCabrillo3(log, station, bench.Sections(), ComputeScore(log).claimedScore,
                                   SettingsCabrillo3Options(bench));
        case Format::Adif:
            return ExportAdif(log, station);
        case Format::Fastlog:
            return ExportFastlog(log).value_or("");
    }
    return {};
}

void RunCommand(benchmark::State& state, Format format) {
    BenchSession bench(ModeArg(state), static_cast<size_t>(state.range(0)));
    bench.Prompts().nextFile = bench.Folder().File("export.out");
    bench.GetSettings().extras = kExtras;
    ExportCommands commands(bench.Session());
    for (auto _ : state) {
        ExportOutcome outcome = format == Format::Cabrillo    ? commands.ExportCabrillo()
                                : format == Format::Cabrillo3 ? commands.ExportCabrillo3()
                                : format == Format::Adif      ? commands.ExportAdif()
                                                              : commands.ExportFastlog();
        if (outcome != ExportOutcome::Written) {
            state.SkipWithError("the export did not write its file");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(BytesOf(format, bench).size()) * state.iterations());
}

void WriteSameBytes(benchmark::State& state, Format format) {
    BenchSession bench(ModeArg(state), static_cast<size_t>(state.range(0)));
    const std::string bytes = BytesOf(format, bench);
    const std::string path = bench.Folder().File("export.out");
    for (auto _ : state) {
        if (!WriteFileAtomically(path, bytes)) {
            state.SkipWithError("the bytes could not be written");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
}

// Only building the file's bytes in memory, to show where the time of the command goes.
void BuildBytes(benchmark::State& state, Format format) {
    BenchSession bench(ModeArg(state), static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::string bytes = BytesOf(format, bench);
        benchmark::DoNotOptimize(bytes.data());
    }
}

// A plain copy of the same bytes into fresh memory: the least building them can cost.
void CopyBytes(benchmark::State& state, Format format) {
    BenchSession bench(ModeArg(state), static_cast<size_t>(state.range(0)));
    const std::string bytes = BytesOf(format, bench);
    for (auto _ : state) {
        std::string copy(bytes);
        benchmark::DoNotOptimize(copy.data());
    }
}

void BM_ExportCabrillo(benchmark::State& state) {
    RunCommand(state, Format::Cabrillo);
}
void BM_WriteCabrilloBytes(benchmark::State& state) {
    WriteSameBytes(state, Format::Cabrillo);
}
void BM_BuildCabrilloBytes(benchmark::State& state) {
    BuildBytes(state, Format::Cabrillo);
}
void BM_CopyCabrilloBytes(benchmark::State& state) {
    CopyBytes(state, Format::Cabrillo);
}
void BM_ExportCabrillo3(benchmark::State& state) {
    RunCommand(state, Format::Cabrillo3);
}
void BM_WriteCabrillo3Bytes(benchmark::State& state) {
    WriteSameBytes(state, Format::Cabrillo3);
}
void BM_BuildCabrillo3Bytes(benchmark::State& state) {
    BuildBytes(state, Format::Cabrillo3);
}
void BM_CopyCabrillo3Bytes(benchmark::State& state) {
    CopyBytes(state, Format::Cabrillo3);
}
// The checks the window runs before an export (the log is clean: no finding).
void BM_CheckLogBeforeSending(benchmark::State& state) {
    BenchSession bench(ModeArg(state), static_cast<size_t>(state.range(0)));
    CheckRequest request{&bench.GetSettings().station, kExtras, CheckedExport::Cabrillo3};
    size_t findings = 0;
    for (auto _ : state) {
        findings = CheckLog(bench.Log(), bench.Sections(), request).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}
void BM_ExportAdif(benchmark::State& state) {
    RunCommand(state, Format::Adif);
}
void BM_WriteAdifBytes(benchmark::State& state) {
    WriteSameBytes(state, Format::Adif);
}
void BM_BuildAdifBytes(benchmark::State& state) {
    BuildBytes(state, Format::Adif);
}
void BM_CopyAdifBytes(benchmark::State& state) {
    CopyBytes(state, Format::Adif);
}
void BM_ExportFastlog(benchmark::State& state) {
    RunCommand(state, Format::Fastlog);
}
void BM_WriteFastlogBytes(benchmark::State& state) {
    WriteSameBytes(state, Format::Fastlog);
}
void BM_BuildFastlogBytes(benchmark::State& state) {
    BuildBytes(state, Format::Fastlog);
}
void BM_CopyFastlogBytes(benchmark::State& state) {
    CopyBytes(state, Format::Fastlog);
}

BENCHMARK(BM_ExportCabrillo)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCabrilloBytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildCabrilloBytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCabrillo3)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCabrillo3Bytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildCabrillo3Bytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckLogBeforeSending)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportAdif)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteAdifBytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAdifBytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFastlog)
    ->Apply(SizesQsoOnly)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFastlogBytes)
    ->Apply(SizesQsoOnly)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildFastlogBytes)
    ->Apply(SizesQsoOnly)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_CopyCabrilloBytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyCabrillo3Bytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyAdifBytes)
    ->Apply(SizesAndModes)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFastlogBytes)
    ->Apply(SizesQsoOnly)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
