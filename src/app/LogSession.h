#pragma once
// The current log as the person works with it: the rows, the journal that mirrors
// them, the open log file, the "modified" flag and the file commands New, Open,
// Save and Save as. It talks to the person only through UserPrompts.

#include <functional>
#include <string>

#include "app/Settings.h"
#include "app/UserPrompts.h"
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

    // The window title: the base title, plus " - " and the open log's name.
    std::string Title() const;

    // Loads the journal when the window opens (creating it when there is none).
    // Reports a failure to the person and returns false.
    bool LoadJournal();

    // Writes one new entry's line to the journal (after the row was added to the
    // log) and sets "modified". When the write fails the person is told, the entry
    // stays in the log and the next successful write brings the journal up to date.
    bool JournalAppend(const std::string& line);

    // After an edit, a delete or a new station summary: the whole journal again.
    bool RewriteJournal();

    // Sets "modified" and stores "Modificato" = 1 when it was not yet set.
    void MarkModified();

    // Changes the log mode: empties the log, forgets the open log file, clears
    // "modified" and rewrites the journal.
    void SwitchMode(LogMode mode);

    // The file commands.
    void New();
    void Open();
    void Save();
    void SaveAs();

    // True while an entry is in the log but not yet in the journal.
    bool JournalBehind() const { return journalBehind_; }

private:
    void NotifyTitle();
    void NotifyReplaced();

    Settings& settings_;
    SectionTable& sections_;
    UserPrompts& prompts_;
    std::string programFolder_;
    ContestLog log_;
    Journal journal_;
    LogSessionListener* listener_ = nullptr;
    bool journalBehind_ = false;
};

}  // namespace tarnex
