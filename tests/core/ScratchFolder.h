#pragma once
// A fresh folder under the system's temporary folder for one test, removed with
// everything in it when the test ends; and a guard that removes the file fault hook.

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "util/FileIo.h"

namespace tarnex::testing {

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarnex-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, ending in "/".
    std::string Folder() const { return path_ + "/"; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::string path_;
};

// Clears the file fault hook when the test leaves the scope, passing or failing.
struct FaultHookGuard {
    explicit FaultHookGuard(FileFaultHook hook) { SetFileFaultHook(std::move(hook)); }
    ~FaultHookGuard() { SetFileFaultHook(nullptr); }
};

}  // namespace tarnex::testing
