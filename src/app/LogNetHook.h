#pragma once
// What the log session tells the network side while the log is shared by several
// positions. Without one (a single-computer log) the session works as it always did.

#include <cstddef>
#include <string>
#include <vector>

namespace tarnex {

class LogNetHook {
  public:
    virtual ~LogNetHook() = default;
    // An entry form has just added the last row: the hook gives the entry its
    // identity, keeps the event in its outbox, writes the row's journal line (the
    // session's AppendJournalLine) and only then sends it. Returns as that write.
    virtual bool EntryAdded(size_t row) = 0;
    // The row's fields were replaced by an edit.
    virtual void EntryEdited(size_t row) = 0;
    // These rows are about to be deleted.
    virtual void EntriesDeleting(const std::vector<size_t>& rows) = 0;
    // The rows were sorted by date and time.
    virtual void EntriesSorted() = 0;
    // The station summary was saved (after a change of mode, if any).
    virtual void StationSummaryChanged() = 0;
    // New and Open would replace the shared log: false (and the person is told why)
    // when they may not.
    virtual bool MayReplaceLog() = 0;
};

}  // namespace tarnex
