// Correcting and removing entries of a small and a large log as the commands do it:
// the row written back (or removed), the whole journal rewritten and flushed, both
// indexes rebuilt and the log marked modified. Also the three listening-mode
// evaluations in a row (callsign 1, then callsign 2 with its duplicate and swap
// check), as the person leaves the two fields.
//
// Arguments: entries, then the mode (0 QSO, 1 listening).

#include <benchmark/benchmark.h>

#include "BenchArgs.h"
#include "BenchSession.h"
#include "app/LogEditCommands.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

// "Modifica" on one row in the middle of the log, accepted with a new report.
void BM_EditOneRow(benchmark::State& state) {
    BenchSession bench(ModeArg(state), static_cast<size_t>(state.range(0)));
    LogEditCommands commands(bench.Session());
    RowEditor editor;
    bool flip = false;
    editor.editQso = [&](const QsoRecord& row) {
        QsoRecord edited = row;
        edited.rstReceived = flip ? "57" : "58";
        return std::optional<QsoRecord>(edited);
    };
    editor.editListening = [&](const HrdRecord& row) {
        HrdRecord edited = row;
        edited.rst = flip ? "57" : "58";
        return std::optional<HrdRecord>(edited);
    };
    const size_t middle = bench.Log().RowCount() / 2;
    for (auto _ : state) {
        flip = !flip;
        benchmark::DoNotOptimize(commands.Edit({middle}, editor));
    }
    if (bench.Prompts().messages != 0) {
        state.SkipWithError("the journal could not be written");
    }
}
BENCHMARK(BM_EditOneRow)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

// "Elimina" on two rows (the question answered Yes). The two rows are appended again
// outside the timing, so that the log keeps its size.
void BM_DeleteTwoRows(benchmark::State& state) {
    BenchSession bench(ModeArg(state), static_cast<size_t>(state.range(0)));
    LogEditCommands commands(bench.Session());
    ContestLog& log = bench.Log();
    const size_t rows = log.RowCount();
    const std::vector<size_t> doomed = {rows / 3, rows / 2};
    for (auto _ : state) {
        state.PauseTiming();
        const bool qso = log.Mode() == LogMode::Qso;
        std::vector<QsoRecord> contacts;
        std::vector<HrdRecord> heard;
        for (size_t row : doomed) {
            if (qso) {
                contacts.push_back(log.Qso(row));
            } else {
                heard.push_back(log.Listening(row));
            }
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(commands.Delete(doomed));
        state.PauseTiming();
        for (const QsoRecord& record : contacts) {
            log.Append(record);
        }
        for (const HrdRecord& record : heard) {
            log.Append(record);
        }
        state.ResumeTiming();
    }
    if (bench.Prompts().messages != 0) {
        state.SkipWithError("the journal could not be written");
    }
}
BENCHMARK(BM_DeleteTwoRows)->Apply(SizesAndModes)->Unit(benchmark::kMillisecond);

// Listening mode: callsign 1 left, then callsign 2 left, for pairs of stations of
// the log (some already heard calling, so the duplicate and the swap are checked).
void BM_ListeningBothEvaluations(benchmark::State& state) {
    BenchSession bench(LogMode::Listening, static_cast<size_t>(state.range(0)), JournalPlace::Memory);
    EntryForm& form = bench.Form();
    form.OnFocusChanged(EntryField::Section2);
    size_t i = 0;
    for (auto _ : state) {
        form.OnFocusChanged(EntryField::Callsign2);
        form.SetText(EntryField::Section, "");
        form.SetText(EntryField::Section2, "");
        form.SetText(EntryField::Callsign, bench.Synthetic().TypicalCallsign(i));
        form.SetText(EntryField::Callsign2, bench.Synthetic().TypicalCallsign(i + 11));
        ++i;
        form.EvaluateCallsign();
        form.OnFocusChanged(EntryField::Section2);  // leaving callsign 2 evaluates it
        benchmark::DoNotOptimize(form.State().duplicate);
    }
}
BENCHMARK(BM_ListeningBothEvaluations)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
