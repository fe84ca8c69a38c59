#pragma once
// "Mostra punteggio" (F8): computes and stores the score, with a message for every
// entry left out, then shows the score window with the report and the chart of the
// operating.

#include <QObject>
#include <functional>

class QWidget;

namespace tarnex {

class CScoreDlg;
class LogSession;

class ScoreController : public QObject {
    Q_OBJECT
  public:
    // Shows the score window; runs it modally unless replaced (tests look at it).
    using DialogRunner = std::function<void(CScoreDlg&)>;

    ScoreController(QWidget& window, LogSession& session);
    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

  public slots:
    void ShowScore();

  private:
    QWidget& window_;
    LogSession& session_;
    DialogRunner runDialog_;
};

}  // namespace tarnex
