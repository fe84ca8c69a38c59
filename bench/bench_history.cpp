// The call history and the partial-call lookup on a large contest: a log of 100,000
// contacts, a history of 100,000 stations and Debian's master list.
//
// - a keystroke's lookup (with the worked mark for the selected band and mode) over
//   1,000 random partial callsigns: median and worst, in microseconds;
// - the same right after a contact was added (the log's callsigns brought up to date);
// - reading a log with the lookup attached, and the lookup's Prepare after it;
// - loading the history file and the master list at start-up, time and allocator bytes;
// - the pre-fill lookup of a callsign's section in the history;
// - loading a history file of 1,000,000 lines;
// - an update of the history from a log of 100,000 contacts.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <utility>

#include <time.h>

#include "BenchSupport.h"
#include "SyntheticLog.h"
#include "history/CallHistory.h"
#include "history/HistoryFile.h"
#include "history/HistoryUpdate.h"
#include "history/MasterCallList.h"
#include "history/PartialCallLookup.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
#include "util/FileIo.h"
#include "util/TextNumber.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

constexpr size_t kLogEntries = 100'000;
constexpr size_t kHistoryStations = 100'000;
constexpr size_t kPartials = 1'000;

// A history of `stations` stations of the same shape as the log's (a good part of
// them worked in this log too), each with a section and a contact in 2015 to 2024.
CallHistory MakeHistory(size_t stations, uint64_t seed) {
    SyntheticLog calls(stations * 4, seed);
    std::mt19937_64 random(seed);
    std::vector<HistoryRecord> offers;
    offers.reserve(calls.Stations());
    const UtcMinute first = *EntryMinute("01.01.2015", "0000");
    for (size_t i = 0; i < calls.Stations() && offers.size() < stations; ++i) {
        const auto section = static_cast<int16_t>(
            NumericValue(SyntheticLog::SectionCode(random() % SyntheticLog::SectionCount())));
        offers.push_back(
            {calls.Callsign(i), section, first + static_cast<UtcMinute>(random() % (10 * 525'600))});
    }
    CallHistory history;
    history.Merge(std::move(offers));
    return history;
}

// Everything the lookup benchmarks share, made once.
class Contest {
  public:
    static Contest& Get() {
        static Contest contest;
        return contest;
    }
    ContestLog& Log() { return log_; }
    const CallHistory& History() const { return history_; }
    const std::vector<std::string>& Master() const { return master_; }
    const std::string& HistoryPath() const { return historyPath_; }
    const std::string& LogPath() const { return logPath_; }
    const SyntheticLog& Synthetic() const { return synthetic_; }
    // Partial callsigns as an operator types them: pieces of 2 to 5 characters of
    // known callsigns, and one in five of random characters (mostly no match, so the
    // whole of every source is scanned).
    const std::vector<std::string>& Partials() const { return partials_; }

  private:
    Contest() : folder_("history"), synthetic_(kLogEntries) {
        auto sections = std::make_unique<SectionTable>();
        SyntheticLog::FillSections(*sections);
        log_.Reserve(kLogEntries);
        for (const QsoRecord& record : synthetic_.Contacts(*sections)) {
            log_.Append(record);
        }
        history_ = MakeHistory(kHistoryStations, 2024);
        master_ = LoadMasterCalls(kMasterCallsPath).value_or(std::vector<std::string>());
        historyPath_ = folder_.File(kHistoryFileName);
        PutFile(historyPath_, HistoryFileBytes(history_));
        logPath_ = folder_.File("log.trnx");
        PutFile(logPath_, LogFileBytes(log_, SyntheticLog::Station(LogMode::Qso)));

        std::mt19937_64 random(7);
        const std::string characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        while (partials_.size() < kPartials) {
            if (random() % 5 == 0) {
                std::string text;
                for (size_t n = 2 + random() % 3; n > 0; --n) {
                    text += characters[random() % characters.size()];
                }
                partials_.push_back(text);
                continue;
            }
            const size_t source = random() % 3;
            std::string call = source == 0       ? synthetic_.Callsign(random() % synthetic_.Stations())
                               : source == 1     ? history_.Records()[random() % history_.Size()].call
                               : master_.empty() ? synthetic_.Callsign(0)
                                                 : master_[random() % master_.size()];
            const size_t length = std::min<size_t>(call.size(), 2 + random() % 4);
            partials_.push_back(call.substr(random() % (call.size() - length + 1), length));
        }
    }

    BenchFolder folder_;
    SyntheticLog synthetic_;
    ContestLog log_;
    CallHistory history_;
    std::vector<std::string> master_;
    std::string historyPath_;
    std::string logPath_;
    std::vector<std::string> partials_;
};

// Wall-clock and processor time of one call, in microseconds. On a shared machine the
// wall clock also counts the time the process waited for a processor; the processor
// time of the thread is what the lookup itself costs.
struct Timer {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    timespec cpu = Now();
    static timespec Now() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now;
    }
    double WallUs() const {
        return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - wall).count();
    }
    double CpuUs() const {
        timespec now = Now();
        return static_cast<double>(now.tv_sec - cpu.tv_sec) * 1e6 +
               static_cast<double>(now.tv_nsec - cpu.tv_nsec) / 1e3;
    }
};

struct Times {
    std::vector<double> wall, cpu;
    void Add(const Timer& timer) {
        cpu.push_back(timer.CpuUs());
        wall.push_back(timer.WallUs());
    }
};

void Report(benchmark::State& state, Times& times) {
    for (auto [values, name] : {std::pair{&times.wall, "wall"}, std::pair{&times.cpu, "cpu"}}) {
        std::sort(values->begin(), values->end());
        state.counters[std::string(name) + "_median_us"] = (*values)[values->size() / 2];
        state.counters[std::string(name) + "_p99_us"] = (*values)[values->size() * 99 / 100];
        state.counters[std::string(name) + "_worst_us"] = values->back();
    }
}

// One lookup per partial, each timed on its own. The first lookup after the log was
// loaded places all its callsigns in order; that one is timed on its own too.
void BM_KeystrokeLookup(benchmark::State& state) {
    Contest& contest = Contest::Get();
    PartialCallLookup lookup;
    lookup.SetHistory(contest.History());
    lookup.SetMasterCalls(contest.Master());
    Times times;
    Times first;
    size_t rows = 0;
    double indexHeap = 0;
    for (auto _ : state) {
        lookup.DetachLog();
        const size_t heapBefore = HeapInUse();
        lookup.AttachLog(contest.Log());
        indexHeap = static_cast<double>(HeapInUse() - heapBefore);
        Timer attached;
        rows += lookup.Find("IK2", BandAndMode{2, 0}).size();
        first.Add(attached);
        for (const std::string& partial : contest.Partials()) {
            Timer timer;
            std::vector<KnownCall> found = lookup.Find(partial, BandAndMode{2, 0});
            times.Add(timer);
            rows += found.size();
            benchmark::DoNotOptimize(found.data());
        }
    }
    Report(state, times);
    std::sort(first.cpu.begin(), first.cpu.end());
    std::sort(first.wall.begin(), first.wall.end());
    state.counters["first_after_attach_cpu_us"] = first.cpu[first.cpu.size() / 2];
    state.counters["first_after_attach_wall_us"] = first.wall[first.wall.size() / 2];
    state.counters["log_index_heap_MB"] = indexHeap / 1e6;
    state.counters["rows_per_lookup"] = static_cast<double>(rows) / static_cast<double>(times.cpu.size());
    state.counters["log_calls"] = static_cast<double>(contest.Synthetic().Stations());
    state.counters["master_calls"] = static_cast<double>(contest.Master().size());
}
BENCHMARK(BM_KeystrokeLookup)->Iterations(3)->Unit(benchmark::kMillisecond);

// A contact added to the log, then the next callsign's first keystrokes: the new
// callsign is placed among the log's ones by the lookup that follows.
void BM_KeystrokeAfterAddingAContact(benchmark::State& state) {
    Contest& contest = Contest::Get();
    ContestLog& log = contest.Log();
    PartialCallLookup lookup;
    lookup.SetHistory(contest.History());
    lookup.SetMasterCalls(contest.Master());
    lookup.AttachLog(log);
    lookup.Find("IK2");
    Times times;
    size_t i = 0;
    for (auto _ : state) {
        Timer timer;
        log.Append(QsoRecord{"03.06.2007", "1300", "7", "SSB", SyntheticLog::FreshCallsign(i), "59", "59",
                             "0101", ""});
        std::vector<KnownCall> found = lookup.Find(contest.Partials()[i % kPartials], BandAndMode{2, 0});
        times.Add(timer);
        benchmark::DoNotOptimize(found.data());
        ++i;
    }
    std::vector<size_t> added(i);
    for (size_t k = 0; k < i; ++k) {
        added[k] = log.RowCount() - i + k;
    }
    lookup.DetachLog();
    log.RemoveRows(added);
    Report(state, times);
}
BENCHMARK(BM_KeystrokeAfterAddingAContact)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// A 100,000-contact log read into the window's log, without (0) and with (1) the
// lookup attached to it (its index follows every entry read), and the lookup's
// Prepare afterwards (placing the log's callsigns in order).
void BM_ReadLogIntoTheLog(benchmark::State& state) {
    Contest& contest = Contest::Get();
    const std::string bytes = *ReadFileBytes(contest.LogPath());
    auto sections = std::make_unique<SectionTable>();
    SyntheticLog::FillSections(*sections);
    Times prepare;
    for (auto _ : state) {
        ContestLog log;
        StationSummary station;
        PartialCallLookup lookup;
        if (state.range(0) == 1) {
            lookup.AttachLog(log);
        }
        ReadLogBytes(bytes, *sections, log, station);
        Timer timer;
        lookup.Prepare();
        prepare.Add(timer);
        state.PauseTiming();
        lookup.DetachLog();
        state.ResumeTiming();
    }
    std::sort(prepare.cpu.begin(), prepare.cpu.end());
    state.counters["prepare_cpu_us"] = prepare.cpu[prepare.cpu.size() / 2];
}
BENCHMARK(BM_ReadLogIntoTheLog)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);

// Start-up: the history file and the master list read into the history and the
// lookup. The allocator's bytes still in use afterwards are what they hold.
void BM_LoadHistoryAndMasterList(benchmark::State& state) {
    Contest& contest = Contest::Get();
    double heap = 0;
    size_t stations = 0;
    for (auto _ : state) {
        const size_t heapBefore = HeapInUse();
        auto history = std::make_unique<CallHistory>();
        auto lookup = std::make_unique<PartialCallLookup>();
        LoadHistoryFile(contest.HistoryPath(), *history);
        lookup->SetHistory(*history);
        lookup->SetMasterCalls(LoadMasterCalls(kMasterCallsPath).value_or(std::vector<std::string>()));
        heap = static_cast<double>(HeapInUse() - heapBefore);
        stations = history->Size() + lookup->MasterSize();
        state.PauseTiming();
        lookup.reset();
        history.reset();
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = heap / 1e6;
    state.counters["stations"] = static_cast<double>(stations);
}
BENCHMARK(BM_LoadHistoryAndMasterList)->Iterations(10)->Unit(benchmark::kMillisecond);

// The pre-fill: a callsign's section in the history, half of them known.
void BM_PrefillLookup(benchmark::State& state) {
    Contest& contest = Contest::Get();
    const CallHistory& history = contest.History();
    std::vector<std::string> calls;
    std::mt19937_64 random(3);
    for (size_t i = 0; i < 4096; ++i) {
        calls.push_back(i % 2 ? history.Records()[random() % history.Size()].call
                              : SyntheticLog::FreshCallsign(i));
    }
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.SectionOf(calls[i++ & 4095]));
    }
}
BENCHMARK(BM_PrefillLookup)->Unit(benchmark::kNanosecond);

