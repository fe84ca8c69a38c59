#pragma once
// The command-line side of the call history and the partial-call lookup:
//
//   tarnex-cli history add FILE... -o HISTORY
//   tarnex-cli scp PARTIAL [--log LOG] [--history FILE] [--master FILE] [--band BAND --mode MODE]

#include <iosfwd>
#include <string>
#include <vector>

namespace tarnex {

// True when the arguments name the "history" or "scp" command.
bool IsHistoryCommand(const std::vector<std::string>& args);

// Runs one of them; the exit status as RunCli's (2: bad arguments or input, one line
// on the error stream, no file written). `programFolder` holds the default
// "_storico.csv" of "scp".
int RunHistoryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const std::string& programFolder);

// The lines of --help for these commands.
std::string HistoryCliUsage();

}  // namespace tarnex
