#pragma once
// One thing the checks found in a log before it is sent: the row it concerns (none
// for the station data), what kind of problem it is and why, in the program's
// Italian for the window and in English for the command line.

#include <cstddef>
#include <optional>
#include <string>

namespace tarnex {

enum class FindingKind {
    // The station data (no row).
    OwnCallsignMissing,
    OwnCallsignSpecial,  // a special-event callsign, which may not enter (but may send a check log)
    OwnSectionMissing,
    OwnSectionUnknown,
    NameMissing,
    StationValueBreaksLine,  // a line break or other control character in a value
    CategoryUnknown,         // not one of the contest's categories
    CategoryNotForLogMode,   // "SWL" in a QSO log, or another category in a listening log
    PowerNotChosen,          // only before the Cabrillo 3.0 file
    // One entry.
    LeftOutOfScore,
    Duplicate,               // the same station on the same band and mode again
    HeardCallingAgain,       // listening: the same calling station again on a band and mode
    HeardAnsweringTooOften,  // listening: an answering station heard a fourth time
    BadDate,
    BadTime,
    OutsideContestPeriod,
    BadBand,
    BadMode,
    RttyOn160,
    BadCallsign,
    BadReport,
    UnknownSection,
    ModeNotInCategory,  // e.g. SSB contacts in a SINGLE-OP CW log: named once, at the first
};

struct LogFinding {
    std::optional<size_t> row;  // 0-based position in the log; none for the station data
    FindingKind kind = FindingKind::OwnCallsignMissing;
    std::string reason;   // Italian (Windows-1252), as the findings dialog shows it
    std::string english;  // as "tarnex-cli check" prints it after "row N: " or "header: "
};

}  // namespace tarnex
