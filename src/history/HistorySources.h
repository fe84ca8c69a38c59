#pragma once
// The stations an earlier contest's file tells about, for updating the call history:
// this program's logs (either mode), ADIF and Cabrillo (2.0 and 3.0) files, and other
// history files. Each gives the callsign, the section the station sent and the minute
// of the contact, in the order read.

#include <cstddef>
#include <string_view>
#include <vector>

#include "history/HistoryRecord.h"

namespace tarnex {

enum class HistorySourceKind { Unknown, Log, Adif, Cabrillo, History };

// What the bytes are, by their content (the file's name does not count): a log header
// "trnx14" or a first line with "^" is a log; "START-OF-LOG:" a Cabrillo file; an
// "!!Order!!" line or comma-separated lines a history file; "<EOH>", or a "<" at the
// start, an ADIF file. Bytes with a NUL are none of them.
HistorySourceKind DetectHistorySource(std::string_view bytes);

struct SourceStations {
    HistorySourceKind kind = HistorySourceKind::Unknown;
    // False when the file's kind is unknown, or a history file's columns name no Call
    // and Sect: nothing could be taken from it.
    bool usable = false;
    std::vector<HistoryRecord> records;
    // Entries, records or lines that should have given a station and did not: a
    // callsign that is not 3 to 14 characters A-Z, 0-9 and "/", a section that is not
    // four digits, a damaged line.
    size_t skipped = 0;
};

// A log (.trnx or the journal). QSO mode: each contact's callsign with the section it
// sent. Listening mode: each heard entry's calling station with its section (the
// answering station sends its own section in the entry where it is heard calling).
SourceStations StationsFromLog(std::string_view bytes);

// An ADIF file: CALL with the received exchange, SRX (1 to 4 digits, padded with
// zeros: SRX is a number) or else SRX_STRING; a listening-mode record (with CALL2) gives
// CALL with STX. The time is QSO_DATE and TIME_ON.
SourceStations StationsFromAdif(std::string_view bytes);

// A Cabrillo file: each "QSO:" line of ten values or more gives the received callsign
// (8th) with the received exchange (10th); a listening-mode line (eight values) gives
// the calling station (5th) with its section (7th). The time is the 3rd and 4th values.
SourceStations StationsFromCabrillo(std::string_view bytes);

// Another history file (see HistoryFile.h).
SourceStations StationsFromHistory(std::string_view bytes);

// The bytes read as the kind DetectHistorySource finds.
SourceStations StationsFromBytes(std::string_view bytes);

}  // namespace tarnex
