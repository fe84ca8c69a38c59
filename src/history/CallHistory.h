#pragma once
// The call history in memory: one record per callsign, kept in ascending byte order of
// the callsign, so that a lookup is a binary search and the file is written in order.
// New information comes in batches (a file read, an update from several files): each
// batch is sorted once and merged, newest contact per callsign winning.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "history/HistoryRecord.h"

namespace tarnex {

class CallHistory {
  public:
    struct MergeCounts {
        size_t added = 0;    // callsigns the history did not hold
        size_t updated = 0;  // callsigns whose section changed
    };

    // The record of a callsign (as the history keeps it: upper case), or nullptr.
    const HistoryRecord* Find(std::string_view call) const;
    // The section the history holds for a callsign: what pre-fills the exchange.
    std::optional<int> SectionOf(std::string_view call) const;

    size_t Size() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }
    // Every record, callsigns ascending.
    const std::vector<HistoryRecord>& Records() const { return records_; }

    // Takes the offers, given in the order they were read. For each callsign the offer
    // of the newest contact wins; between offers of the same minute (or none with a
    // known time) the one read later wins, and an offer wins over the record already
    // held when its contact is not older. The offers' callsigns must be history
    // callsigns (IsHistoryCall); others are left out.
    MergeCounts Merge(std::vector<HistoryRecord> offers);

    void Clear() { records_.clear(); }

  private:
    std::vector<HistoryRecord> records_;
};

}  // namespace tarnex
