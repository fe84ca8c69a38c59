#include "ui/ScoreController.h"

#include <QWidget>

#include "app/LogSession.h"
#include "app/ScoreCommand.h"
#include "score/HourlyActivity.h"
#include "ui/CScoreDlg.h"

namespace tarnex {

ScoreController::ScoreController(QWidget& window, LogSession& session)
    : QObject(&window),
      window_(window),
      session_(session),
      runDialog_([](CScoreDlg& dialog) { dialog.exec(); }) {}

void ScoreController::ShowScore() {
    const ScoreResult result = ComputeAndStoreScore(session_);
    CScoreDlg dialog(result.table, session_.Log().Mode(), BuildHourlyActivity(session_.Log()), &window_);
    runDialog_(dialog);
}

}  // namespace tarnex
