#include "ui/FileOutputWiring.h"

#include <QAction>
#include <QWidget>

#include "app/LogSession.h"
#include "ui/ExportController.h"
#include "ui/FileCommandsController.h"
#include "ui/ScoreController.h"

namespace tarnex {

namespace {

template <typename Receiver, typename Slot>
void Connect(const ActionLookup& actionOf, MenuCommand command, Receiver* receiver, Slot slot) {
    if (QAction* action = actionOf(command)) {
        QObject::connect(action, &QAction::triggered, receiver, slot);
    }
}

}  // namespace

FileOutputControllers WireFileScoreExportPrint(QWidget& window, LogSession& session,
                                               const ActionLookup& actionOf,
                                               LogPrinter::SelectionSource selectedRows) {
    FileOutputControllers c;
    c.files = new FileCommandsController(window, session);
    c.score = new ScoreController(window, session);
    c.exports = new ExportController(window, session);
    c.printer = new LogPrinter(window, session.Log(), std::move(selectedRows));

    Connect(actionOf, MenuCommand::NewLog, c.files, &FileCommandsController::NewLog);
    Connect(actionOf, MenuCommand::Open, c.files, &FileCommandsController::Open);
    Connect(actionOf, MenuCommand::Save, c.files, &FileCommandsController::Save);
    Connect(actionOf, MenuCommand::SaveAs, c.files, &FileCommandsController::SaveAs);
    Connect(actionOf, MenuCommand::Print, c.printer, &LogPrinter::PrintLog);
    Connect(actionOf, MenuCommand::ShowScore, c.score, &ScoreController::ShowScore);
    Connect(actionOf, MenuCommand::ExportCabrillo, c.exports, &ExportController::ExportCabrillo);
    Connect(actionOf, MenuCommand::ExportCabrillo3, c.exports, &ExportController::ExportCabrillo3);
    Connect(actionOf, MenuCommand::ExportAdif, c.exports, &ExportController::ExportAdif);
    Connect(actionOf, MenuCommand::ExportFastlog, c.exports, &ExportController::ExportFastlog);

    return c;
}

}  // namespace tarnex
