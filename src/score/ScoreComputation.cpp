#include "score/ScoreComputation.h"

#include <limits>

#include "score/EntryScore.h"
#include "score/MultiplierMarks.h"

namespace tarnex {

ScoreResult ComputeScore(const ContestLog& log) {
    ScoreResult result;
    MultiplierMarks marks;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        const EntryScore entry = ScoreEntry(log, row);
        if (entry.outcome == EntryScore::Outcome::BadBand) {
            result.skippedRows.push_back(row);
            result.skipMessages.push_back(BadBandMessage(row + 1));
            continue;
        }
        if (entry.outcome == EntryScore::Outcome::BadMode) {
            result.skippedRows.push_back(row);
            result.skipMessages.push_back(BadModeMessage(row + 1));
            continue;
        }
        result.table.At(entry.band, ScoreTable::Entries) += 1;
        result.table.At(entry.band, ScoreTable::Points) += entry.points;
        if (marks.MarkNew(entry)) {
            result.table.At(entry.band, ScoreTable::Multipliers) += 1;
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
