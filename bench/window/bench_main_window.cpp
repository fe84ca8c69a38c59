// The main window opening on a journal of synthetic entries, offscreen: the time from
// building the window (which loads the journal into the log and its indexes and sets
// up the lists) to the first frame that shows the log list's rows, and the memory the
// process holds then.
//
//   bench_main_window [entries] [qso|swl]      (defaults: 100000 qso)
//
// Prints one line: entries, mode, seconds to the first frame, resident memory and
// allocator bytes in use after the frame, and the same two before the window was
// built. Run it with 0 entries for the empty program to compare with.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTableView>
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
#include "ui/CTarnexDlg.h"

using namespace tarnex;
using namespace tarnex::bench;

namespace {

// Notes the first paint of the log list's rows.
class FirstPaint : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const size_t entries = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const LogMode mode = argc > 2 && std::string(argv[2]) == "swl" ? LogMode::Listening : LogMode::Qso;
    QApplication app(argc, argv);

    BenchFolder folder("window");
    auto sections = std::make_unique<SectionTable>();
    SyntheticLog::FillSections(*sections);
    if (entries > 0) {
        PutFile(folder.File(kJournalFileName), SyntheticLog(entries).JournalBytes(mode, *sections));
    }
    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    settings.SetStation(SyntheticLog::Station(mode));
    settings.logMode = mode;
    settings.SetTips(false);
    SilentPrompts prompts;
    LogSession session(settings, *sections, prompts, folder.Path());

    const size_t heapBefore = HeapInUse();
    const size_t residentBefore = ResidentBytes();
    QElapsedTimer timer;
    timer.start();
    CTarnexDlg window(session);
    FirstPaint paint;
    window.logList()->viewport()->installEventFilter(&paint);
    window.show();
    while (!paint.painted) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (session.Log().RowCount() != entries) {
        std::fprintf(stderr, "the window shows %zu entries, not %zu\n", session.Log().RowCount(), entries);
        return 1;
    }
    std::printf(
        "main window  %6zu entries  %s  first frame %.3f s  rss %.1f MB (before %.1f MB)  heap %.1f MB "
        "(before %.1f MB)\n",
        entries, mode == LogMode::Qso ? "qso" : "swl", seconds, static_cast<double>(ResidentBytes()) / 1e6,
        static_cast<double>(residentBefore) / 1e6, static_cast<double>(HeapInUse()) / 1e6,
        static_cast<double>(heapBefore) / 1e6);
    return 0;
}
