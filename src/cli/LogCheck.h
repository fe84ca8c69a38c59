#pragma once
// The command-line "check": everything in a log that the score leaves out, that the
// contest rules count only once, that names an unknown section, or that the entry
// form would not have let in.

#include <cstddef>
#include <string>
#include <vector>

#include "log/ContestLog.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"

namespace tarnex {

struct LogFinding {
    size_t row = 0;  // 1-based row number as the log list shows it; 0 for the header
    std::string text;
};

// In QSO mode a duplicate is a row with the callsign, band text and mode text of an
// earlier row. In listening mode a callsign may be heard calling once and answering
// at most three times per band and mode. Findings come in row order.
std::vector<LogFinding> CheckLog(const ContestLog& log, const StationSummary& station, bool hasHeader,
                                 const SectionTable& sections);

// "row 12: text" ("header: text" for row 0).
std::string FormatFinding(const LogFinding& finding);

}  // namespace tarnex
