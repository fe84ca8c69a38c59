#include "history/HistoryUpdate.h"

#include <optional>

#include "history/HistorySources.h"
#include "util/FileIo.h"

namespace tarnex {

HistoryUpdateResult UpdateHistory(CallHistory& history, const std::vector<std::string>& paths) {
    HistoryUpdateResult result;
    std::vector<HistoryRecord> offers;
    for (const std::string& path : paths) {
        std::string error;
        std::optional<std::string> bytes = ReadFileBytes(path, &error);
        if (!bytes) {
            result.unread.push_back({path, HistoryUpdateResult::Failure::CannotRead, error});
            continue;
        }
        SourceStations stations = StationsFromBytes(*bytes);
        if (!stations.usable) {
            result.unread.push_back({path,
                                     stations.kind == HistorySourceKind::History
                                         ? HistoryUpdateResult::Failure::NoCallAndSect
                                         : HistoryUpdateResult::Failure::NotRecognised,
                                     {}});
            continue;
        }
        ++result.filesRead;
        result.skippedLines += stations.skipped;
        if (offers.empty()) {
            offers = std::move(stations.records);
        } else {
            offers.insert(offers.end(), std::make_move_iterator(stations.records.begin()),
                          std::make_move_iterator(stations.records.end()));
        }
    }
    CallHistory::MergeCounts counts = history.Merge(std::move(offers));
    result.added = counts.added;
    result.updated = counts.updated;
    return result;
}

std::string HistoryUpdateMessage(const HistoryUpdateResult& result) {
    std::string text = "Stazioni aggiunte allo storico: " + std::to_string(result.added) +
                       "\nStazioni aggiornate: " + std::to_string(result.updated);
    if (result.skippedLines > 0) {
        text += "\nRighe danneggiate ignorate: " + std::to_string(result.skippedLines);
    }
    if (!result.unread.empty()) {
        text += "\n\nFile non letti:";
        for (const HistoryUpdateResult::UnreadFile& file : result.unread) {
            text += "\n" + FileNameOf(file.path) + " (";
            switch (file.failure) {
                case HistoryUpdateResult::Failure::CannotRead:
                    text += "impossibile leggerlo";
                    break;
                case HistoryUpdateResult::Failure::NotRecognised:
                    text += "formato non riconosciuto";
                    break;
                case HistoryUpdateResult::Failure::NoCallAndSect:
                    text += "mancano le colonne Call e Sect";
                    break;
            }
            text += ")";
        }
    }
    return text;
}

}  // namespace tarnex
