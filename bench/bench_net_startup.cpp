// A position of a shared log starting on 100,000 events of its local copy of the
// stream (no server to reach): with the journal already holding the log (a restart),
// and with the journal to write again; and the memory the shared log's state takes
// beside the log itself.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "BenchSupport.h"
#include "NetPosition.h"
#include "SyntheticLog.h"
#include "net/EventFile.h"

using namespace tarnex;
using namespace tarnex::bench;
using namespace tarnex::testing;
using Clock = std::chrono::steady_clock;

namespace {

// Contacts of a synthetic weekend as events of three positions.
std::vector<NetEvent> SyntheticEvents(size_t count) {
    auto sections = std::make_unique<SectionTable>();
    SyntheticLog::FillSections(*sections);
    std::vector<NetEvent> events;
    events.reserve(count);
    const char* const positions[] = {"RUN", "MULT", "SPOT"};
    size_t i = 0;
    for (const QsoRecord& contact : SyntheticLog(count).Contacts(*sections)) {
        events.push_back(NetEvent::MakeAdd(positions[i % 3], 1 + i / 3, LogMode::Qso, FieldsOf(contact)));
        ++i;
    }
    return events;
}

// A folder holding a position's local copy of a 100,000-event stream and the journal
// it made of it.
class StartUpFolder {
  public:
    static StartUpFolder& Get() {
        static StartUpFolder folder;
        return folder;
    }
    const std::string& Path() const { return path_; }
    const std::string& Journal() const { return journal_; }

  private:
    StartUpFolder() : scratch_(true), path_(scratch_.Sub("position")) {
        std::vector<StoredEvent> stored;
        uint64_t sequence = 0;
        for (const NetEvent& event : SyntheticEvents(100000)) {
            stored.push_back({++sequence, EncodeNetEvent(event)});
        }
        std::filesystem::create_directories(path_ + "rete/BENCH");
        PutFile(path_ + "rete/BENCH/flusso.evt", EventFile::Bytes(stored));
        NetPosition position(path_);
        position.Start("nats://127.0.0.1:1", "BENCH", "RUN");
        position.net->Stop();
        journal_ = position.Journal();
    }
    NetScratch scratch_;
    std::string path_;
    std::string journal_;
};

void StartUpOn100kEvents(benchmark::State& state) {
    const bool rebuild = state.range(0) == 1;
    StartUpFolder& folder = StartUpFolder::Get();
    for (auto _ : state) {
        PutFile(folder.Path() + "_ult.trnx", rebuild ? std::string() : folder.Journal());
        if (rebuild) {
            std::filesystem::remove(folder.Path() + "_ult.trnx");
        }
        const size_t heapBefore = HeapInUse();
        NetPosition position(folder.Path());  // loads the journal as the window does
        const size_t heapLoaded = HeapInUse();
        const auto start = Clock::now();
        position.Start("nats://127.0.0.1:1", "BENCH", "RUN");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        // What the shared log's state takes beside the log itself.
        state.counters["log_mb"] = static_cast<double>(heapLoaded - heapBefore) / 1e6;
        state.counters["net_mb"] = static_cast<double>(HeapInUse() - heapLoaded) / 1e6;
        if (position.Log().RowCount() != 100000 || position.Journal() != folder.Journal()) {
            state.SkipWithError("the log shown is not the stream's log");
        }
    }
}
BENCHMARK(StartUpOn100kEvents)
    ->Name("BM_NetStartUp100k")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
