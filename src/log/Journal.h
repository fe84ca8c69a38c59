#pragma once
// The journal "_ult.trnx": the current log mirrored on disk line for line. Every new
// entry is appended at once; every other change rewrites it whole (atomically).

#include <string>

#include "log/ContestLog.h"
#include "log/StationSummary.h"
#include "util/FileIo.h"

namespace tarnex {

class SectionTable;

enum class JournalLoad {
    Loaded,        // read into the log
    Created,       // there was none: created with the header only, log empty
    CreateFailed,  // there was none and it could not be created
    ReadFailed,    // it exists but cannot be read: left alone, nothing loaded
};

class Journal {
  public:
    explicit Journal(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    // Loads the journal into the log (mode and station summary from its header); a
    // missing journal is created with the header for the log's current mode.
    JournalLoad Load(ContestLog& log, StationSummary& station, const SectionTable& sections,
                     std::string* error = nullptr);

    // Appends one entry line (CR LF included) and flushes it to disk.
    FileResult Append(const std::string& line);

    // Replaces the journal with the header and every row of the log.
    FileResult Rewrite(const ContestLog& log, const StationSummary& station);

    // Replaces the journal with the header only.
    FileResult WriteHeaderOnly(LogMode mode, const StationSummary& station);

  private:
    std::string path_;
};

}  // namespace tarnex
