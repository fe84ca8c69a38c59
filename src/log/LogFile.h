#pragma once
// The log file format shared by the journal "_ult.trnx" and the ".trnx" log files:
// a header line, eleven station-summary lines, then one "^"-separated line per entry.

#include <string>
#include <string_view>

#include "log/ContestLog.h"
#include "log/LogTypes.h"
#include "log/StationSummary.h"

namespace tarnex {

class SectionTable;

// Lines are read with this limit: at most 101 characters are taken, the rest of a
// longer line is read as the next line.
constexpr size_t kLogLineLimit = 100;

inline constexpr const char* kQsoHeader = "trnx14;qso";
inline constexpr const char* kListeningHeader = "trnx141;hrd";

struct LogFileInfo {
    bool hasHeader = false;
    LogMode mode = LogMode::Qso;
    size_t entries = 0;
};

// Reads a whole file's bytes into the log: sets the log's mode from the header (which
// empties it), fills the station summary from the header lines when there is a
// header (left untouched otherwise), and appends every entry line with the
// per-entry index update. The section names of QSO rows come from the table.
LogFileInfo ReadLogBytes(std::string_view bytes, const SectionTable& sections, ContestLog& log,
                         StationSummary& station);

// The header: the mode's header word and the eleven station values, CR LF each. In
// listening mode the category line is "SWL".
std::string LogHeaderBytes(LogMode mode, const StationSummary& station);

// One entry line, CR LF included.
std::string QsoLine(const QsoRecord& record, std::string_view ownSection);
std::string ListeningLine(const HrdRecord& record);
// The line of a row of the log, in the log's mode, with the entry's identity in one
// more field when it has one. A row that a read cut out of an over-long line is
// written so that it reads back as the same row and nothing more.
std::string EntryLine(const ContestLog& log, size_t row, std::string_view ownSection);
void AppendEntryLine(std::string& bytes, const ContestLog& log, size_t row, std::string_view ownSection);

// Header and every row in display order: the bytes of a full rewrite.
std::string LogFileBytes(const ContestLog& log, const StationSummary& station);

// Splits an entry line into its fields: the text before each "^" (the rest of the line
// when there is none). Missing fields are empty.
void SplitFields(std::string_view line, std::string_view* fields, size_t count);

}  // namespace tarnex
