#include "BenchSession.h"

#include <filesystem>

#include "app/AppTexts.h"

namespace tarnex::bench {

namespace {
std::string FolderTag(JournalPlace place) {
    if (place == JournalPlace::Memory && std::filesystem::is_directory("/dev/shm")) {
        return "/dev/shm";
    }
    return "";
}
}  // namespace

BenchSession::BenchSession(LogMode mode, size_t entries, JournalPlace place)
    : synthetic_(entries),
      folder_("session", FolderTag(place)),
      settings_(store_),
      sections_(std::make_unique<SectionTable>()) {
    SyntheticLog::FillSections(*sections_);
    settings_.Load();
    settings_.SetStation(SyntheticLog::Station(mode));
    settings_.logMode = mode;
    settings_.tips = false;
    PutFile(folder_.File(kJournalFileName), synthetic_.JournalBytes(mode, *sections_));
    session_ = std::make_unique<LogSession>(settings_, *sections_, prompts_, folder_.Path());
    session_->LoadJournal();
    form_ = std::make_unique<EntryForm>(*session_);
    form_->SetListeningHandler(&listening_);
    form_->Open(ClockNow{{2007, 6, 2, 14, 23, 10}, {2007, 6, 2, 16, 23, 10}});
}

BenchSession::~BenchSession() {
    form_.reset();
    session_.reset();
}

}  // namespace tarnex::bench
