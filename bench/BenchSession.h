#pragma once
// A log session over a synthetic journal, as the main window holds it: the settings,
// the full section table, the journal in a scratch folder, the log loaded from it, and
// the entry form (with its listening half) opened on it.

#include <memory>
#include <string>

#include "BenchSupport.h"
#include "SyntheticLog.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "entry/EntryForm.h"
#include "entry/ListeningEntry.h"
#include "sections/SectionTable.h"

namespace tarnex::bench {

// Where the journal lives: on the disk (a flush reaches the disk) or in memory (a
// flush costs next to nothing, to see the cost of the program's own work).
enum class JournalPlace { Disk, Memory };

class BenchSession {
  public:
    BenchSession(LogMode mode, size_t entries, JournalPlace place = JournalPlace::Disk);
    ~BenchSession();

    const SyntheticLog& Synthetic() const { return synthetic_; }
    LogSession& Session() { return *session_; }
    ContestLog& Log() { return session_->Log(); }
    EntryForm& Form() { return *form_; }
    ListeningEntry& Listening() { return listening_; }
    Settings& GetSettings() { return settings_; }
    SilentPrompts& Prompts() { return prompts_; }
    const SectionTable& Sections() const { return *sections_; }
    const BenchFolder& Folder() const { return folder_; }

  private:
    SyntheticLog synthetic_;
    BenchFolder folder_;
    MemorySettingsStore store_;
    Settings settings_;
    std::unique_ptr<SectionTable> sections_;
    SilentPrompts prompts_;
    ListeningEntry listening_;
    std::unique_ptr<LogSession> session_;
    std::unique_ptr<EntryForm> form_;
};

}  // namespace tarnex::bench
