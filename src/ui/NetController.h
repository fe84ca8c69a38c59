#pragma once
// The log shared by several positions, in the main window. With "Rete server" set it
// joins the shared log when the window opens (and again at once when "Opzioni" is
// saved with other network settings; an empty server list leaves the network), shows
// "Rete: ..." under the entry form with the reason on hover, and the "Pos." column in
// the log list.
//
// Hand-over: the network threads only queue one call to this object (at most one
// waits at a time); the call polls the session on the window's thread. The log list,
// the live score and the known calls follow the log by themselves; after a poll this
// object takes the window through the same steps as after Open when the whole log or
// the station summary changed, and has the entry form look again at the callsign being
// worked when the rows that came in concern it, so that a contact another position
// logs shows as a duplicate at once (the person's text and cursor untouched; contacts
// with other callsigns leave the form alone). While a modal window is
// up (a message box, a dialog working on rows of the log) the poll waits until it
// closes, so that no row moves under it.

#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "log/ContestLog.h"
#include "net/NetConfig.h"
#include "net/NetSession.h"

namespace tarnex {

class CTarnexDlg;
class LogListModel;
class LogSession;

class NetController : public QObject, private ContestLogObserver {
    Q_OBJECT
  public:
    // Joins the settings' shared log, if any; lives as long as the window (its parent).
    NetController(CTarnexDlg& window, LogSession& session);
    ~NetController() override;

    // The settings' network: joined again when it differs from the one in use, left
    // when "Rete server" is empty.
    void ApplySettings();
    // Takes what the network brought and brings the window in line (the queued call).
    void Poll();

    // Whether a network is set ("Rete server" not empty when last applied).
    bool On() const { return config_.has_value(); }
    const NetStatus& Status() const { return net_->Status(); }
    NetSession& Session() { return *net_; }
    // How many polls ran (the benchmark and the tests count them).
    int Polls() const { return polls_; }

  private:
    // ContestLogObserver: what a poll does to the log.
    void AfterAppend(size_t row) override;
    void AfterReset() override;
    void RowChanged(size_t row) override;

    void Start();
    void Stop();
    void Follow(const NetPollResult& result);
    // The callsign the form works on, looked at again through the form's own paths.
    void LookAgainAtCall();
    void ShowStatus();
    void ShowPositions(bool on);

    CTarnexDlg& window_;
    LogSession& session_;
    LogListModel* model_ = nullptr;
    std::unique_ptr<NetSession> net_;
    std::optional<NetConfig> config_;
    // A poll queued and not yet run (set from the network threads).
    std::atomic<bool> queued_{false};
    // Tries the poll again while a modal window keeps it waiting.
    QTimer retry_;
    int polls_ = 0;
    // While a poll runs: the callsigns of the rows it added, and whether it changed or
    // replaced rows.
    bool polling_ = false;
    std::vector<std::string> addedCalls_;
    bool rowsReplaced_ = false;
};

}  // namespace tarnex
