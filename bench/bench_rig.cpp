// The window's side of reading the radio: taking a reading out of the mailbox with
// the band and mode to apply and the status text to show. The poller's thread maps
// the radio's frequency and mode before it posts; that cost is measured apart.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "rig/RigMailbox.h"
#include "rig/RigStatus.h"

using namespace tarnex;

namespace {

// Readings that move band and mode at every step, so that every drain has news.
const std::array<RadioSample, 4> kSamples = {{
    {14'025'000, "CW"},
    {7'050'000, "LSB"},
    {21'080'000, "RTTY"},
    {3'650'000, "LSB"},
}};

// Post a reading (as the poller's thread does), drain it and build the texts the
// window shows (as the window's thread does): the whole hand-over of one poll.
void BM_RigPostAndDrain(benchmark::State& state) {
    RigMailbox box;
    int notified = 0;
    box.SetNotify([&] { ++notified; });
    const uint64_t run = box.BeginRun(RigStatus::Disconnected("Collegamento con la radio in corso"));
    box.Drain();
    size_t i = 0;
    for (auto _ : state) {
        box.Post(run, RigStatus::Connected(kSamples[i++ % kSamples.size()], "Hamlib Dummy"));
        std::optional<RigUpdate> update = box.Drain();
        std::string text = update->status.Text();
        std::string band = update->status.BandText();
        std::string mode = update->status.ModeText();
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(band);
        benchmark::DoNotOptimize(mode);
        benchmark::DoNotOptimize(update->newBand + update->newMode);
    }
    state.counters["notified"] = notified;
}
BENCHMARK(BM_RigPostAndDrain);

// A drain that finds nothing new.
void BM_RigDrainNothingNew(benchmark::State& state) {
    RigMailbox box;
    box.BeginRun(RigStatus::Disconnected("x"));
    box.Drain();
    for (auto _ : state) {
        benchmark::DoNotOptimize(box.Drain());
    }
}
BENCHMARK(BM_RigDrainNothingNew);

// The poller's thread: a sample of the radio to the contest's band and mode.
void BM_RigMapSample(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state) {
        RigStatus status = RigStatus::Connected(kSamples[i++ % kSamples.size()], "Hamlib Dummy");
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BM_RigMapSample);

}  // namespace
