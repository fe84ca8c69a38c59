// The radio's readings handed to the main window, offscreen, on a journal of
// synthetic entries: each reading moves band and mode, and the window's radio
// controller shows its status under the entry form and hands the move to the form,
// which evaluates the callsign typed again, lights the grids and is mirrored into the
// window's controls. The controller reads Hamlib's dummy radio (in this process)
// every 100 ms meanwhile, as a connected radio is read.
//
//   bench_rig_window [entries] [qso|swl]      (defaults: 100000 qso)
//
// Prints one line: the time of one reading on the window's thread, the same with the
// repaint of what it changed, and a reading of the radio being tuned within a band
// (only the status text changes) with its repaint; each by the wall clock and by the
// processor time of the window's thread.

#include <time.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "SyntheticLog.h"
#include "app/AppTexts.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "log/BandMode.h"
#include "rig/RigConfig.h"
#include "ui/CTarnexDlg.h"
#include "ui/RigController.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

// Readings that move band and mode at every step.
const std::array<RadioSample, 4> kSamples = {{
    {14'025'000, "CW"},
    {7'050'000, "LSB"},
    {21'080'000, "RTTY"},
    {3'650'000, "LSB"},
}};

// Processor time of this thread, in microseconds: what the window's thread spent,
// without the waits for a processor that a busy machine adds to the wall clock.
double ThreadMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

RigUpdate Reading(size_t i) {
    RigUpdate update;
    update.status = RigStatus::Connected(kSamples[i % kSamples.size()], "Hamlib Dummy");
    update.newBand = update.status.band;
    update.newMode = update.status.mode;
    return update;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const size_t entries = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const LogMode mode = argc > 2 && std::string(argv[2]) == "swl" ? LogMode::Listening : LogMode::Qso;
    QApplication app(argc, argv);

    BenchFolder folder("rig-window");
    auto sections = std::make_unique<SectionTable>();
    SyntheticLog::FillSections(*sections);
    SyntheticLog synthetic(entries);
    if (entries > 0) {
        PutFile(folder.File(kJournalFileName), synthetic.JournalBytes(mode, *sections));
    }
    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    settings.SetStation(SyntheticLog::Station(mode));
    settings.logMode = mode;
    settings.SetTips(false);
    settings.SetRadio(kDummyRadioModel, "", 0, 100);
    SilentPrompts prompts;
    LogSession session(settings, *sections, prompts, folder.Path());
    CTarnexDlg window(session);
    window.show();
    auto* rig = window.findChild<RigController*>();
    if (rig == nullptr) {
        std::fprintf(stderr, "the window has no radio controller\n");
        return 1;
    }
    // The dummy radio read, and its reading shown, before the timing starts.
    QElapsedTimer waited;
    waited.start();
    while (!rig->Status().connected && waited.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    const std::string call = entries > 0 ? synthetic.TypicalCallsign(7) : "IZ2AAA";
    window.runEntryForm([&](EntryForm& form) { form.OnCallsignTyped(EntryField::Callsign, call); });
    QApplication::processEvents();
    if (!rig->Status().connected || !window.controls().radioStatus->isVisible()) {
        std::fprintf(stderr, "the dummy radio was not read\n");
        return 1;
    }

    constexpr size_t kPolls = 2000;
    size_t i = 0;
    QElapsedTimer timer;
    timer.start();
    double cpu = ThreadMicroseconds();
    for (size_t n = 0; n < kPolls; ++n) {
        rig->Apply(Reading(i++));
    }
    const double perPoll = static_cast<double>(timer.nsecsElapsed()) / 1e3 / kPolls;
    const double perPollCpu = (ThreadMicroseconds() - cpu) / kPolls;

    timer.restart();
    cpu = ThreadMicroseconds();
    for (size_t n = 0; n < kPolls; ++n) {
        rig->Apply(Reading(i++));
        QApplication::processEvents();
    }
    const double withRepaint = static_cast<double>(timer.nsecsElapsed()) / 1e3 / kPolls;
    const double withRepaintCpu = (ThreadMicroseconds() - cpu) / kPolls;

    // Tuning within the band: the status text changes at every reading, the form
    // does not move.
    auto tuning = [](size_t n) {
        RigUpdate update;
        update.status = RigStatus::Connected({14'000'000.0 + 100.0 * static_cast<double>(n % 3000), "CW"},
                                             "Hamlib Dummy");
        return update;
    };
    timer.restart();
    cpu = ThreadMicroseconds();
    for (size_t n = 0; n < kPolls; ++n) {
        rig->Apply(tuning(n));
        QApplication::processEvents();
    }
    const double tuningWithRepaint = static_cast<double>(timer.nsecsElapsed()) / 1e3 / kPolls;
    const double tuningCpu = (ThreadMicroseconds() - cpu) / kPolls;
    if (window.controls().radioStatus->text().toStdString() != tuning(kPolls - 1).status.Text()) {
        std::fprintf(stderr, "the status did not follow the tuning\n");
        return 1;
    }
    rig->Apply(Reading(i++));

    const RigStatus last = Reading(i - 1).status;
    if (window.entryForm().Values().band != last.BandText() ||
        window.controls().radioStatus->text().toStdString() != last.Text()) {
        std::fprintf(stderr, "the window did not follow the readings\n");
        return 1;
    }
    std::printf(
        "radio reading  %6zu entries  %s  per poll %.1f us cpu %.1f us"
        "  with its repaint %.1f us cpu %.1f us  tuning with its repaint %.1f us cpu %.1f us\n",
        entries, mode == LogMode::Qso ? "qso" : "swl", perPoll, perPollCpu, withRepaint, withRepaintCpu,
        tuningWithRepaint, tuningCpu);
    return 0;
}
