#pragma once
// Connects the file commands, the score, the exports and printing to the window's
// menu actions. Split from the main window so that tests can wire a bare window.

#include <functional>

#include "ui/LogPrinter.h"
#include "ui/MenuCommand.h"

class QAction;
class QWidget;

namespace tarnex {

class ExportController;
class FileCommandsController;
class LogSession;
class ScoreController;

struct FileOutputControllers {
    FileCommandsController* files = nullptr;
    ScoreController* score = nullptr;
    ExportController* exports = nullptr;
    LogPrinter* printer = nullptr;
};

// The window's action of a menu command (null when the window has none).
using ActionLookup = std::function<QAction*(MenuCommand)>;

// Creates the controllers as children of the window and connects "Nuovo log",
// "Apri", "Salva", "Salva come...", "Stampa", "Mostra punteggio" and the four
// exports. The keys (F2, F5, F8) are the window's: they trigger these actions.
FileOutputControllers WireFileScoreExportPrint(QWidget& window, LogSession& session,
                                               const ActionLookup& actionOf,
                                               LogPrinter::SelectionSource selectedRows);

}  // namespace tarnex
