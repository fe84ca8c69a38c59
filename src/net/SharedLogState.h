#pragma once
// The shared log as a sequence of events makes it: the entries in row order, the
// station summary and the log mode. Every position applies the same events in the
// same order (the server's) and so holds the same state. The rules:
// - Row order: an added entry goes after every entry already there; "Riordina per
//   data ed ora" (a sort event) orders the entries present at that point by date and
//   time, as the single-computer sort does; entries added later follow them.
// - An event applied twice (same author and number) changes nothing.
// - Edits of one entry: the later one applied wins, except that an edit older, by its
//   author's own numbering, than one of the same author already applied is skipped.
// - An edit of an entry not yet known waits for the entry's add and is applied right
//   after it; a delete of an entry not yet known means that its add adds nothing. A
//   deleted entry stays deleted.
// - The log mode is set by the first add or summary; an add or edit of the other kind
//   of record changes nothing; a summary whose category calls for the other mode
//   empties the log, as a change of mode always does.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "log/LogTypes.h"
#include "log/StationSummary.h"
#include "net/NetEvent.h"

namespace tarnex {

// Date and time order of the single-computer sort: calendar date (texts that are not
// dd.mm.yyyy after every date, among themselves by text), then the time as text.
bool DateTimeLess(std::string_view dateA, std::string_view timeA, std::string_view dateB,
                  std::string_view timeB);

class SharedLogState {
  public:
    using EntryRef = uint32_t;

    struct Change {
        enum Kind {
            None,       // nothing changed (applied before, refused, or waiting for its entry)
            Added,      // `entry` is a new row after every row there was
            Updated,    // `entry` has new fields
            Removed,    // `entry` is no longer a row
            Summary,    // a new station summary, same mode
            Reordered,  // the rows were sorted
            Cleared,    // the mode changed: no rows, new mode
        } kind = None;
        EntryRef entry = 0;
    };

    Change Apply(const NetEvent& event);

    bool WasApplied(const std::string& author, uint64_t number) const;
    std::optional<LogMode> Mode() const { return mode_; }
    const std::optional<StationSummary>& Summary() const { return summary_; }

    size_t RowCount() const { return visible_; }
    // Calls f(EntryRef) for every row in order.
    template <typename F>
    void ForEachRow(F&& f) const {
        for (EntryRef ref : order_) {
            if (IsRow(ref)) {
                f(ref);
            }
        }
    }
    std::optional<EntryRef> Find(const EntryIdentity& identity) const;
    bool IsRow(EntryRef ref) const { return entries_[ref].added && !entries_[ref].deleted; }
    std::string IdentityText(EntryRef ref) const;
    LogMode ModeOf(EntryRef ref) const { return entries_[ref].mode; }
    std::string_view Field(EntryRef ref, size_t index) const;  // columns 1..8 as 0..7
    std::array<std::string_view, 8> Fields(EntryRef ref) const;
    // The highest own number of this author among the events applied; 0 for none.
    uint64_t HighestNumberOf(const std::string& author) const;

  private:
    struct Entry {
        uint32_t author = 0;
        uint64_t number = 0;
        LogMode mode = LogMode::Qso;
        bool added = false;
        bool deleted = false;
        std::string packed;  // columns 1..8 one after the other
        std::array<uint8_t, 8> ends{};
    };
    struct Key {
        uint32_t author;
        uint64_t number;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const {
            return std::hash<uint64_t>{}(k.number * 1000003u + k.author);
        }
    };

    uint32_t AuthorIndex(const std::string& author);
    std::optional<uint32_t> FindAuthor(const std::string& author) const;
    EntryRef EntryFor(const EntryIdentity& identity);
    static void SetFields(Entry& entry, const std::array<std::string, 8>& fields);
    bool ApplyEdit(EntryRef ref, uint32_t author, const NetEvent& event);
    Change ApplyAdd(const NetEvent& event);
    Change ApplyEditEvent(const NetEvent& event, uint32_t author);
    Change ApplyDelete(const NetEvent& event);
    Change ApplySummary(const NetEvent& event);
    Change ApplySort();
    void Compact();

    std::vector<std::string> authors_;
    std::unordered_map<std::string, uint32_t> authorIndex_;
    std::vector<uint64_t> highest_;  // per author
    std::vector<Entry> entries_;
    std::unordered_map<Key, EntryRef, KeyHash> index_;
    // Events applied, but for the adds that made an entry (the entry says so).
    std::unordered_set<Key, KeyHash> applied_;
    // Per edited entry: (author, number) of the latest edit applied per author.
    std::unordered_map<EntryRef, std::vector<std::pair<uint32_t, uint64_t>>> edits_;
    // Edits waiting for their entry's add, in the order they were applied.
    std::unordered_map<EntryRef, std::vector<NetEvent>> waiting_;
    std::vector<EntryRef> order_;  // added entries in row order; deleted ones are skipped
    size_t visible_ = 0;
    size_t deletedInOrder_ = 0;
    std::optional<LogMode> mode_;
    std::optional<StationSummary> summary_;
    std::vector<uint64_t> summaryNumber_;  // per author: the latest summary applied
};

}  // namespace tarnex
