#pragma once
// The main window over a session in a fresh folder, with scripted prompts and an
// injected clock; and a way to act on a modal dialog while it runs.

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "ScriptedPrompts.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"
#include "ui/CTarnexDlg.h"
#include "ui/TextCodec.h"

namespace tarnex::testing {

inline ClockNow HarnessClock(int hour, int minute, int second) {
    ClockNow now;
    now.utc = {2007, 6, 2, hour, minute, second};
    now.local = now.utc;
    return now;
}

struct MainWindowHarness {
    // journal: the bytes of "_ult.trnx" before the window opens (empty: none); prepare:
    // changes the settings before the window reads them.
    explicit MainWindowHarness(const std::string& journal = {}, const char* category = "SINGLE-OP CW",
                               const std::function<void(Settings&)>& prepare = {})
        : settings(store), now(HarnessClock(14, 23, 10)) {
        sections.SetName(130, "BARI");
        sections.SetName(1234, "MILANO");
        sections.SetName(5678, "ROMA");
        settings.Load();
        settings.SetOwnSection("1234");
        settings.station.category = category;
        settings.logMode = LogModeForCategory(category);
        if (prepare) {
            prepare(settings);
        }
        folder = dir.path().toStdString();
        if (!journal.empty()) {
            QFile file(dir.filePath(QStringLiteral("_ult.trnx")));
            file.open(QIODevice::WriteOnly);
            file.write(journal.data(), static_cast<qint64>(journal.size()));
        }
        session = std::make_unique<LogSession>(settings, sections, prompts, folder);
        window = std::make_unique<CTarnexDlg>(*session, nullptr, [this] { return now; });
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // Makes the main window the active one again (after a dialog closed).
    void Activate() {
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    const MainWindowControls& c() const { return window->controls(); }
    ContestLog& Log() { return session->Log(); }
    std::string JournalBytes() const {
        QFile file(dir.filePath(QStringLiteral("_ult.trnx")));
        file.open(QIODevice::ReadOnly);
        return file.readAll().toStdString();
    }
    // Selects exactly these rows of the log list.
    void SelectRows(std::initializer_list<int> rows) {
        QTableView* list = window->logList();
        list->clearSelection();
        for (int row : rows) {
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    void Trigger(MenuCommand command) { window->action(command)->trigger(); }
    // Types into the field that has the keyboard focus, then presses Enter.
    void TypeAndEnter(const QString& text) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        if (!text.isEmpty()) {
            QTest::keyClicks(focus, text);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    QTemporaryDir dir;
    MemorySettingsStore store;
    Settings settings;
    SectionTable sections;
    ScriptedPrompts prompts;
    std::string folder;
    ClockNow now;
    std::unique_ptr<LogSession> session;
    std::unique_ptr<CTarnexDlg> window;
};

// Runs `act` on the modal dialog of type Dialog as soon as it is shown (the caller
// then starts what opens it). Fails the test when none shows within the time.
template <typename Dialog>
void WhenModal(std::function<void(Dialog*)> act, int triesLeft = 200) {
    QTimer::singleShot(10, [act, triesLeft] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            if (triesLeft > 0) {
                WhenModal<Dialog>(act, triesLeft - 1);
            } else {
                QFAIL("the dialog did not show");
            }
            return;
        }
        // Let the window manager make it the active window first, so that focus and keys
        // land where a person's would, however loaded the machine is.
        (void)QTest::qWaitForWindowActive(dialog, 5000);
        QPointer<Dialog> guard(dialog);
        act(dialog);
        // A failed check returns early from act: close the dialog so the test ends
        // with its failure instead of waiting forever.
        if (guard && guard->isVisible()) {
            guard->reject();
        }
    });
}

// Replaces the text of a line edit as the person would: select all, type.
inline void Retype(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    if (!text.isEmpty()) {
        QTest::keyClicks(field, text);
    }
}

}  // namespace tarnex::testing
