#pragma once
// Every file the program reads or writes goes through these few calls, so that a
// whole-file replace is always atomic (temporary file, flush, rename) and tests can
// make any step fail.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnex {

enum class FileStep { Open, Read, Write, Flush, Close, Rename, Remove };

// Test seam: when set, it is asked before each step and a true answer makes that
// step fail as a full disk or an I/O error would. Not thread-safe; tests only.
using FileFaultHook = std::function<bool(FileStep step, const std::string& path)>;
void SetFileFaultHook(FileFaultHook hook);

struct FileResult {
    bool ok = false;
    std::string error;  // what failed, for the person ("No space left on device")
    explicit operator bool() const { return ok; }
};

// Whole file into memory. nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error = nullptr);

bool FileExists(const std::string& path);

// Replaces (or creates) path with exactly these bytes: written to a temporary file in
// the same folder, flushed to disk and renamed over the target. On failure the
// previous file is untouched and no temporary file is left behind.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// A whole-file replace whose bytes arrive in pieces: the temporary file is created
// first, each piece is written to it as it comes, and Finish flushes the file and
// renames it over the target. Every failure is one WriteFileAtomically reports, and
// leaves the target as it was and no temporary file; a writer dropped without Finish
// removes its temporary file.
class AtomicFileWriter {
  public:
    // Creates the temporary file next to `path`.
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once a step has failed: what is written after it goes nowhere, and Finish
    // reports the failure.
    bool Good() const { return failedStep_ == nullptr; }

    // Writes the bytes after those written so far.
    void Write(std::string_view bytes);

    // Flushes, closes and renames (or reports the first failure). Call once.
    FileResult Finish();

  private:
    void Fail(const char* what);
    FileResult Abandon(const char* what);

    std::string path_;
    std::string temp_;
    int fd_ = -1;
    // The first failure ("cannot write") and its errno; null while all is well.
    const char* failedStep_ = nullptr;
    int failedErrno_ = 0;
};

// Appends to an existing file (never creates it) and flushes it to disk.
FileResult AppendToFile(const std::string& path, std::string_view bytes);

// Copies source over destination atomically: the destination is either the old
// file or a whole copy.
FileResult CopyFileAtomically(const std::string& source, const std::string& destination);

// The temporary files a whole-file replace of one of these names makes
// ("_ult.trnx.tmp-Ab12Cd"), left in the folder by a process that was killed during the
// replace, are removed. Nothing else is touched. Gives the paths that could not be
// removed.
std::vector<std::string> RemoveStaleTemporaryFiles(const std::string& folder,
                                                   const std::vector<std::string>& names);

// The file-name part of a path ("/a/b/log.trnx" -> "log.trnx").
std::string FileNameOf(const std::string& path);

}  // namespace tarnex
