#pragma once
// A log shared by several positions, on the window's side: it joins the log session
// (as its network hook) to the merge of the server's stream and to the link.
//
// What it guarantees:
// - Offline first: an own change is in this position's outbox file (flushed) and, for a
//   new contact, in the journal (flushed) before anything is sent; nothing waits for
//   the network. The outbox is sent again, in order, whenever a server answers.
// - Every position applies every event in the order of the server's stream, its own
//   included, keeping a local copy of the stream; the log shown is the stream's log
//   with this position's unconfirmed events on top, and the journal mirrors it.
// - After a crash or a restart the log is rebuilt from the local copy of the stream
//   and the outbox; reading resumes after the last event applied. Entries of the
//   journal that the shared log does not know (logged with the network off, or the
//   moment before a crash) join it as this position's contacts.
//
// - Row order: the stream's order of the adds, this position's unconfirmed adds after
//   them. "Riordina per data ed ora" is an event of the shared log: every position
//   sorts the rows it holds at that point of the stream, the single-computer way, and
//   rows added later follow. So every position ends with the same rows in the same
//   order, the same journal and the same exports.
//
// An entry's identity is its position's name and a number that only grows, from the
// clock and this computer's mark (see NextNumber).
//
// The window: Start with NetConfig::FromSettings; its notify (called on a network
// thread, also after this position's own changes so that the status follows) becomes
// a queued call of Poll on the window's thread; Status() gives the status line and its
// hover text; PositionOfRow the "Pos." column.
//
// Files, in the program's folder: "rete/<log>/flusso.evt" (the local copy of the
// stream), "rete/<log>/coda.evt" (the outbox), "rete/istanza" (this computer's mark on
// its position name). All calls are made on the window's thread.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/LogNetHook.h"
#include "net/EventFile.h"
#include "net/MergeCore.h"
#include "net/NetConfig.h"

namespace tarnex {

class LogSession;
class NetLink;
class NetMailbox;

struct NetStatus {
    bool on = false;      // a network is set and started
    bool online = false;  // connected, the log found, the position's name taken
    int positions = 0;    // positions online, this one included
    size_t unsent = 0;    // own changes not yet back from the server
    std::string text;     // "Rete: 3 postazioni, in linea" / "Rete: non collegata, 2 QSO da inviare"
    std::string reason;   // for the hover: why it is not online, what went wrong
    bool operator==(const NetStatus&) const = default;
};

// What a Poll changed, for the window to follow.
struct NetPollResult {
    size_t events = 0;            // stream events applied
    size_t rowsAdded = 0;         // rows other positions added
    bool rowsChanged = false;     // rows edited, removed or re-ordered
    bool logReplaced = false;     // the whole log shown again (mode, rows)
    bool summaryChanged = false;  // the station summary in the settings changed
    bool statusChanged = false;
};

class NetSession : private LogNetHook {
  public:
    explicit NetSession(LogSession& session);
    ~NetSession() override;
    NetSession(const NetSession&) = delete;
    NetSession& operator=(const NetSession&) = delete;

    // Joins the shared log: reads the local files, brings the log shown and the
    // journal in line with them, hooks into the session and starts the link. `notify`
    // is called from the network threads when Poll has work. False (the reason in the
    // status) when the settings cannot be used or the local files cannot be read.
    bool Start(const NetConfig& config, std::function<void()> notify);
    // Leaves the network: the link stops, the session works alone again.
    void Stop();
    bool Running() const { return link_ != nullptr; }

    // Takes what the network threads left in the mailbox and applies it.
    NetPollResult Poll();

    const NetStatus& Status() const { return status_; }
    // The position that logged a row ("Pos."), empty for an entry without identity.
    std::string_view PositionOfRow(size_t row) const;
    const MergeCore& Core() const { return core_; }
    uint64_t LastApplied() const { return lastApplied_; }
    const NetConfig& Config() const { return config_; }

    // Test seam: called after a new contact is in the journal, just before it is sent.
    void SetBeforeSend(std::function<void()> hook) { beforeSend_ = std::move(hook); }

  private:
    // LogNetHook
    bool EntryAdded(size_t row) override;
    void EntryEdited(size_t row) override;
    void EntriesDeleting(const std::vector<size_t>& rows) override;
    void EntriesSorted() override;
    void StationSummaryChanged() override;
    bool MayReplaceLog() override;

    bool LoadFiles(std::string& problem);
    void Reconcile();
    bool LogShowsConfirmed() const;
    // Keeps an own event: pending in the core, in the outbox file, and (unless
    // `hold`) sent. False when every position would refuse it.
    bool Keep(const NetEvent& event, bool send = true);
    void SendEvent(const NetEvent& event);
    void ShowView(NetPollResult* result);
    void ShowSummary(const std::optional<StationSummary>& summary, NetPollResult* result);
    std::array<std::string, 8> RowFields(size_t row) const;
    std::optional<size_t> RowOf(std::string_view identity) const;
    void AppendRow(const SharedRow& row, std::optional<size_t> at);
    void AppendRow(std::string_view identity, const std::array<std::string_view, 8>& fields,
                   std::optional<size_t> at);
    void TrimOutbox();
    bool UpdateStatus();
    uint64_t NextNumber();

    LogSession& session_;
    NetConfig config_;
    MergeCore core_;
    std::unique_ptr<EventFile> streamFile_;
    std::unique_ptr<EventFile> outbox_;
    size_t outboxCount_ = 0;
    bool outboxBehind_ = false;
    std::string token_;
    uint64_t salt_ = 0;  // from the token: the low bits of every own number
    std::shared_ptr<NetMailbox> mailbox_;
    std::unique_ptr<NetLink> link_;
    uint64_t lastApplied_ = 0;
    std::vector<StoredEvent> unsavedStream_;  // applied, not yet in the local copy
    uint64_t nextNumber_ = 1;
    std::optional<uint64_t> caughtUpTo_;  // the stream's end when the reading started
    bool waitingForCatchUp_ = false;
    uint64_t badEvents_ = 0;
    uint64_t lastBadSequence_ = 0;
    bool linkOnline_ = false;
    int linkPositions_ = 0;
    std::string linkProblem_;
    std::string localProblem_;
    NetStatus status_;
    std::function<void()> beforeSend_;
};

}  // namespace tarnex