// No fixed limits: a history file of 1,000,000 stations.
void BM_LoadMillionLineHistory(benchmark::State& state) {
    BenchFolder folder("history-million");
    const std::string path = folder.File(kHistoryFileName);
    PutFile(path, HistoryFileBytes(MakeHistory(1'000'000, 99)));
    size_t stations = 0;
    double heap = 0;
    for (auto _ : state) {
        const size_t heapBefore = HeapInUse();
        auto history = std::make_unique<CallHistory>();
        HistoryLoadResult loaded = LoadHistoryFile(path, *history);
        heap = static_cast<double>(HeapInUse() - heapBefore);
        stations = loaded.ok ? history->Size() : 0;
        state.PauseTiming();
        history.reset();
        state.ResumeTiming();
    }
    state.counters["stations"] = static_cast<double>(stations);
    state.counters["heap_MB"] = heap / 1e6;
}
BENCHMARK(BM_LoadMillionLineHistory)->Iterations(3)->Unit(benchmark::kMillisecond);

// "Aggiorna storico nominativi" with this contest's log on the 100,000-station history.
void BM_UpdateHistoryFromLog(benchmark::State& state) {
    Contest& contest = Contest::Get();
    size_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CallHistory history = contest.History();
        state.ResumeTiming();
        added = UpdateHistory(history, {contest.LogPath()}).added;
    }
    state.counters["added"] = static_cast<double>(added);
}
BENCHMARK(BM_UpdateHistoryFromLog)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
