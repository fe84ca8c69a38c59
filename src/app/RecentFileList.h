#pragma once
// The list of the last five log files opened, newest first, kept in the settings
// store under "Recent File List" as "File1" to "File5". Nothing shows it; Open adds
// to it.

#include <string>
#include <vector>

#include "base/SettingsStore.h"

namespace tarnex {

inline constexpr const char* kRecentFileSection = "Recent File List";

class RecentFileList {
  public:
    static constexpr size_t kSize = 5;

    explicit RecentFileList(SettingsStore& store) : store_(store) {}

    // Reads the stored entries ("File1" first); empty values end the list.
    void Load();
    // Puts a path at the top (moving it up when it is already listed), drops the
    // oldest beyond five and writes the list back at once.
    void Add(const std::string& path);
    const std::vector<std::string>& Entries() const { return entries_; }

  private:
    void Save();
    SettingsStore& store_;
    std::vector<std::string> entries_;
};

}  // namespace tarnex
