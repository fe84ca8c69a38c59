#pragma once
// Listening mode: every heard callsign with the bands and modes it was heard calling
// on, how often it was heard answering, and the section it sent.

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "base/ContestRules.h"

namespace tarnex {

struct CallIndexEntry {
    std::string callsign;
    std::array<uint8_t, kModeCount> callingBands{};  // per mode: band bits heard calling
    std::array<uint8_t, kBandCount> answerCounts{};  // per band: 2 bits per mode, 0..3 answers
    int32_t section = 0;

    bool HeardCalling(int band, int mode) const;
    void MarkCalling(int band, int mode);
    int AnswerCount(int band, int mode) const;
    void SetAnswerCount(int band, int mode, int count);
    // One more answer on a band and mode, staying at kAnswersPerBandMode.
    void AddAnswer(int band, int mode);
    bool operator==(const CallIndexEntry&) const = default;
};

// Callsigns compared byte for byte (no case folding). Lookups take constant time
// (an open-addressing table of hashes beside the entries), so that evaluating a
// callsign and loading or rebuilding a log of 100,000 entries do not slow down with
// the log's size; iteration is in ascending byte order of the callsign. An entry stays
// where it is while others are added (pointers to it stay valid until Clear).
class CallIndex {
  public:
    const CallIndexEntry* Find(std::string_view callsign) const;
    CallIndexEntry* Find(std::string_view callsign);
    // Adds the entry, or replaces the entry of that callsign.
    CallIndexEntry& Put(CallIndexEntry entry);
    // The callsign's entry, added with nothing marked when there is none (`added`
    // says so): one look-up where Find and Put take two.
    CallIndexEntry& FindOrAdd(std::string_view callsign, bool& added);
    CallIndexEntry& FindOrAdd(std::string_view callsign, uint64_t hash, bool& added);
    // The hash a look-up of the callsign starts from.
    static uint64_t HashOf(std::string_view callsign);
    // Asks the processor to fetch where a look-up of the hash will read, so that a
    // look-up a few rows later finds it at hand: the place in the table, or, once that
    // has arrived, the entry it names.
    void Prefetch(uint64_t hash, bool entry) const;
    void Clear();
    size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

    // Ascending iteration (values are CallIndexEntry).
    template <typename F>
    void ForEach(F&& f) const {
        std::vector<const CallIndexEntry*> sorted;
        sorted.reserve(entries_.size());
        for (const CallIndexEntry& entry : entries_) {
            sorted.push_back(&entry);
        }
        std::sort(sorted.begin(), sorted.end(),
                  [](const CallIndexEntry* a, const CallIndexEntry* b) { return a->callsign < b->callsign; });
        for (const CallIndexEntry* entry : sorted) {
            f(*entry);
        }
    }

  private:
    // One place of the table: the upper half of the callsign's hash and the entry's
    // position + 1 (0: empty).
    struct Slot {
        uint32_t tag = 0;
        uint32_t entry = 0;
    };
    // The place holding the callsign, or the empty place where it would go.
    size_t SlotOf(std::string_view callsign, uint64_t hash) const;
    void Grow();

    std::deque<CallIndexEntry> entries_;  // a deque never moves what it holds
    std::vector<Slot> slots_;             // a power of two long, at most half full
};

}  // namespace tarnex
