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
// its numeric value (an empty or non-numeric text is section 0000). (Here, so that
// the loops over every row inline it.)
inline EntryScore ScoreEntry(const ContestLog& log, size_t row) {
    EntryScore score;
    std::optional<BandCode> band = DecodeBand(log.Field(row, QsoCol::Band));
    if (!band) {
        score.outcome = EntryScore::Outcome::BadBand;
        return score;
    }
    int mode = DecodeMode(log.Field(row, QsoCol::Mode));
    if (mode < 0) {
        score.outcome = EntryScore::Outcome::BadMode;
        return score;
    }
    const int sectionColumn =
        log.Mode() == LogMode::Qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection};
    const int32_t code = SectionCodeValue(log.Field(row, sectionColumn));
    score.outcome = EntryScore::Outcome::Counted;
    score.band = band->index;
    score.mode = mode;
    score.points = BandPoints(band->index);
    if (code >= 0 && code < kMultiplierSlots / kModeCount) {
        score.multiplierSlot = code * kModeCount + mode;
    }
    return score;
}

}  // namespace tarnex
