#include "app/HistoryUpdateCommand.h"

#include <utility>

#include "base/UserPrompts.h"
#include "history/HistoryUpdate.h"
#include "util/FileIo.h"

namespace tarnex {

std::string HistoryUnreadableText(const std::string& path, const std::string& error) {
    std::string text = "Impossibile leggere lo storico nominativi:\n" + path;
    if (!error.empty()) {
        text += "\n" + error;
    }
    return text;
}

std::string HistoryNotRewrittenText(const std::string& name, const std::vector<std::string>& otherColumns) {
    std::string why;
    if (otherColumns.empty()) {
        why = "contiene righe che non sono di uno storico nominativi";
    } else {
        why = "ha colonne che il programma non conserva (";
        for (size_t i = 0; i < otherColumns.size(); ++i) {
            why += (i > 0 ? ", " : "") + otherColumns[i];
        }
        why += ")";
    }
    // "non \xE8": Windows-1252 for the accented e.
    return "Il file " + name + " " + why +
           ": non \xE8 stato riscritto, e le stazioni lette valgono fino alla chiusura del programma.";
}

HistoryUpdateCommand::HistoryUpdateCommand(UserPrompts& prompts, std::string historyPath, PathText pathText)
    : prompts_(prompts), historyPath_(std::move(historyPath)), pathText_(std::move(pathText)) {
    if (!pathText_) {
        pathText_ = [](const std::string& path) { return path; };
    }
}

bool HistoryUpdateCommand::Run(CallHistory& history) {
    CallHistory updated;
    const HistoryLoadResult loaded = LoadHistoryFile(historyPath_, updated);
    if (!loaded.ok) {
        prompts_.ShowMessage(HistoryUnreadableText(pathText_(historyPath_), loaded.error) +
                                 "\n\nLo storico non \xE8 stato aggiornato.",
                             kErrorTitle, MessageIcon::Stop);
        return false;
    }
    FileDialogOptions options;
    options.title = kHistoryChooseTitle;
    options.filterText = "Tutti i documenti";
    options.filterPattern = "*.*";
    options.mustExist = true;
    const std::vector<std::string> paths = prompts_.ChooseOpenFiles(options);
    if (paths.empty()) {
        return false;
    }

    HistoryUpdateResult result = UpdateHistory(updated, paths);
    // The history's own damaged lines are left out too (and out of the file written).
    result.skippedLines += loaded.damagedLines;
    MessageIcon icon = MessageIcon::Information;
    std::string note;
    if (result.filesRead > 0) {
        if (!loaded.safeToRewrite) {
            note = HistoryNotRewrittenText(pathText_(historyPath_), loaded.otherColumns);
        } else if (const FileResult written = SaveHistoryFile(historyPath_, updated); !written) {
            note = "Impossibile salvare lo storico nominativi:\n" + pathText_(historyPath_);
            if (!written.error.empty()) {
                note += "\n" + written.error;
            }
        }
    }
    if (!note.empty() || !result.unread.empty()) {
        icon = MessageIcon::Exclamation;
    }
    for (HistoryUpdateResult::UnreadFile& file : result.unread) {
        file.path = pathText_(file.path);
    }
    std::string text = HistoryUpdateMessage(result);
    if (!note.empty()) {
        text += "\n\n" + note;
    }
    history = std::move(updated);
    prompts_.ShowMessage(text, kHistoryUpdateTitle, icon);
    return true;
}

}  // namespace tarnex
