#pragma once
// The shared log as one position shows it: the log the server's stream makes
// (confirmed), with this position's own events that have not come back from the
// stream yet applied on top (pending). It tells how each change moves the rows shown,
// so that the log list follows with the least work:
// - a new entry from another position goes before the rows of this position's own
//   unconfirmed adds (the stream log comes first, the pending events on top);
// - an own event coming back in the order it was made changes nothing on screen;
// - anything that does not commute with the pending events (a sort, a change of mode,
//   a remote change of an entry this position is changing too) shows the whole log
//   again.
// Without a network: the core is fed events and says what to show.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "net/NetEvent.h"
#include "net/SharedLogState.h"

namespace tarnex {

// One row of the log shown.
struct SharedRow {
    std::string identity;
    std::array<std::string, 8> fields;
};

// What the log shown looks like: its mode (nullopt when no event has set one yet),
// summary and rows in order.
struct SharedLogView {
    std::optional<LogMode> mode;
    std::optional<StationSummary> summary;
    std::vector<SharedRow> rows;
};

// How the rows shown change.
struct ViewChange {
    enum Kind {
        Insert,   // `row` (identity, fields) goes in at `at`
        Update,   // the row with `row.identity` takes `row.fields`
        Remove,   // the row with `row.identity` goes
        Summary,  // the shown summary is now View().summary
        Reset,    // show the whole View() again (mode, summary and rows)
    } kind = Reset;
    size_t at = 0;
    SharedRow row;
};

class MergeCore {
  public:
    // An event from the stream, in the stream's order. Returns what changes on screen.
    // Events applied before change nothing.
    std::vector<ViewChange> ApplyConfirmed(const NetEvent& event);

    // An own event, already shown by the caller (the row appended, edited or deleted
    // as the event says). False when the event would be refused by every position, or
    // its number was used before (it is then not kept): the caller must show View()
    // again.
    bool AddPending(const NetEvent& event);

    const SharedLogState& Confirmed() const { return confirmed_; }
    const std::deque<NetEvent>& Pending() const { return pending_; }
    // The number of rows that are the pending adds at the end of the view.
    size_t PendingRows() const;

    // The log shown, built whole: the confirmed log with the pending events on top.
    SharedLogView View() const;
    // The mode and summary shown, without building the rows.
    std::optional<LogMode> ShownMode() const;
    std::optional<StationSummary> ShownSummary() const;

    // The highest number this author has used among the events known (confirmed or
    // pending).
    uint64_t HighestNumberOf(const std::string& author) const;

  private:
    bool PendingTouches(const NetEvent& event) const;
    static SharedRow RowOf(const SharedLogState& state, SharedLogState::EntryRef ref);
    static SharedLogView ViewOf(const SharedLogState& state);

    SharedLogState confirmed_;
    std::deque<NetEvent> pending_;
};

}  // namespace tarnex
