#pragma once
// The main window's commands on the entries of the log and on the station summary:
// "Modifica" and "Elimina" (menu "Qso", the log list's context menu, a double click),
// "Riordina per data ed ora" (menu "Log", the "Data" and "Utc" headings) and
// "Dati riassuntivi" (menu "Log", F4).

#include <QObject>

#include "app/LogEditCommands.h"

namespace tarnex {

class CTarnexDlg;
class LogSession;

class LogEditController : public QObject {
    Q_OBJECT
  public:
    // Connects the window's menu items; lives as long as the window (its parent).
    LogEditController(CTarnexDlg& window, LogSession& session);

    // Every selected row in turn in "Modifica di un QSO" or "Modifica di un HRD".
    void EditSelected();
    // The selected rows, after the question.
    void DeleteSelected();
    void SortByDateTime();
    // "TARNEX - Dati riassuntivi", and what its Salva changes.
    void EditStationSummary();

  private:
    CTarnexDlg& window_;
    LogSession& session_;
    LogEditCommands commands_;
};

}  // namespace tarnex
