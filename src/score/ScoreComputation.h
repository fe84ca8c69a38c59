#pragma once
// The claimed score of a log: one pass over the entries in display order fills a
// ScoreTable. Entries whose band or mode cannot be decoded are left out, each with a
// message for the person.
//
// The window's "Mostra punteggio" and the Cabrillo export both do:
//     ScoreResult result = ComputeScore(log);
//     ShowSkipMessages(result, prompts);                        // one box per entry
//     settings.SetScore(ClaimedScoreSetting(result.claimedScore));  // "Punteggio"
// and then open the score window or write the file; the command-line tool prints
// result.skipMessages on its error stream instead.

#include <cstdint>
#include <string>
#include <vector>

#include "base/UserPrompts.h"
#include "log/ContestLog.h"
#include "score/ScoreTable.h"

namespace tarnex {

struct ScoreResult {
    ScoreTable table;
    int64_t claimedScore = 0;               // table.Score()
    std::vector<size_t> skippedRows;        // 0-based rows left out, in log order
    std::vector<std::string> skipMessages;  // one per skipped row, same order
};

// Counts every entry whose band and mode decode: its band's entries and points, and
// a multiplier when its (section, mode) pair is new on the band. The section is
// `section` in QSO mode and `callingSection` in listening mode, by its numeric value
// (an empty or non-numeric text is section 0000). A section value outside 0..9999
// counts its entry and points but never a multiplier.
ScoreResult ComputeScore(const ContestLog& log);

// "Ignorato QSO n. %d per BANDA errata." / "... per MODO errato." with the 1-based
// position (the word "QSO" in listening mode too).
std::string BadBandMessage(size_t position);
std::string BadModeMessage(size_t position);

// Shows each skip message in its own box titled "Errore" with the stop icon.
void ShowSkipMessages(const ScoreResult& result, UserPrompts& prompts);

// The value stored as the 32-bit setting "Punteggio": the score, held at the
// largest 32-bit value when it is larger.
int32_t ClaimedScoreSetting(int64_t claimedScore);

}  // namespace tarnex
