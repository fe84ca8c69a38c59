// The shared log of several positions on a real nats-server (JetStream) started here on
// the loopback address, with the positions' files on the real disk:
// - a contact added on one position until it shows on another, 1,000 times (median,
//   99th percentile and worst), from the moment the entry form adds it and from the
//   moment the add returned (the two flushes of the adding position left out);
// - a new position reading a stream of 100,000 events from the server;
// - a position that logged 1,000 contacts while the server was down, from the server's
//   return until every contact is back from it.

#include <benchmark/benchmark.h>
#include <nats/nats.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>

#include "BenchSupport.h"
#include "NatsServer.h"
#include "NetPosition.h"
#include "SyntheticLog.h"
#include "net/NetConfig.h"
#include "net/SharedLogAdmin.h"

using namespace tarnex;
using namespace tarnex::bench;
using namespace tarnex::testing;
using Clock = std::chrono::steady_clock;

namespace {

double Millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

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

// The moment a row is added to a log: when the list on screen shows it.
struct RowShown : ContestLogObserver {
    Clock::time_point at;
    void AfterAppend(size_t) override { at = Clock::now(); }
};

bool Online(NetPosition& p) {
    return p.PollUntil([&] { return p.net->Status().online; }, std::chrono::milliseconds(20000));
}

void ContactShowsOnAnotherPosition(benchmark::State& state) {
    NetScratch scratch(true);
    NatsServer server("bench", scratch.Sub("store"));
    if (!server.Start() || !CreateSharedLog({server.Url()}, "BENCH", 1).ok) {
        state.SkipWithError("no nats-server");
        return;
    }
    NetPosition a(scratch.Sub("a"));
    NetPosition b(scratch.Sub("b"));
    a.Start(server.Url(), "BENCH", "A");
    b.Start(server.Url(), "BENCH", "B");
    if (!Online(a) || !Online(b)) {
        state.SkipWithError("positions not online");
        return;
    }
    std::vector<double> fromAdd;
    std::vector<double> fromSend;
    RowShown shownOnB;
    b.Log().AddObserver(&shownOnB);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const size_t before = b.Log().RowCount();
            const auto start = Clock::now();
            a.AddQso("I" + std::to_string(i % 10) + "ZZ" + std::to_string(i), "1200");
            const auto added = Clock::now();
            b.PollUntil([&] { return b.Log().RowCount() > before; });
            const auto shown = shownOnB.at;
            fromAdd.push_back(Millis(shown - start));
            fromSend.push_back(Millis(shown - added));
            a.net->Poll();
        }
    }
    b.Log().RemoveObserver(&shownOnB);
    for (std::vector<double>* v : {&fromAdd, &fromSend}) {
        std::sort(v->begin(), v->end());
    }
    state.counters["median_ms"] = fromAdd[fromAdd.size() / 2];
    state.counters["p99_ms"] = fromAdd[fromAdd.size() * 99 / 100];
    state.counters["worst_ms"] = fromAdd.back();
    state.counters["net_median_ms"] = fromSend[fromSend.size() / 2];
    state.counters["net_worst_ms"] = fromSend.back();
}
BENCHMARK(ContactShowsOnAnotherPosition)
    ->Name("BM_NetContactShows")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Publishes events straight into the stream, many at a time (setting up only).
bool Publish(const std::string& url, const std::vector<NetEvent>& events) {
    natsConnection* conn = nullptr;
    jsCtx* js = nullptr;
    if (natsConnection_ConnectTo(&conn, url.c_str()) != NATS_OK ||
        natsConnection_JetStream(&js, conn, nullptr) != NATS_OK) {
        return false;
    }
    bool ok = true;
    for (const NetEvent& event : events) {
        const std::string bytes = EncodeNetEvent(event);
        const std::string subject = PositionSubject("BENCH", event.author);
        ok = ok && js_PublishAsync(js, subject.c_str(), bytes.data(), static_cast<int>(bytes.size()),
                                   nullptr) == NATS_OK;
    }
    jsPubOptions options;
    jsPubOptions_Init(&options);
    options.MaxWait = 60000;
    ok = ok && js_PublishAsyncComplete(js, &options) == NATS_OK;
    jsCtx_Destroy(js);
    natsConnection_Destroy(conn);
    return ok;
}

void NewPositionReads100kFromTheServer(benchmark::State& state) {
    NetScratch scratch(true);
    NatsServer server("bench", scratch.Sub("store"));
    if (!server.Start() || !CreateSharedLog({server.Url()}, "BENCH", 1).ok ||
        !Publish(server.Url(), SyntheticEvents(100000))) {
        state.SkipWithError("no nats-server, or the stream could not be filled");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        NetPosition position(scratch.Sub("new" + std::to_string(round++)));
        const auto start = Clock::now();
        position.Start(server.Url(), "BENCH", "NEW");
        const bool read = position.PollUntil([&] { return position.net->LastApplied() >= 100000; },
                                             std::chrono::milliseconds(120000));
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!read || position.Log().RowCount() != 100000) {
            state.SkipWithError("the stream was not read to its end");
        }
    }
}
BENCHMARK(NewPositionReads100kFromTheServer)
    ->Name("BM_NetNewPositionReads100k")
    ->UseManualTime()
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

void OfflineQueueCaughtUp(benchmark::State& state) {
    for (auto _ : state) {
        NetScratch scratch(true);
        NatsServer server("bench", scratch.Sub("store"));
        if (!server.Start() || !CreateSharedLog({server.Url()}, "BENCH", 1).ok) {
            state.SkipWithError("no nats-server");
            return;
        }
        server.Stop();
        NetPosition position(scratch.Sub("offline"));
        position.Start(server.Url(), "BENCH", "RUN");
        for (int i = 0; i < 1000; ++i) {
            position.AddQso("I" + std::to_string(i % 10) + "OFF" + std::to_string(i), "1200");
            position.net->Poll();
        }
        if (position.net->Status().unsent != 1000) {
            state.SkipWithError("the contacts were not all waiting");
            return;
        }
        server.Start();
        const auto start = Clock::now();
        const bool sent = position.PollUntil([&] { return position.net->Status().unsent == 0; },
                                             std::chrono::milliseconds(60000));
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!sent) {
            state.SkipWithError("not caught up");
        }
    }
}
BENCHMARK(OfflineQueueCaughtUp)
    ->Name("BM_NetOfflineQueueCaughtUp")
    ->UseManualTime()
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
