#pragma once
// "Update the call history": the stations of one or more files (this program's logs,
// ADIF and Cabrillo files, other history files) merged into the history, the newest
// contact per callsign winning; with the counts the person is told.

#include <cstddef>
#include <string>
#include <vector>

#include "history/CallHistory.h"

namespace tarnex {

struct HistoryUpdateResult {
    enum class Failure { CannotRead, NotRecognised, NoCallAndSect };
    struct UnreadFile {
        std::string path;
        Failure failure = Failure::CannotRead;
        std::string error;  // the system's words when it could not be read
    };

    size_t added = 0;         // callsigns new to the history
    size_t updated = 0;       // callsigns whose section changed
    size_t skippedLines = 0;  // damaged lines, entries and records, in all files
    size_t filesRead = 0;
    std::vector<UnreadFile> unread;  // files nothing could be taken from
};

// Reads every file (in the order given: between contacts of the same minute, or of no
// known time, the file later in the list wins) and merges what they tell into the
// history. Files that cannot be read or are of no known kind are listed, and the
// others are still merged; the caller writes the history (SaveHistoryFile).
HistoryUpdateResult UpdateHistory(CallHistory& history, const std::vector<std::string>& paths);

// What the window says when an update ends:
//   "Stazioni aggiunte allo storico: 12\nStazioni aggiornate: 3"
// followed, when there were any, by "\nRighe danneggiate ignorate: 2" and by
// "\n\nFile non letti:" with one line per file, its name and why.
std::string HistoryUpdateMessage(const HistoryUpdateResult& result);

}  // namespace tarnex
