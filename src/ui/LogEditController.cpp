#include "ui/LogEditController.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>

#include "app/LogSession.h"
#include "app/StationSummaryEditor.h"
#include "ui/CHrdEditDlg.h"
#include "ui/CQsoEditDlg.h"
#include "ui/CStationSummaryDlg.h"
#include "ui/CTarnexDlg.h"

namespace tarnex {

namespace {

// The wait cursor while a command works through the whole log.
class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

LogEditController::LogEditController(CTarnexDlg& window, LogSession& session)
    : QObject(&window), window_(window), session_(session), commands_(session) {
    connect(window.action(MenuCommand::EditEntries), &QAction::triggered, this, [this] { EditSelected(); });
    connect(window.action(MenuCommand::DeleteEntries), &QAction::triggered, this,
            [this] { DeleteSelected(); });
    connect(window.action(MenuCommand::SortByDateTime), &QAction::triggered, this,
            [this] { SortByDateTime(); });
    connect(window.action(MenuCommand::StationSummary), &QAction::triggered, this,
            [this] { EditStationSummary(); });
}

void LogEditController::EditSelected() {
    const std::vector<size_t> rows = window_.selectedLogRows();
    if (rows.empty()) {
        return;
    }
    // One dialog serves the whole command, filled again for every row.
    RowEditor editor;
    std::unique_ptr<CQsoEditDlg> qsoDialog;
    std::unique_ptr<CHrdEditDlg> listeningDialog;
    if (session_.Log().Mode() == LogMode::Qso) {
        qsoDialog = std::make_unique<CQsoEditDlg>(session_.Sections(), session_.Prompts(), &window_);
        editor.editQso = [&](const QsoRecord& row) { return qsoDialog->Edit(row); };
    } else {
        listeningDialog = std::make_unique<CHrdEditDlg>(session_.Sections(), session_.Prompts(), &window_);
        editor.editListening = [&](const HrdRecord& row) { return listeningDialog->Edit(row); };
    }
    commands_.Edit(rows, editor);
}

void LogEditController::DeleteSelected() {
    const std::vector<size_t> rows = window_.selectedLogRows();
    if (rows.empty()) {
        return;
    }
    // The question comes first; the wait cursor only while the rows go.
    if (!commands_.ConfirmDelete(rows.size())) {
        return;
    }
    WaitCursor wait;
    commands_.DeleteConfirmed(rows);
}

void LogEditController::SortByDateTime() {
    WaitCursor wait;
    commands_.SortByDateTime();
}

void LogEditController::EditStationSummary() {
    StationSummaryEditor editor(session_);
    CStationSummaryDlg dialog(editor, &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    editor.Apply(dialog.Saved(), [this](const std::string& ownSection) {
        window_.runEntryForm([&](EntryForm& form) { form.SetText(EntryField::OwnSection, ownSection); });
    });
    window_.runEntryForm([](EntryForm& form) { form.Redraw(); });
}

}  // namespace tarnex
