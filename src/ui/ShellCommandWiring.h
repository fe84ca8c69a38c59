#pragma once
// The main window's "Strumenti" and "Aiuto" commands: options, the sections list and
// its import, the about box and the instructions.

class QWidget;

namespace tarnex {

class CTarnexDlg;
class LogSession;

void WireShellCommands(CTarnexDlg& window, LogSession& session);

// Runs the instructions window over the given window (the main window, or the about
// box when its button asks).
void ShowInstructions(QWidget* over);

}  // namespace tarnex
