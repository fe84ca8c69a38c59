#pragma once
// How one entry counts in the score: the single rule behind the claimed score, the
// live figures and the charts. An entry whose band does not decode, or whose mode
// does not, is left out of every count; any other entry earns its band's points and
// may earn a multiplier: one per (section code, mode) pair per band.

#include <cstddef>
#include <cstdint>

#include "log/BandMode.h"
#include "log/ContestLog.h"
#include "score/ScoreTable.h"
#include "util/TextNumber.h"

namespace tarnex {

// The (section code, mode) pairs a multiplier is counted for: 10000 codes x 3 modes.
constexpr int32_t kMultiplierSlots = 10000 * 3;

struct EntryScore {
    enum class Outcome : uint8_t { Counted, BadBand, BadMode };

    Outcome outcome = Outcome::BadBand;
    int band = -1;  // band index (0 = 160 m .. 5 = 10 m) when counted
    int mode = -1;  // mode index when counted
    int points = 0;
    // Slot of the entry's (section code, mode) pair, code x 3 + mode; -1 when the
    // code lies outside 0..9999 (only a file can hold one): such an entry counts
    // its points but never a multiplier.
    int32_t multiplierSlot = -1;

    bool Counted() const { return outcome == Outcome::Counted; }
};

// The section is `section` in QSO mode and `callingSection` in listening mode, by
// its numeric value (an empty or non-numeric text is section 0000), as the log decoded
// it when the row was made. `row` must be one of the log's rows. (Here, so that the
// loops over every row inline it.)
inline EntryScore ScoreEntry(const ContestLog& log, size_t row) {
    EntryScore score;
    const RowCodes codes = log.Codes(row);
    if (codes.band < 0) {
        score.outcome = EntryScore::Outcome::BadBand;
        return score;
    }
    if (codes.mode < 0) {
        score.outcome = EntryScore::Outcome::BadMode;
        return score;
    }
    score.outcome = EntryScore::Outcome::Counted;
    score.band = codes.band;
    score.mode = codes.mode;
    score.points = BandPoints(codes.band);
    if (codes.section >= 0) {
        score.multiplierSlot = codes.section * kModeCount + codes.mode;
    }
    return score;
}

}  // namespace tarnex
