#pragma once
// The checks before sending in the main window: before "Esporta -> Cabrillo",
// "Esporta -> Cabrillo 3.0" and "Esporta -> ADIF" write a file, what the checks found
// is listed in "TARNEX - Controllo del log". A double click on a finding opens its
// row in the edit dialog ("Modifica" on that row alone) or, for the station data,
// "Dati riassuntivi"; the list then shows the findings of the log as corrected, and
// once nothing is left the export goes on by itself. "Esporta comunque" goes on,
// "Annulla" stops the export. A clean log shows nothing.

#include <QObject>
#include <functional>
#include <vector>

#include "check/LogFinding.h"

namespace tarnex {

class CTarnexDlg;
class ExportCommands;

class SendingCheckController : public QObject {
    Q_OBJECT
  public:
    // Becomes the review of the window's export commands; lives as long as the window
    // (its parent).
    SendingCheckController(CTarnexDlg& window, ExportCommands& exports);

    // The findings dialog over the window; true when the export is to go on.
    bool Review(const std::vector<LogFinding>& findings,
                const std::function<std::vector<LogFinding>()>& recheck);

  private:
    // "Modifica" on this row alone, selected in the log list.
    void EditRow(size_t row);

    CTarnexDlg& window_;
};

}  // namespace tarnex
