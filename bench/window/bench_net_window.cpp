// A contact another position logs, until it shows in this main window's log list:
// a real nats-server with JetStream on 127.0.0.1, the window (offscreen) as position
// RUN with its network controller, and a second position MULT (the log session and
// network session the window program runs, without a window) that adds the contacts.
// The time runs from MULT's add (its outbox and journal flushed, the event sent) until
// the window's list has the row: the server, the window's network thread, the queued
// poll on the window's thread, the row in the log and the list, the known calls and
// the live score following it.
//
//   bench_net_window [contacts]      (default 1000)
//
// Prints one line: median, 99th percentile and worst in ms, and the processor time of
// the window's thread per contact (its polls and what follows them).

#include <time.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "NatsServer.h"
#include "NetPosition.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "net/SharedLogAdmin.h"
#include "sections/SectionTable.h"
#include "ui/CTarnexDlg.h"
#include "ui/NetController.h"

using namespace tarnex;
using namespace tarnex::bench;
using namespace tarnex::testing;

namespace {

double ThreadMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Runs the window's events until `done` holds or `limitMs` passed.
template <typename F>
bool RunUntil(F&& done, qint64 limitMs) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > limitMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const int contacts = std::max(1, argc > 1 ? std::atoi(argv[1]) : 1000);
    QApplication app(argc, argv);
    if (NatsServerProgram().empty()) {
        std::fprintf(stderr, "no nats-server\n");
        return 1;
    }
    NetScratch scratch(true);
    NatsServer server("bench", scratch.Sub("store"));
    if (!server.Start() || !CreateSharedLog({server.Url()}, "BENCH", 1).ok) {
        std::fprintf(stderr, "the server did not start\n");
        return 1;
    }

    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    StationSummary station = settings.station;
    station.callsign = "IK1XYZ";
    station.ownSection = "0130";
    station.category = "MULTI-ONE";
    settings.SetStation(station);
    settings.logMode = LogMode::Qso;
    settings.SetTips(false);
    settings.SetNet(server.Url(), "BENCH", "RUN");
    SectionTable sections;
    sections.SetName(1234, "ALFA");
    SilentPrompts prompts;
    LogSession session(settings, sections, prompts, scratch.Sub("run"));
    CTarnexDlg window(session);
    window.show();
    auto* net = window.findChild<NetController*>();
    NetPosition mult(scratch.Sub("mult"));
    mult.Start(server.Url(), "BENCH", "MULT");
    // Keeps the loop turning while nothing comes (the wait below never hangs).
    QTimer tick;
    tick.start(50);
    if (net == nullptr || !RunUntil(
                              [&] {
                                  mult.net->Poll();
                                  return net->Status().online && net->Status().positions == 2;
                              },
                              20000)) {
        std::fprintf(stderr, "the window did not go online\n");
        return 1;
    }

    QAbstractItemModel* list = window.logList()->model();
    std::vector<double> shown;
    double cpu = 0;
    for (int i = 0; i < contacts; ++i) {
        const int before = list->rowCount();
        const std::string call = "I" + std::to_string(i % 10) + "ZZ" + std::to_string(i);
        const auto start = std::chrono::steady_clock::now();
        mult.AddQso(call, "1200");
        const double cpuStart = ThreadMicroseconds();
        if (!RunUntil([&] { return list->rowCount() > before; }, 10000)) {
            std::fprintf(stderr, "contact %d did not show\n", i);
            return 1;
        }
        const auto end = std::chrono::steady_clock::now();
        cpu += ThreadMicroseconds() - cpuStart;
        shown.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        mult.net->Poll();
    }
    std::sort(shown.begin(), shown.end());
    std::printf(
        "window: a contact of another position in the list: median %.2f ms, 99th %.2f ms, worst %.2f ms "
        "(%d contacts); window thread %.0f us CPU per contact (wait included)\n",
        shown[shown.size() / 2], shown[shown.size() * 99 / 100], shown.back(), contacts, cpu / contacts);
    return 0;
}
