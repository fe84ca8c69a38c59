#include "app/RecentFileList.h"

#include <algorithm>

namespace tarnex {

namespace {
std::string KeyOf(size_t index) {
    return "File" + std::to_string(index + 1);
}
}  // namespace

void RecentFileList::Load() {
    entries_.clear();
    for (size_t i = 0; i < kSize; ++i) {
        std::string path = store_.ReadFileName(kRecentFileSection, KeyOf(i), "");
        if (path.empty()) {
            break;
        }
        entries_.push_back(path);
    }
}

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kSize) {
        entries_.resize(kSize);
    }
    Save();
}

void RecentFileList::Save() {
    for (size_t i = 0; i < kSize; ++i) {
        store_.WriteFileName(kRecentFileSection, KeyOf(i), i < entries_.size() ? entries_[i] : std::string());
    }
}

}  // namespace tarnex
