#pragma once
// Which (section code, mode) pairs one score computation has already counted as a
// multiplier on which band: 10000 x 3 bytes of band bits, built from zero each time.

#include <array>
#include <cstdint>

#include "log/BandMode.h"

namespace tarnex {

class MultiplierMarks {
  public:
    static constexpr int32_t kCodes = 10000;

    // Marks the band for a code and mode; true when it was not marked yet, which
    // makes it a new multiplier. A code outside 0..9999 or a mode outside 0..2
    // indexes nothing and is never a multiplier.
    bool MarkNew(int32_t code, int mode, uint8_t bandBit) {
        if (code < 0 || code >= kCodes || mode < 0 || mode >= kModeCount) {
            return false;
        }
        uint8_t& slot = bytes_[static_cast<size_t>(code) * kModeCount + static_cast<size_t>(mode)];
        if ((slot & bandBit) != 0) {
            return false;
        }
        slot = static_cast<uint8_t>(slot | bandBit);
        return true;
    }

  private:
    std::array<uint8_t, static_cast<size_t>(kCodes) * kModeCount> bytes_{};
};

}  // namespace tarnex
