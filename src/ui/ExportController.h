#pragma once
// "Esporta -> Cabrillo", "Esporta -> Cabrillo 3.0", "Esporta -> ADIF" and "Esporta ->
// Testo per Fastlog" of the main window. The log list follows a re-ordered log by
// itself (it watches the log).

#include <QObject>

#include "app/ExportCommands.h"

class QWidget;

namespace tarnex {

class ExportController : public QObject {
    Q_OBJECT
  public:
    ExportController(QWidget& window, LogSession& session) : QObject(&window), commands_(session) {}

    // The commands themselves (the checks before sending set their review here).
    ExportCommands& Commands() { return commands_; }

  public slots:
    void ExportCabrillo() { commands_.ExportCabrillo(); }
    void ExportCabrillo3() { commands_.ExportCabrillo3(); }
    void ExportAdif() { commands_.ExportAdif(); }
    void ExportFastlog() { commands_.ExportFastlog(); }

  private:
    ExportCommands commands_;
};

}  // namespace tarnex
