#pragma once
// The command-line companion's entry, callable from tests.
//
//   tarnex-cli score LOG [--sections FILE]
//   tarnex-cli export cabrillo|adif|fastlog LOG -o OUT [--sections FILE] [--swl-by-band]
//   tarnex-cli export cabrillo3 LOG -o OUT [--sections FILE] [--power HIGH|LOW]
//                    [--overlay ROOKIE|YOUTH] [--email TEXT] [--contest NAME]
//   tarnex-cli check LOG [--sections FILE] [--for cabrillo|cabrillo3|adif] [--power HIGH|LOW]
//   tarnex-cli chart LOG -o FILE.png|FILE.svg [--sections FILE]
//   tarnex-cli import-sections TEXT -o SEZCOD
//   tarnex-cli net create --server URL[,URL...] --log NAME [--replicas 1|3|5]
//   tarnex-cli net export cabrillo|adif|fastlog --server URL[,URL...] --log NAME -o OUT [--sections FILE]
//   tarnex-cli history add FILE... -o HISTORY        (cli/HistoryCli.h)
//   tarnex-cli scp PARTIAL [--log LOG] [--history FILE] [--master FILE]
//   tarnex-cli --help
//
// Exit status: 0 done; 1 "check" found something; 2 bad arguments or input that
// cannot be read or is not what it should be (one line on the error stream, no
// output file touched).

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tarnex {

struct HourlyActivity;

// Draws the chart of the operating into a .png or .svg file; returns an empty text
// when the file was written, else what failed (no file left behind). The program
// passes the charts library's; without one the chart command is refused, so the
// rest of the tool needs no drawing library.
using ChartWriter = std::function<std::string(const HourlyActivity& activity, const std::string& path)>;

// Runs the tool with the arguments that follow the program name. Returns the exit
// status. The default sections file is "_sez.cod" in the window program's folder.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const ChartWriter& chartWriter = {});

// The same with the folder that holds the default "_sez.cod" given (ending in "/").
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& programFolder, const ChartWriter& chartWriter = {});

// The text of --help.
std::string CliUsage();

}  // namespace tarnex
