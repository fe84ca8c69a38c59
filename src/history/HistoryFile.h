#pragma once
// The call history file "_storico.csv" in the program's folder: the common
// contest-logger history format. The first line names the columns in order after the
// marker "!!Order!!" ("!!Order!!,Call,Sect" at least; other columns are allowed and
// skipped), "#" lines are comments, then one line per station with the values in that
// order, separated by commas. Windows-1252 text, CR LF line ends.
//
// This program writes "!!Order!!,Call,Sect,LastQsoUtc": the extra column holds the
// UTC date and time of the newest contact that gave the section ("2023-06-10 14:23"),
// so that an update can tell newer information from older; loggers that do not know
// the column skip it, and a file without it reads as information of unknown age.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "history/CallHistory.h"
#include "history/HistoryRecord.h"
#include "util/FileIo.h"

namespace tarnex {

inline constexpr const char* kHistoryFileName = "_storico.csv";
inline constexpr std::string_view kHistoryHeader = "!!Order!!,Call,Sect,LastQsoUtc";
// A line longer than this (CR and LF not counted) is damaged.
constexpr size_t kHistoryLineLimit = 255;

struct HistoryFileContent {
    bool hasHeader = false;                 // an "!!Order!!" line named the columns
    bool hasColumns = true;                 // the columns include Call and Sect (nothing is read otherwise)
    std::vector<std::string> otherColumns;  // names of columns this program skips
    std::vector<HistoryRecord> records;     // in the order of the file
    // Lines skipped as damaged: too few values, a callsign that is not 3 to 14
    // characters A-Z, 0-9 and "/" (a-z are taken as A-Z), a section that is not four
    // digits, a line longer than kHistoryLineLimit.
    size_t damagedLines = 0;
};

// Reads the bytes of a history file. Without an "!!Order!!" line the columns are
// "Call,Sect". Blank lines and comments are not damage; a last line without a line
// end is read.
HistoryFileContent ReadHistoryBytes(std::string_view bytes);

// The whole file for a history, callsigns ascending.
std::string HistoryFileBytes(const CallHistory& history);

struct HistoryLoadResult {
    bool found = false;  // the file is there
    bool ok = false;     // read, or not there at all (an empty history)
    // False when writing the history back would lose something the file holds: columns
    // this program does not keep (another logger's names, notes ...), or lines of a file
    // without a header line that are not history lines (bytes that are no history).
    bool safeToRewrite = true;
    std::vector<std::string> otherColumns;
    size_t damagedLines = 0;
    std::string error;  // why it could not be read
};

// Replaces the history with the file's records. A missing file gives an empty history;
// a file that cannot be read leaves the history as it was.
HistoryLoadResult LoadHistoryFile(const std::string& path, CallHistory& history);

// Writes the whole history: a temporary file in the same folder, flushed and renamed.
FileResult SaveHistoryFile(const std::string& path, const CallHistory& history);

}  // namespace tarnex
