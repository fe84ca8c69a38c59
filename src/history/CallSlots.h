#pragma once
// Callsigns packed for a fast "which of them contain this text" scan: each callsign in
// a slot of 16 bytes (its bytes, zeros, its length in the last byte), one after the
// other in the order the owner keeps them, and beside each a 64-bit summary of the
// characters and pairs of adjacent characters it holds. A scan tests the summaries
// first and looks at a callsign's bytes only when the summary allows a match, so that
// a keystroke's scan of a few hundred thousand callsigns stays well under a
// millisecond.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tarnex {

class CallSlots {
  public:
    // The longest callsign a slot holds.
    static constexpr size_t kLongest = 15;

    // The summary of a text: one bit for each of A-Z, 0-9 and "/" it holds, and one of
    // 27 bits for each pair of adjacent such characters. A text holds another only if
    // its summary has every bit of the other's.
    static uint64_t Summary(std::string_view text);

    // A callsign's slot as two numbers that order as the callsigns do (byte order;
    // the zeros after a callsign put it before every longer one it begins).
    struct Key {
        uint64_t high = 0;
        uint64_t low = 0;
        auto operator<=>(const Key&) const = default;
    };
    static Key KeyOf(std::string_view call);
    Key KeyAt(size_t index) const;

    size_t Size() const { return summaries_.size(); }
    bool Empty() const { return summaries_.empty(); }
    void Clear();
    void Reserve(size_t count);
    // Adds a callsign (at most kLongest bytes, longer ones are cut) at the end, or at
    // a position.
    void PushBack(std::string_view call);
    void Insert(size_t index, std::string_view call);

    std::string_view At(size_t index) const {
        const char* slot = bytes_.data() + index * kSlot;
        return std::string_view(slot, static_cast<unsigned char>(slot[kSlot - 1]));
    }

    // For slots kept in ascending byte order: the first position whose callsign is not
    // less than `call`, and whether `call` is there.
    size_t LowerBound(std::string_view call) const;
    bool HoldsSorted(std::string_view call) const;

    // Calls f(index) for every callsign that holds `part`, in slot order, until f
    // returns false.
    template <typename F>
    void ForEachContaining(std::string_view part, F&& f) const {
        if (part.empty() || part.size() > kLongest) {
            return;
        }
        const uint64_t wanted = Summary(part);
        const size_t count = summaries_.size();
        const uint64_t* summaries = summaries_.data();
        for (size_t i = 0; i < count; ++i) {
            if ((summaries[i] & wanted) == wanted && At(i).find(part) != std::string_view::npos) {
                if (!f(i)) {
                    return;
                }
            }
        }
    }

  private:
    static constexpr size_t kSlot = 16;
    std::vector<char> bytes_;
    std::vector<uint64_t> summaries_;
};

}  // namespace tarnex
