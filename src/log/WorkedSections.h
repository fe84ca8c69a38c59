#pragma once
// For every section code and mode, the bands on which the log holds an entry.

#include <array>
#include <cstdint>

#include "base/ContestRules.h"

namespace tarnex {

class WorkedSections {
  public:
    static constexpr int32_t kCodes = 10000;

    // Band bits worked for a code and mode; 0 for a code outside 0..9999.
    uint8_t Bits(int32_t code, int mode) const { return InRange(code, mode) ? bytes_[Slot(code, mode)] : 0; }
    bool IsWorked(int32_t code, int mode, uint8_t bandBit) const { return (Bits(code, mode) & bandBit) != 0; }
    // Sets a band bit; a code outside 0..9999 or a mode outside 0..2 marks nothing.
    void Mark(int32_t code, int mode, uint8_t bandBit) {
        if (InRange(code, mode)) {
            bytes_[Slot(code, mode)] |= bandBit;
        }
    }
    void Clear() { bytes_.fill(0); }
    bool IsEmpty() const {
        for (uint8_t b : bytes_) {
            if (b != 0) {
                return false;
            }
        }
        return true;
    }

  private:
    static bool InRange(int32_t code, int mode) {
        return code >= 0 && code < kCodes && mode >= 0 && mode < kModeCount;
    }
    static size_t Slot(int32_t code, int mode) {
        return static_cast<size_t>(code) * kModeCount + static_cast<size_t>(mode);
    }
    std::array<uint8_t, kCodes * kModeCount> bytes_{};
};

}  // namespace tarnex
