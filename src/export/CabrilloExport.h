#pragma once
// The Cabrillo 2.0 file of a log: the station header, one "QSO:" line per entry and
// the closing line, as the bytes to write.

#include <cstdint>
#include <string>
#include <vector>

#include "export/ExportSink.h"
#include "log/ContestLog.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"

namespace tarnex {

struct CabrilloOptions {
    // Setting "File Cabrillo SWL separati": a listening log of more than one entry is
    // written ordered by band (then date, time and log order). No effect in QSO mode.
    bool listeningByBand = false;
};

// The whole Cabrillo file, lines ended by CR LF. `claimedScore` is the score computed
// just before the export (written as "CLAIMED-SCORE: "); the own section's name comes
// from `sections`. In QSO mode the sent exchange is the station's own callsign and
// section; in listening mode the calling station is the sender and the answering
// station the receiver. The log itself is never changed (see ListeningBandOrder.h for the
// window's in-place ordering).
std::string ExportCabrillo(const ContestLog& log, const StationSummary& station, const SectionTable& sections,
                           int64_t claimedScore, const CabrilloOptions& options = {});
// The same bytes handed to `out` as they are made, a block of lines at a time.
void ExportCabrilloTo(ExportSink& out, const ContestLog& log, const StationSummary& station,
                      const SectionTable& sections, int64_t claimedScore,
                      const CabrilloOptions& options = {});

// The "QSO:" line of one row (CR LF included), as ExportCabrillo writes it.
std::string CabrilloQsoLine(const ContestLog& log, size_t row, const StationSummary& station);
// How the padded fields of a "QSO:" line meet. AsPadded is the 2.0 file's layout: a
// callsign of 14 characters (or a longer one) runs straight into the report after
// it. Separated puts one space after such a field, so that a reader that splits the
// line at spaces finds every field; lines of shorter values are the same bytes.
enum class QsoLineFields { AsPadded, Separated };

// The same line added to the end of `out`.
void AppendCabrilloQsoLine(std::string& out, const ContestLog& log, size_t row, const StationSummary& station,
                           QsoLineFields fields = QsoLineFields::AsPadded);

// The lines of the given rows in that order, of every row in log order when `rows` is
// null: the same bytes as one AppendCabrilloQsoLine per row, written a block of lines
// at a time.
void AppendCabrilloQsoLines(std::string& out, const ContestLog& log, const std::vector<size_t>* rows,
                            const StationSummary& station, QsoLineFields fields = QsoLineFields::AsPadded);
// The same lines handed to `out`.
void AddCabrilloQsoLines(ExportSink& out, const ContestLog& log, const std::vector<size_t>* rows,
                         const StationSummary& station, QsoLineFields fields = QsoLineFields::AsPadded);

}  // namespace tarnex
