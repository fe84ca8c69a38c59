#include "SyntheticLogFiles.h"

#include "SyntheticLog.h"

namespace tarnex::bench {

SyntheticLogFiles::SyntheticLogFiles(const std::string& tag)
    : folder_(tag), sections_(std::make_unique<SectionTable>()) {
    SyntheticLog::FillSections(*sections_);
}

const std::string& SyntheticLogFiles::PathFor(size_t entries, LogMode mode) {
    auto key = std::make_pair(entries, mode);
    auto it = paths_.find(key);
    if (it == paths_.end()) {
        std::string path =
            folder_.File(std::to_string(entries) + (mode == LogMode::Qso ? "-qso" : "-swl") + ".trnx");
        PutFile(path, SyntheticLog(entries).JournalBytes(mode, *sections_));
        it = paths_.emplace(key, path).first;
    }
    return it->second;
}

}  // namespace tarnex::bench
