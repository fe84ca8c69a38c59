#pragma once
// The radio in the main window. Reads the radio of the options for as long as the
// window lives (again at once when "Opzioni" is saved with other radio settings),
// shows "Radio: ..." under the entry form with the reason or the radio on hover, and
// hands a move of the radio to another contest band or mode to the entry form, on the
// path of the person's own choice. The radio never asks anything and never shows a
// message box; when it cannot be reached the status says so and the poller keeps
// trying.
//
// Hand-over: the poller's thread only queues a call to this object; the call drains
// the poller's mailbox on the window's thread. While a modal window is up (a message
// box, a dialog) a move waits until it closes, so that the form never changes under a
// question it asked. Enter in the main window drains first, so that a contact added
// right after a move of the radio gets the radio's band and mode.

#include <QObject>
#include <QTimer>
#include <memory>

#include "rig/RigConfig.h"
#include "rig/RigPoller.h"

class QEvent;

namespace tarnex {

class CTarnexDlg;
class LogSession;
class Settings;

class RigController : public QObject {
    Q_OBJECT
  public:
    // Starts reading the radio of the settings; lives as long as the window (its
    // parent).
    RigController(CTarnexDlg& window, LogSession& session);
    ~RigController() override;

    // The settings' radio: reading starts again when it differs from the one read.
    void ApplySettings();
    // Takes what the poller left: the status shown, and a move of band or mode
    // handed to the entry form unless a modal window is up.
    void Drain();
    // The same for one update (the benchmark hands its own).
    void Apply(const RigUpdate& update);

    RigStatus Status() const { return poller_->Status(); }
    const RigConfig& Config() const { return poller_->Config(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Shows the update's status and keeps its moves.
    void Take(const RigUpdate& update);
    // The moves kept so far to the entry form, unless a modal window is up.
    void Deliver();
    void ShowStatus(const RigStatus& status);

    CTarnexDlg& window_;
    Settings& settings_;
    std::unique_ptr<RigPoller> poller_;
    // Moves drained but not yet handed over (a modal window was up); -1 none.
    int pendingBand_ = -1;
    int pendingMode_ = -1;
    // Tries the hand-over again while a modal window keeps it waiting.
    QTimer retry_;
};

}  // namespace tarnex
