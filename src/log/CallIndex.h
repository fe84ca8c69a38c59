#pragma once
// Listening mode: every heard callsign with the bands and modes it was heard calling
// on, how often it was heard answering, and the section it sent.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tarnex {

struct CallIndexEntry {
    std::string callsign;
    std::array<uint8_t, 3> callingBands{};  // per mode: band bits heard calling
    std::array<uint8_t, 6> answerCounts{};  // per band: 2 bits per mode, 0..3 answers
    int32_t section = 0;

    bool HeardCalling(int band, int mode) const;
    void MarkCalling(int band, int mode);
    int AnswerCount(int band, int mode) const;
    void SetAnswerCount(int band, int mode, int count);
    // One more answer on a band and mode, staying at 3.
    void AddAnswer(int band, int mode);
    bool operator==(const CallIndexEntry&) const = default;
};

// Kept in ascending byte order of the callsign (no case folding); lookups are
// logarithmic.
class CallIndex {
public:
    const CallIndexEntry* Find(std::string_view callsign) const;
    CallIndexEntry* Find(std::string_view callsign);
    // Inserts the entry at its sorted place, or replaces the entry of that callsign.
    CallIndexEntry& Put(CallIndexEntry entry);
    void Clear() { entries_.clear(); }
    size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

    // Ascending iteration (values are CallIndexEntry).
    template <typename F>
    void ForEach(F&& f) const {
        for (const auto& [key, entry] : entries_) {
            f(entry);
        }
    }

private:
    std::map<std::string, CallIndexEntry, std::less<>> entries_;
};

}  // namespace tarnex
