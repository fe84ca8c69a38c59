#pragma once
// The checks a log goes through before it is sent, one implementation for the window
// (before "Esporta -> Cabrillo", "Esporta -> Cabrillo 3.0" and "Esporta -> ADIF") and
// for "tarnex-cli check": entries the score leaves out, duplicates (the same station
// on the same band and mode; in listening mode a station heard calling twice or
// answering more than three times on a band and mode), fields the entry form would
// not have let in, unknown section codes, RTTY on 160 m, entries outside the contest
// weekend of the log's year (Saturday 12:00 to Sunday 11:59 UTC), a category that
// does not fit the log, missing or unusable station data, and an own callsign of a
// special-event station entering a category other than CHECKLOG.

#include <vector>

#include "check/LogFinding.h"
#include "log/ContestLog.h"
#include "log/StationExtras.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"

namespace tarnex {

// The file about to be written. Only the Cabrillo 3.0 file states the power, so only
// it asks for one.
enum class CheckedExport { Cabrillo, Cabrillo3, Adif };

struct CheckRequest {
    // The station data; nullptr for a log file without a header, whose station data
    // are unknown rather than missing (they are then not checked).
    const StationSummary* station = nullptr;
    StationExtras extras;
    CheckedExport target = CheckedExport::Cabrillo;
};

// Every finding, those about the station data first, then by row; the findings of
// one row come in a fixed order. An empty result: the log may go as it is.
std::vector<LogFinding> CheckLog(const ContestLog& log, const SectionTable& sections,
                                 const CheckRequest& request);

}  // namespace tarnex
