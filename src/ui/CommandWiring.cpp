#include "ui/CommandWiring.h"

#include "ui/ShellCommandWiring.h"

namespace tarnex {

void WireMenuCommands(CTarnexDlg& window, LogSession& session) {
    // File commands, score, exports, printing.

    // Editing, deleting and sorting entries; station summary.

    // Sections list and import, options, about, instructions.
    WireShellCommands(window, session);
}

}  // namespace tarnex
