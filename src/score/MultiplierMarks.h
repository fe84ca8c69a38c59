#pragma once
// Which (section code, mode) pairs one score computation has already counted as a
// multiplier on which band: 10000 x 3 bytes of band bits, built from zero each time.

#include <array>
#include <cstdint>

#include "score/EntryScore.h"

namespace tarnex {

class MultiplierMarks {
  public:
    // Marks the entry's band for its (section code, mode) slot; true when it was not
    // marked yet, which makes it a new multiplier. An entry that is not counted, or
    // whose slot is none, is never a multiplier.
    bool MarkNew(const EntryScore& entry) {
        if (!entry.Counted() || entry.multiplierSlot < 0 || entry.multiplierSlot >= kMultiplierSlots) {
            return false;
        }
        // Stored whether new or not, without a jump: in a log of many sections whether an
        // entry is a new multiplier follows no pattern a processor could learn.
        const uint8_t bandBit = static_cast<uint8_t>(1u << entry.band);
        uint8_t& slot = bytes_[static_cast<size_t>(entry.multiplierSlot)];
        const uint8_t before = slot;
        slot = static_cast<uint8_t>(before | bandBit);
        return (before & bandBit) == 0;
    }

  private:
    std::array<uint8_t, kMultiplierSlots> bytes_{};
};

}  // namespace tarnex
