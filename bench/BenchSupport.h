#pragma once
// What the benchmark programs share: a scratch folder, prompts that answer nothing,
// the heap and resident-memory figures of the process.

#include <cstddef>
#include <optional>
#include <string>

#include "base/UserPrompts.h"

namespace tarnex::bench {

// A fresh folder removed with its files at the end. It lies in TARNEX_BENCH_DIR when
// that is set, else in the system's temporary folder (a real disk, so that a flush to
// disk costs what it costs on the person's computer), or under `base` when given.
class BenchFolder {
  public:
    explicit BenchFolder(const std::string& tag, const std::string& base = "");
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    // Ends in "/".
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

// Writes bytes to a file plainly (no flush), for setting up a benchmark.
void PutFile(const std::string& path, const std::string& bytes);

class SilentPrompts : public UserPrompts {
  public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override { ++messages; }
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override { return nextFile; }
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return nextFile; }

    int messages = 0;
    std::optional<std::string> nextFile;
};

// Bytes the allocator has handed out and not taken back.
size_t HeapInUse();
// Resident set of the process (VmRSS), in bytes.
size_t ResidentBytes();

}  // namespace tarnex::bench
