// The window's side of reading the radio: taking a reading out of the mailbox with
// the band and mode to apply and the status text to show, and handing it to a real
// entry form on a log of 100,000 contacts. The poller's thread maps the radio's
// frequency and mode before it posts; that cost is measured apart. And the person's
// typing on that form, with and without a poller reading Hamlib's dummy radio every
// 100 ms on its own thread.

#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "BenchSession.h"
#include "log/BandMode.h"
#include "rig/RigMailbox.h"
#include "rig/RigPoller.h"
#include "rig/RigStatus.h"

using namespace tarnex;
using namespace tarnex::bench;

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
    // Every reading was news, told once (the start of the run too). No counter: the
    // programs's table holds none, so that its repetitions may run shuffled.
    if (notified != static_cast<int>(i) + 1) {
        state.SkipWithError("a reading was not told to the window");
    }
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

// What the window does with an update (RigController): the status text built, and a
// move of band or mode handed to the form on the person's own path.
int HandOver(const RigUpdate& update, EntryForm& form) {
    std::string text = update.status.Text();
    benchmark::DoNotOptimize(text);
    if (update.newBand < 0 && update.newMode < 0) {
        return 0;
    }
    const std::string band =
        update.newBand >= 0 ? std::string(kBandTexts[static_cast<size_t>(update.newBand)]) : "";
    const std::string mode =
        update.newMode >= 0 ? std::string(kModeTexts[static_cast<size_t>(update.newMode)]) : "";
    form.OnBandModeReported(band, mode);
    return 1;
}

// One poll that moves band and mode, as far as the window's thread is concerned, on a
// log of 100,000 contacts with a callsign typed: the reading posted (the poller's
// side, counted in as well), drained, and handed to the entry form, which stores band
// and mode, resets the reports for the mode, evaluates the callsign again and lights
// the grids.
void BM_RigHandOverToForm(benchmark::State& state) {
    BenchSession bench(LogMode::Qso, 100000, JournalPlace::Memory);
    EntryForm& form = bench.Form();
    form.OnCallsignTyped(EntryField::Callsign, bench.Synthetic().TypicalCallsign(7));
    RigMailbox box;
    const uint64_t run = box.BeginRun(RigStatus::Disconnected("Collegamento con la radio in corso"));
    box.Drain();
    size_t i = 0;
    int handed = 0;
    for (auto _ : state) {
        const RadioSample& sample = kSamples[i++ % kSamples.size()];
        box.Post(run, RigStatus::Connected(sample, "Hamlib Dummy"));
        handed += HandOver(*box.Drain(), form);
    }
    const RadioSample& last = kSamples[(i - 1) % kSamples.size()];
    if (handed != static_cast<int>(i) || form.Values().band != RigStatus::Connected(last, "").BandText()) {
        state.SkipWithError("the form did not follow the radio");
    }
}
BENCHMARK(BM_RigHandOverToForm)->Unit(benchmark::kMicrosecond);

// The person types a callsign on a log of 100,000 contacts, through the presenter as
// the window passes it on: every keystroke (OnCallsignTyped), then the focus leaving
// the field (the callsign evaluated). Argument 1: a poller reads Hamlib's dummy radio
// every 100 ms meanwhile, its news handled between callsigns as the window's queued
// call would be; argument 0: no radio. Timed per callsign (five or six keys, five
// and a half on average).
void BM_TypeCallsignWhileRadioPolls(benchmark::State& state) {
    const bool polling = state.range(0) != 0;
    BenchSession bench(LogMode::Qso, 100000, JournalPlace::Memory);
    EntryForm& form = bench.Form();
    std::atomic<bool> news{false};
    RigPoller poller;
    poller.SetNotify([&] { news = true; });
    if (polling) {
        poller.Start(RigConfig{kDummyRadioModel, "", 0, 100});
        const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!poller.Status().connected && std::chrono::steady_clock::now() < bound) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    poller.Drain();
    size_t i = 0;
    for (auto _ : state) {
        if (news.exchange(false)) {
            while (std::optional<RigUpdate> update = poller.Drain()) {
                HandOver(*update, form);
            }
        }
        const std::string& call = bench.Synthetic().TypicalCallsign(i++);
        form.OnFocusChanged(EntryField::Callsign);
        for (size_t n = 1; n <= call.size(); ++n) {
            form.OnCallsignTyped(EntryField::Callsign, call.substr(0, n));
        }
        form.OnFocusChanged(EntryField::RstSent);
        benchmark::DoNotOptimize(form.State().previous.size());
    }
    if (polling && !poller.Status().connected) {
        state.SkipWithError("the dummy radio was not read");
    }
    poller.SetNotify({});
    poller.Stop();
}
BENCHMARK(BM_TypeCallsignWhileRadioPolls)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
