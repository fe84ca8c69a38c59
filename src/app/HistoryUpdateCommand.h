#pragma once
// "Aggiorna storico nominativi..." (menu "Strumenti"): the person picks one or more
// files of earlier contests (this program's logs of either mode, ADIF and Cabrillo
// files, other history files); their stations are merged into the call history file
// "_storico.csv", the newest contact per callsign winning, the file is written whole
// and renamed into place, and a message tells how many stations were added and
// updated.
//
// The update starts from what the file holds now (tarnex-cli may have changed it). A
// history file that cannot be read is never written (the person is told before any
// file is chosen); one that holds what this program would not write back (columns it
// does not keep, lines that are no history) is not written either: the stations read
// serve until the program ends, and the message says so.

#include <functional>
#include <string>
#include <vector>

#include "history/CallHistory.h"
#include "history/HistoryFile.h"

namespace tarnex {

class UserPrompts;

// The message's title, and the file chooser's.
inline constexpr const char* kHistoryUpdateTitle = "Aggiornamento storico nominativi";
inline constexpr const char* kHistoryChooseTitle = "Scegli i file con cui aggiornare lo storico nominativi";

// "Impossibile leggere lo storico nominativi:\n" + path, the system's words on a line of
// their own when there are any.
std::string HistoryUnreadableText(const std::string& path, const std::string& error);
// Why a history file is not written back: the columns this program does not keep, or
// (none listed) lines that are no history.
std::string HistoryNotRewrittenText(const std::string& name, const std::vector<std::string>& otherColumns);

class HistoryUpdateCommand {
  public:
    // A file path as a message shows it (the window program turns the file system's
    // bytes into the program's code page).
    using PathText = std::function<std::string(const std::string&)>;

    HistoryUpdateCommand(UserPrompts& prompts, std::string historyPath, PathText pathText = {});

    // Runs the command. True when `history` was replaced by the updated history (the
    // files were chosen and the history file could be read); false for Cancel or a
    // history file that cannot be read, `history` untouched.
    bool Run(CallHistory& history);

    const std::string& HistoryPath() const { return historyPath_; }

  private:
    UserPrompts& prompts_;
    std::string historyPath_;
    PathText pathText_;
};

}  // namespace tarnex
