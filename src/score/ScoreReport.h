#pragma once
// The score report shown by the score window: one row per band with entries, points,
// multipliers and the band's own product, the totals, and the total score.

#include <cstdint>
#include <string>

#include "log/LogTypes.h"
#include "score/ScoreTable.h"

namespace tarnex {

// Decimal text with "." between groups of three digits from the right: 0 -> "0",
// 1000 -> "1.000", 1234567 -> "1.234.567". A negative value keeps its sign in front.
std::string FormatThousands(int64_t n);

// The report text with CR LF line ends (the text box needs them). The heading reads
// "N.Hrd" in listening mode and "N.Qso" in QSO mode. The totals row has no product
// column; the last line is the product of the totals, "PUNTEGGIO TOTALE = ...".
std::string BuildScoreReport(const ScoreTable& table, LogMode mode);

}  // namespace tarnex
