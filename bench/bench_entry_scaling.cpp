// The entry form on a small and a large log, side by side: evaluating a callsign
// (QSO mode), evaluating the calling and the answering station (listening mode), and
// adding a contact or a heard exchange the way the person does it, with the journal
// line appended and flushed.
//
// The adding runs twice: with the journal in memory (/dev/shm), where the flush costs
// next to nothing and the figure is the program's own work, and with the journal on
// the disk, where the flush to disk is added.

#include <benchmark/benchmark.h>

#include "BenchSession.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(100000);
}

// The evaluations also at 10,000: where the log outgrows the processor's caches.
void EvaluationSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000);
}

// Leaving the callsign field: the previous contacts, grid 1, the section filled from
// the first earlier contact, the duplicate flag.
void BM_EvaluateCallsign(benchmark::State& state) {
    BenchSession bench(LogMode::Qso, static_cast<size_t>(state.range(0)), JournalPlace::Memory);
    EntryForm& form = bench.Form();
    size_t i = 0;
    size_t shown = 0;
    for (auto _ : state) {
        form.SetText(EntryField::Section, "");
        form.SetText(EntryField::Callsign, bench.Synthetic().TypicalCallsign(i++));
        form.EvaluateCallsign();
        shown += form.State().previous.size();
    }
    if (shown == 0) {
        state.SkipWithError("no previous contacts were found");
    }
}
BENCHMARK(BM_EvaluateCallsign)->Apply(EvaluationSizes)->Unit(benchmark::kMicrosecond);

// Listening mode, callsign 1 left: the calling station looked up, its section and the
// C marker shown.
void BM_ListeningEvaluateCalling(benchmark::State& state) {
    BenchSession bench(LogMode::Listening, static_cast<size_t>(state.range(0)), JournalPlace::Memory);
    EntryForm& form = bench.Form();
    size_t i = 0;
    for (auto _ : state) {
        form.SetText(EntryField::Section, "");
        form.SetText(EntryField::Callsign, bench.Synthetic().TypicalCallsign(i++));
        form.EvaluateCallsign();
        benchmark::DoNotOptimize(form.State().indicators.calling.on);
    }
}
BENCHMARK(BM_ListeningEvaluateCalling)->Apply(EvaluationSizes)->Unit(benchmark::kMicrosecond);

// Listening mode, callsign 2 left (the focus moving on from it, as the person does):
// both stations looked up, section 2, the R and M markers, the duplicate and the swap
// check.
void BM_ListeningEvaluateAnswering(benchmark::State& state) {
    BenchSession bench(LogMode::Listening, static_cast<size_t>(state.range(0)), JournalPlace::Memory);
    EntryForm& form = bench.Form();
    form.OnFocusChanged(EntryField::Section2);
    size_t i = 0;
    for (auto _ : state) {
        form.OnFocusChanged(EntryField::Callsign2);
        form.SetText(EntryField::Callsign, bench.Synthetic().TypicalCallsign(i));
        form.SetText(EntryField::Section2, "");
        form.SetText(EntryField::Callsign2, bench.Synthetic().TypicalCallsign(i + 7));
        ++i;
        form.OnFocusChanged(EntryField::Section2);
        benchmark::DoNotOptimize(form.State().duplicate);
    }
}
BENCHMARK(BM_ListeningEvaluateAnswering)->Apply(EvaluationSizes)->Unit(benchmark::kMicrosecond);

// Callsign, Enter, section, Enter: checked, added, appended, the form cleared.
void AddContacts(benchmark::State& state, JournalPlace place) {
    BenchSession bench(LogMode::Qso, static_cast<size_t>(state.range(0)), place);
    EntryForm& form = bench.Form();
    const size_t before = bench.Log().RowCount();
    size_t i = 0;
    for (auto _ : state) {
        form.OnFocusChanged(EntryField::Callsign);
        form.SetText(EntryField::Callsign, SyntheticLog::FreshCallsign(i++));
        form.OnEnter();
        form.OnSectionTyped(SyntheticLog::SectionCode(i % SyntheticLog::SectionCount()));
        form.OnEnter();
    }
    if (bench.Log().RowCount() != before + i || bench.Prompts().messages != 0) {
        state.SkipWithError("a contact was not added");
    }
}
void BM_AddContact_JournalInMemory(benchmark::State& state) {
    AddContacts(state, JournalPlace::Memory);
}
void BM_AddContact_JournalOnDisk(benchmark::State& state) {
    AddContacts(state, JournalPlace::Disk);
}
BENCHMARK(BM_AddContact_JournalInMemory)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddContact_JournalOnDisk)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// Listening mode: two stations never heard before, so that every exchange becomes two
// heard entries (two journal lines).
void AddExchanges(benchmark::State& state, JournalPlace place) {
    BenchSession bench(LogMode::Listening, static_cast<size_t>(state.range(0)), place);
    EntryForm& form = bench.Form();
    const size_t before = bench.Log().RowCount();
    size_t i = 0;
    for (auto _ : state) {
        const std::string section1 = SyntheticLog::SectionCode(i % SyntheticLog::SectionCount());
        const std::string section2 = SyntheticLog::SectionCode((i + 5) % SyntheticLog::SectionCount());
        form.OnFocusChanged(EntryField::Callsign);
        form.SetText(EntryField::Callsign, SyntheticLog::FreshCallsign(2 * i));
        form.OnEnter();
        form.OnFocusChanged(EntryField::Section);
        form.OnSectionTyped(section1);
        form.OnEnter();
        form.OnFocusChanged(EntryField::Callsign2);
        form.SetText(EntryField::Callsign2, SyntheticLog::FreshCallsign(2 * i + 1));
        form.OnEnter();
        form.OnFocusChanged(EntryField::Section2);
        form.OnSection2Typed(section2);
        form.OnEnter();
        ++i;
    }
    if (bench.Log().RowCount() != before + 2 * i || bench.Prompts().messages != 0) {
        state.SkipWithError("an exchange was not added as two heard entries");
    }
}
void BM_AddHeard_JournalInMemory(benchmark::State& state) {
    AddExchanges(state, JournalPlace::Memory);
}
void BM_AddHeard_JournalOnDisk(benchmark::State& state) {
    AddExchanges(state, JournalPlace::Disk);
}
BENCHMARK(BM_AddHeard_JournalInMemory)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddHeard_JournalOnDisk)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

}  // namespace
