#pragma once
// The current log as the person works with it: the rows, the journal that mirrors
// them, the open log file, the "modified" flag and the file commands New, Open,
// Save and Save as. It talks to the person only through UserPrompts.

#include <functional>
#include <string>

#include "app/LogNetHook.h"
#include "app/RecentFileList.h"
#include "app/Settings.h"
#include "base/UserPrompts.h"
#include "log/ContestLog.h"
#include "log/Journal.h"

namespace tarnex {

class SectionTable;

// Told when the window must follow a change the session made.
class LogSessionListener {
  public:
    virtual ~LogSessionListener() = default;
    // The window title to show now.
    virtual void TitleChanged(const std::string& title) {}
    // The log was replaced as a whole (New, Open, a change of mode, a journal load):
    // the grids, markers and previous contacts must be switched off.
    virtual void LogReplaced() {}
};

class LogSession {
  public:
    LogSession(Settings& settings, SectionTable& sections, UserPrompts& prompts, std::string programFolder);

    ContestLog& Log() { return log_; }
    const ContestLog& Log() const { return log_; }
    Settings& GetSettings() { return settings_; }
    SectionTable& Sections() { return sections_; }
    UserPrompts& Prompts() { return prompts_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    const std::string& JournalPath() const { return journal_.Path(); }

    void SetListener(LogSessionListener* listener) { listener_ = listener; }
    LogSessionListener* Listener() const { return listener_; }

    // The window title: the base title, plus " - " and the open log's name.
    std::string Title() const;

    // Loads the journal when the window opens (creating it when there is none). The
    // log mode and station summary follow the journal's header (in memory only).
    // Reports a failure to the person and returns false. A journal that exists but
    // cannot be read is left alone: nothing is written to it until New or Open
    // replaces it.
    bool LoadJournal();

    // Writes one new entry's line to the journal (after the row was added to the
    // log) and sets "modified". When the write fails the person is told, the entry
    // stays in the log and the next successful write brings the journal up to date.
    // In a shared log the network side writes the line (with the entry's identity)
    // and then sends the entry.
    bool JournalAppend(const std::string& line);
    // The journal append itself: lines (CR LF each) at the end of the journal.
    bool AppendJournalLine(const std::string& lines);

    // A shared log: the network side to tell of every change (nullptr: none).
    void SetNetHook(LogNetHook* hook) { netHook_ = hook; }
    LogNetHook* NetHook() const { return netHook_; }
    // Told to the network side, when there is one.
    void EntryEdited(size_t row);
    void EntriesDeleting(const std::vector<size_t>& rows);
    void EntriesSorted();
    void StationSummaryChanged();

    // After an edit, a delete or a new station summary: the whole journal again.
    bool RewriteJournal();

    // Sets "modified" and stores "Modificato" = 1 when it was not yet set.
    void MarkModified();

    // Changes the log mode: empties the log, forgets the open log file, clears
    // "modified", rewrites the journal (header from the current station summary)
    // and gives the title without a file name.
    void SwitchMode(LogMode mode);

    // The file commands.
    void New();
    void Open();
    void Save();
    void SaveAs();

    // True while the journal does not hold what the log holds (a failed append or
    // rewrite, or a journal that could not be read).
    bool JournalBehind() const { return journalBehind_; }
    // True after the journal existed but could not be read.
    bool JournalUnreadable() const { return journalUnreadable_; }

    const RecentFileList& RecentFiles() const { return recent_; }

  private:
    void NotifyTitle();
    void NotifyReplaced();
    void SetModifiedAndStore(bool modified);
    bool ConfirmReplace(const char* question);
    // Writes the current log to a log file: a copy of the journal, or the log's own
    // bytes when the journal could not be brought up to date.
    bool WriteLogFile(const std::string& path);
    void ReportJournalWriteFailure(const std::string& error);

    Settings& settings_;
    SectionTable& sections_;
    UserPrompts& prompts_;
    std::string programFolder_;
    ContestLog log_;
    Journal journal_;
    LogSessionListener* listener_ = nullptr;
    LogNetHook* netHook_ = nullptr;
    RecentFileList recent_;
    bool journalBehind_ = false;
    bool journalUnreadable_ = false;
};

}  // namespace tarnex
