#include "score/EntryScore.h"

#include <optional>

#include "log/BandMode.h"
#include "score/ScoreTable.h"
#include "util/TextNumber.h"

namespace tarnex {

EntryScore ScoreEntry(const ContestLog& log, size_t row) {
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
