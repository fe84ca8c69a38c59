#pragma once
// Connects the main window's menu commands to the objects that carry them out.

namespace tarnex {

class CTarnexDlg;
class LogSession;

// Called once when the main window has been built. Each group of commands lives in
// its own controller object, parented to the window.
void WireMenuCommands(CTarnexDlg& window, LogSession& session);

}  // namespace tarnex
