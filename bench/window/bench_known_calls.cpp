// The "Nominativi noti" list in the real main window, offscreen, on a journal of
// synthetic entries, a history of 100,000 stations and Debian's master list: one
// keystroke in the callsign field, from the key event to the list's rows in place
// (the field takes the key, the entry form the text, the lookup runs, the list's
// model and view are updated), for 1,000 partial callsigns; then the same followed by
// painting the list.
//
//   bench_known_calls [entries] [qso|swl]      (defaults: 100000 qso)
//
// Prints one line: entries, mode, the keystroke's median, 99th percentile and worst
// (wall clock, processor time in brackets), the same with the paint, and the rows
// shown per keystroke.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <time.h>

#include "BenchSupport.h"
#include "SyntheticLog.h"
#include "app/AppTexts.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "history/HistoryFile.h"
#include "history/MasterCallList.h"
#include "log/EntryTime.h"
#include "ui/CTarnexDlg.h"
#include "ui/KnownCallsController.h"
#include "ui/KnownCallsModel.h"
#include "util/TextNumber.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

constexpr size_t kHistoryStations = 100'000;
constexpr size_t kPartials = 1'000;

// A history of stations of the log's shape (many of them in the log too).
CallHistory MakeHistory(uint64_t seed) {
    SyntheticLog calls(kHistoryStations * 4, seed);
    std::mt19937_64 random(seed);
    std::vector<HistoryRecord> offers;
    const UtcMinute first = *EntryMinute("01.01.2015", "0000");
    for (size_t i = 0; i < calls.Stations() && offers.size() < kHistoryStations; ++i) {
        const auto section = static_cast<int16_t>(
            NumericValue(SyntheticLog::SectionCode(random() % SyntheticLog::SectionCount())));
        offers.push_back(
            {calls.Callsign(i), section, first + static_cast<UtcMinute>(random() % (10 * 525'600))});
    }
    CallHistory history;
    history.Merge(std::move(offers));
    return history;
}

// Pieces of 2 to 5 characters of known callsigns, one in five random characters.
std::vector<std::string> Partials(const SyntheticLog& log, const CallHistory& history,
                                  const std::vector<std::string>& master) {
    std::mt19937_64 random(7);
    const std::string characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::vector<std::string> partials;
    while (partials.size() < kPartials) {
        if (random() % 5 == 0) {
            std::string text;
            for (size_t n = 2 + random() % 3; n > 0; --n) {
                text += characters[random() % characters.size()];
            }
            partials.push_back(text);
            continue;
        }
        const size_t source = random() % 3;
        const std::string call = source == 0 && log.Stations() > 0 ? log.Callsign(random() % log.Stations())
                                 : source == 1 || master.empty()
                                     ? history.Records()[random() % history.Size()].call
                                     : master[random() % master.size()];
        const size_t length = std::min<size_t>(call.size(), 2 + random() % 4);
        partials.push_back(call.substr(random() % (call.size() - length + 1), length));
    }
    return partials;
}

double CpuUs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}
double WallUs() {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Times {
    std::vector<double> wall, cpu;
    std::string Text() {
        std::sort(wall.begin(), wall.end());
        std::sort(cpu.begin(), cpu.end());
        char text[200];
        auto at = [](const std::vector<double>& v, size_t permille) {
            return v[v.size() * permille / 1000] / 1e3;
        };
        std::snprintf(text, sizeof text, "median %.3f ms (%.3f)  p99 %.3f ms (%.3f)  worst %.3f ms (%.3f)",
                      at(wall, 500), at(cpu, 500), at(wall, 990), at(cpu, 990), wall.back() / 1e3,
                      cpu.back() / 1e3);
        return text;
    }
};

void SendKey(QWidget* to, char c) {
    const int key = c >= 'A' && c <= 'Z' ? Qt::Key_A + (c - 'A') : Qt::Key_0 + (c - '0');
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QLatin1Char(c)));
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(QLatin1Char(c)));
    QApplication::sendEvent(to, &press);
    QApplication::sendEvent(to, &release);
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const size_t entries = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const LogMode mode = argc > 2 && std::string(argv[2]) == "swl" ? LogMode::Listening : LogMode::Qso;
    QApplication app(argc, argv);

    BenchFolder folder("known-calls");
    auto sections = std::make_unique<SectionTable>();
    SyntheticLog::FillSections(*sections);
    const SyntheticLog log(entries);
    if (entries > 0) {
        PutFile(folder.File(kJournalFileName), log.JournalBytes(mode, *sections));
    }
    const CallHistory history = MakeHistory(2024);
    PutFile(folder.File(kHistoryFileName), HistoryFileBytes(history));
    const std::vector<std::string> master =
        LoadMasterCalls(kMasterCallsPath).value_or(std::vector<std::string>());

    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    settings.SetStation(SyntheticLog::Station(mode));
    settings.logMode = mode;
    settings.SetTips(false);
    SilentPrompts prompts;
    LogSession session(settings, *sections, prompts, folder.Path());
    CTarnexDlg window(session);
    window.show();
    auto* controller = window.findChild<KnownCallsController*>();
    controller->FinishLoading();
    QApplication::processEvents();
    if (controller->History().Size() != history.Size()) {
        std::fprintf(stderr, "the window holds %zu history stations, not %zu\n", controller->History().Size(),
                     history.Size());
        return 1;
    }

    QLineEdit* field = window.controls().callsign;
    field->setFocus();
    QTableView* list = controller->List();
    const std::vector<std::string> partials = Partials(log, history, master);
    Times keystroke;
    Times painted;
    size_t rows = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (const std::string& partial : partials) {
            // All but the last character already typed; the last one is the keystroke.
            field->setText(QString::fromLatin1(partial.substr(0, partial.size() - 1)));
            QApplication::processEvents();
            const double wall = WallUs();
            const double cpu = CpuUs();
            SendKey(field, partial.back());
            const double keyWall = WallUs() - wall;
            const double keyCpu = CpuUs() - cpu;
            list->viewport()->repaint();
            Times& times = pass == 0 ? keystroke : painted;
            times.wall.push_back(pass == 0 ? keyWall : WallUs() - wall);
            times.cpu.push_back(pass == 0 ? keyCpu : CpuUs() - cpu);
            rows += static_cast<size_t>(controller->Model().rowCount());
            if (window.entryForm().Values().callsign != partial) {
                std::fprintf(stderr, "the form holds %s, not %s\n",
                             window.entryForm().Values().callsign.c_str(), partial.c_str());
                return 1;
            }
        }
    }
    std::printf(
        "known calls  %6zu entries  %s  history %zu  master %zu  keystroke %s  with paint %s  rows %.1f\n",
        entries, mode == LogMode::Qso ? "qso" : "swl", history.Size(), master.size(),
        keystroke.Text().c_str(), painted.Text().c_str(),
        static_cast<double>(rows) / static_cast<double>(2 * partials.size()));
    return 0;
}
