#include "score/ScoreComputation.h"

#include <array>
#include <limits>

#include "score/EntryScore.h"
#include "score/MultiplierMarks.h"

namespace tarnex {

ScoreResult ComputeScore(const ContestLog& log) {
    ScoreResult result;
    MultiplierMarks marks;
    // Counted here and put into the table at the end, so that the loop keeps no
    // running total of the table's in memory it must read back row after row.
    std::array<int64_t, kBandCount> entries{};
    std::array<int64_t, kBandCount> multipliers{};
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
        const auto band = static_cast<size_t>(entry.band);
        entries[band] += 1;
        multipliers[band] += static_cast<int64_t>(marks.MarkNew(entry));
    }
    for (int band = 0; band < kBandCount; ++band) {
        const auto at = static_cast<size_t>(band);
        result.table.At(band, ScoreTable::Entries) = entries[at];
        // Every entry of a band earns the band's points.
        result.table.At(band, ScoreTable::Points) = entries[at] * BandPoints(band);
        result.table.At(band, ScoreTable::Multipliers) = multipliers[at];
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
