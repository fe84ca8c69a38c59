#pragma once
// The score of a log by band: entries, points and multipliers of each of the six
// contest bands, and a row of totals.

#include <array>
#include <cstdint>

#include "log/BandMode.h"

namespace tarnex {

// Points one entry earns, by band index (160 m to 10 m). Mode, section and
// callsign do not change them.
constexpr std::array<int, kBandCount> kBandPoints = {2, 2, 1, 3, 5, 5};
inline int BandPoints(int band) {
    return kBandPoints[static_cast<size_t>(band)];
}

struct ScoreTable {
    static constexpr int kTotalsRow = kBandCount;  // row 6
    static constexpr int kRows = kBandCount + 1;
    enum Column { Entries = 0, Points = 1, Multipliers = 2 };

    // Rows 0..5 in band order, row 6 the sums. 64-bit so that no log can overflow
    // them or the score.
    std::array<std::array<int64_t, 3>, kRows> cells{};

    int64_t& At(int row, Column column) { return cells[static_cast<size_t>(row)][column]; }
    int64_t At(int row, Column column) const { return cells[static_cast<size_t>(row)][column]; }

    // Row 6 = the sums of rows 0..5, column by column.
    void FillTotals() {
        for (int column = 0; column < 3; ++column) {
            int64_t sum = 0;
            for (int row = 0; row < kBandCount; ++row) {
                sum += cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
            }
            cells[kTotalsRow][static_cast<size_t>(column)] = sum;
        }
    }

    // The score: total points times total multipliers (not the sum of the bands'
    // own products).
    int64_t Score() const { return At(kTotalsRow, Points) * At(kTotalsRow, Multipliers); }

    bool operator==(const ScoreTable&) const = default;
};

}  // namespace tarnex
