// The window side of the live score: the main window's panel over a large log, drawn
// offscreen. One contact added (the row appended, the one refresh it asks for run:
// the figures brought up to date and read, the labels set), the labels alone, the
// panel painted, and Open (a journal's bytes read into the log, which tells of every
// row, then the one refresh) with and without the panel following the log, and that
// refresh alone.
//
// Arguments: entries, then the mode (0 QSO, 1 listening). The program has its own
// main: the Qt application (offscreen) must outlive every widget.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <cstdlib>
#include <memory>
#include <vector>

#include "BenchArgs.h"
#include "SyntheticLog.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
#include "log/StationSummary.h"
#include "score/LiveScore.h"
#include "sections/SectionTable.h"
#include "ui/LiveScoreController.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

// The " Punteggio " box as the main window has it, shown offscreen.
struct Place {
    Place() {
        box.setTitle(QStringLiteral(" Punteggio "));
        box.resize(180, 150);
        box.show();
        QApplication::processEvents();
    }
    QGroupBox box;
};

// Runs the refresh the log's changes asked for, as the event loop would.
void RunScheduled(LiveScoreController& controller) {
    QCoreApplication::sendPostedEvents(&controller, QEvent::MetaCall);
}

// The contacts typed into the log: the last hour's of another synthetic log, so that
// they fall at the end of the contest.
struct Typed {
    explicit Typed(LogMode mode) : mode(mode), extra(2000, 99) {
        contacts = extra.Contacts(SyntheticLog::Sections());
        heard = extra.Heard();
    }
    void AppendNext(ContestLog& log) {
        const size_t i = contacts.size() - 1 - next++ % 100;
        if (mode == LogMode::Qso) {
            log.AppendWithoutIndexes(contacts[i]);
        } else {
            log.AppendWithoutIndexes(heard[i]);
        }
    }
    LogMode mode;
    SyntheticLog extra;
    std::vector<QsoRecord> contacts;
    std::vector<HrdRecord> heard;
    size_t next = 0;
};

void Fill(ContestLog& log, size_t entries) {
    const std::string bytes = SyntheticLog(entries).JournalBytes(log.Mode(), SyntheticLog::Sections());
    StationSummary station;
    ReadLogBytes(bytes, SyntheticLog::Sections(), log, station);
}

// One contact added to a log of n entries with the panel following it: the row
// appended, then the one refresh (figures brought up to date and read, labels set).
// The log grows by one a time, by the fixed number of iterations.
void BM_PanelContactAdded(benchmark::State& state) {
    Place place;
    ContestLog log(ModeArg(state));
    Fill(log, static_cast<size_t>(state.range(0)));
    LiveScoreController controller(log, place.box);
    Typed typed(log.Mode());
    const int before = controller.Refreshes();
    for (auto _ : state) {
        typed.AppendNext(log);
        RunScheduled(controller);
    }
    // (The CSV output takes no counter that only some runs have: a check instead.)
    if (controller.Refreshes() - before != static_cast<int>(state.iterations())) {
        state.SkipWithError("not one refresh per contact");
    }
}
BENCHMARK(BM_PanelContactAdded)
    ->Apply(SizesAndModes)
    ->Iterations(10000)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The same appends with no panel: the log's own share.
void BM_PanelContactAddedLogOnly(benchmark::State& state) {
    ContestLog log(ModeArg(state));
    Fill(log, static_cast<size_t>(state.range(0)));
    Typed typed(log.Mode());
    for (auto _ : state) {
        typed.AppendNext(log);
        benchmark::DoNotOptimize(log.RowCount());
    }
}
BENCHMARK(BM_PanelContactAddedLogOnly)
    ->Apply(SizesAndModes)
    ->Iterations(10000)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The labels alone: six label and value texts set from figures that changed.
void BM_PanelLabels(benchmark::State& state) {
    Place place;
    ContestLog log;
    LiveScoreController controller(log, place.box);
    LiveFigures figures;
    figures.entries = 99999;
    figures.points = 250000;
    figures.multipliers = 700;
    for (auto _ : state) {
        ++figures.entries;
        figures.points += 3;
        figures.score = figures.points * figures.multipliers;
        figures.lastHour = figures.entries % 120;
        figures.lastTenRate = figures.entries % 600;
        controller.Panel()->Show(figures);
    }
}
BENCHMARK(BM_PanelLabels)->Unit(benchmark::kMicrosecond);

// The panel painted after a change (the event loop does this once the labels are set).
void BM_PanelPainted(benchmark::State& state) {
    Place place;
    ContestLog log;
    LiveScoreController controller(log, place.box);
    LiveFigures figures;
    for (auto _ : state) {
        ++figures.entries;
        controller.Panel()->Show(figures);
        controller.Panel()->repaint();
    }
}
BENCHMARK(BM_PanelPainted)->Unit(benchmark::kMicrosecond);

// Open: a journal's bytes read into the log (every row told to the observers), then
// what the event loop runs next: the panel's one refresh. With or without the panel.
void OpenBytes(benchmark::State& state, bool panel) {
    Place place;
    const LogMode mode = ModeArg(state);
    const std::string bytes =
        SyntheticLog(static_cast<size_t>(state.range(0))).JournalBytes(mode, SyntheticLog::Sections());
    ContestLog log(mode);
    auto controller = panel ? std::make_unique<LiveScoreController>(log, place.box) : nullptr;
    StationSummary station;
    int refreshes = 0;
    for (auto _ : state) {
        const int before = controller ? controller->Refreshes() : 0;
        ReadLogBytes(bytes, SyntheticLog::Sections(), log, station);
        if (controller) {
            RunScheduled(*controller);
            refreshes += controller->Refreshes() - before;
        }
    }
    if (controller && refreshes != static_cast<int>(state.iterations())) {
        state.SkipWithError("not one refresh per Open");
    }
}
void BM_PanelOpen(benchmark::State& state) {
    OpenBytes(state, true);
}
void BM_PanelOpenWithout(benchmark::State& state) {
    OpenBytes(state, false);
}
BENCHMARK(BM_PanelOpen)
    ->Apply(SizesAndModes)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanelOpenWithout)
    ->Apply(SizesAndModes)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// The panel's own work after Open, timed alone: the one refresh, which counts every
// row of the freshly read log and sets the labels (the reading is not timed).
void BM_PanelRefreshAfterOpen(benchmark::State& state) {
    Place place;
    const LogMode mode = ModeArg(state);
    const std::string bytes =
        SyntheticLog(static_cast<size_t>(state.range(0))).JournalBytes(mode, SyntheticLog::Sections());
    ContestLog log(mode);
    LiveScoreController controller(log, place.box);
    StationSummary station;
    for (auto _ : state) {
        state.PauseTiming();
        ReadLogBytes(bytes, SyntheticLog::Sections(), log, station);
        state.ResumeTiming();
        RunScheduled(controller);
    }
    if (controller.Score().Table().At(ScoreTable::kTotalsRow, ScoreTable::Entries) == 0) {
        state.SkipWithError("nothing counted");
    }
}
BENCHMARK(BM_PanelRefreshAfterOpen)
    ->Apply(SizesAndModes)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
