#pragma once
// The "net" commands of the command line: a shared log on its NATS server.
//
//   tarnex-cli net create --server URL[,URL...] --log NAME [--replicas N]
//   tarnex-cli net export FORMAT --server URL[,URL...] --log NAME -o OUT [--sections FILE]

#include <iosfwd>
#include <string>

#include "cli/CliOptions.h"
#include "log/ContestLog.h"
#include "log/StationSummary.h"

namespace tarnex {

class SectionTable;

// Makes the log on the server. Throws CliError when the server does not.
int RunNetCreate(const CliOptions& options, std::ostream& out);

// Reads the shared log from the server into `log` and `station` (the station summary
// the positions share; empty values when none was ever given). Throws CliError.
void ReadNetLog(const CliOptions& options, const SectionTable& sections, ContestLog& log,
                StationSummary& station, std::ostream& err);

}  // namespace tarnex
