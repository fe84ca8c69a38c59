#pragma once
// The live score of the main window: a LiveScore that follows the session's log and
// the panel that shows it in the " Punteggio " box beside the log. Every change of the
// log (a contact added, an edit, a delete, a sort, Open, New, a change of mode) asks
// for one refresh of the panel when control returns to the event loop, however many
// rows changed: Open appends a file's rows one by one and the panel is drawn once
// after it. The panel never writes the stored score ("Punteggio"): that stays the
// score window's and the exports'.

#include <QObject>
#include <QPointer>
#include <memory>

#include "ui/LiveScorePanel.h"

class QGroupBox;

namespace tarnex {

class CTarnexDlg;
class ContestLog;
class LiveScore;
class LogSession;

class LiveScoreController : public QObject {
    Q_OBJECT
  public:
    // The window's panel over the session's log; lives as long as the window (its
    // parent), which the session outlives.
    LiveScoreController(CTarnexDlg& window, LogSession& session);
    // A panel over any log, put into `place`; the log must outlive this object.
    LiveScoreController(ContestLog& log, QGroupBox& place, QObject* parent = nullptr);
    ~LiveScoreController() override;

    LiveScorePanel* Panel() const { return panel_; }
    const LiveScore& Score() const { return *live_; }
    // How many times the panel was brought up to date.
    int Refreshes() const { return refreshes_; }
    // Brings the panel up to date now; a refresh already asked for then does nothing.
    void Refresh();

  private:
    void Schedule();

    std::unique_ptr<LiveScore> live_;
    QPointer<LiveScorePanel> panel_;  // owned by its place
    bool pending_ = false;
    int refreshes_ = 0;
};

}  // namespace tarnex
