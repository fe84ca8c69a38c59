#include "score/ScoreComputation.h"

#include <limits>

#include "log/BandMode.h"
#include "score/MultiplierMarks.h"
#include "util/TextNumber.h"

namespace tarnex {

ScoreResult ComputeScore(const ContestLog& log) {
    ScoreResult result;
    MultiplierMarks marks;
    const int sectionColumn =
        log.Mode() == LogMode::Qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection};
    for (size_t row = 0; row < log.RowCount(); ++row) {
        std::optional<BandCode> band = DecodeBand(log.Field(row, QsoCol::Band));
        if (!band) {
            result.skippedRows.push_back(row);
            result.skipMessages.push_back(BadBandMessage(row + 1));
            continue;
        }
        int mode = DecodeMode(log.Field(row, QsoCol::Mode));
        if (mode < 0) {
            result.skippedRows.push_back(row);
            result.skipMessages.push_back(BadModeMessage(row + 1));
            continue;
        }
        int32_t code = NumericValue(log.Field(row, sectionColumn));
        result.table.At(band->index, ScoreTable::Entries) += 1;
        result.table.At(band->index, ScoreTable::Points) += BandPoints(band->index);
        if (marks.MarkNew(code, mode, band->bit)) {
            result.table.At(band->index, ScoreTable::Multipliers) += 1;
        }
    }
    result.table.FillTotals();
    result.claimedScore = result.table.Score();
    return result;
}

std::string BadBandMessage(size_t position) {
    return "Ignorato QSO n. " + std::to_string(position) + " per BANDA errata.";
}

std::string BadModeMessage(size_t position) {
    return "Ignorato QSO n. " + std::to_string(position) + " per MODO errato.";
}

void ShowSkipMessages(const ScoreResult& result, UserPrompts& prompts) {
    for (const std::string& message : result.skipMessages) {
        prompts.ShowMessage(message, kErrorTitle, MessageIcon::Stop);
    }
}

int32_t ClaimedScoreSetting(int64_t claimedScore) {
    if (claimedScore > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (claimedScore < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(claimedScore);
}

}  // namespace tarnex
