#include "ui/CommandWiring.h"

#include "ui/CTarnexDlg.h"
#include "ui/ExportController.h"
#include "ui/FileOutputWiring.h"
#include "ui/KnownCallsController.h"
#include "ui/LiveScoreController.h"
#include "ui/LogEditController.h"
#include "ui/NetController.h"
#include "ui/RigController.h"
#include "ui/SendingCheckController.h"
#include "ui/ShellCommandWiring.h"

namespace tarnex {

void WireMenuCommands(CTarnexDlg& window, LogSession& session) {
    // File commands, score, exports, printing.
    const FileOutputControllers output = WireFileScoreExportPrint(
        window, session, [&window](MenuCommand command) { return window.action(command); },
        [&window] { return window.selectedLogRows(); });
    // The checks before the Cabrillo, Cabrillo 3.0 and ADIF files.
    new SendingCheckController(window, output.exports->Commands());  // owned by the window

    // Editing, deleting and sorting entries; station summary.
    new LogEditController(window, session);  // owned by the window

    // The live score and rates beside the log.
    new LiveScoreController(window, session);  // owned by the window

    // Sections list and import, options, about, instructions.
    WireShellCommands(window, session);

    // The call history and the "Nominativi noti" list.
    new KnownCallsController(window, session);  // owned by the window

    new RigController(window, session);  // the radio: band and mode follow it; owned by the window

    new NetController(window, session);  // several positions, one log; owned by the window
}

}  // namespace tarnex
