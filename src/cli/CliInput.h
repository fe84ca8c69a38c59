#pragma once
// What the command-line tool reads: a log file or journal, a sections file, and the
// folder the tool runs from. Every failure is a CliError, which the tool reports as
// one line on its error stream with exit status 2.

#include <stdexcept>
#include <string>

#include "log/ContestLog.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"

namespace tarnex {

class CliError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct LoadedLog {
    bool hasHeader = false;
    StationSummary station;  // from the header; empty without one
};

// Reads a log file or journal into `log` (section names from `sections`). Refuses,
// with a CliError, a file that cannot be read, that is empty, that holds binary data
// (a NUL byte), that ends inside its twelve header lines, or that has no header and
// whose first line is not an entry.
LoadedLog ReadLogForCli(const std::string& path, const SectionTable& sections, ContestLog& log);

// Reads a sections file into `table`. Refuses a file that cannot be read and one
// that holds bytes but not a single section line.
void ReadSectionsForCli(const std::string& path, SectionTable& table);

// The folder of the running program file, ending in "/"; empty when it cannot be
// found.
std::string ExecutableFolder();

// Where the window program beside this tool keeps "_sez.cod": the tool's own folder
// when it is writable and not installed, otherwise the person's data folder. Ends in
// "/"; empty when neither is known.
std::string CliProgramFolder();

}  // namespace tarnex
