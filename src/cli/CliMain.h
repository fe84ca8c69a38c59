#pragma once
// The command-line companion's entry, callable from tests.
//
//   tarnex-cli score LOG [--sections FILE]
//   tarnex-cli export cabrillo|adif|fastlog LOG -o OUT [--sections FILE] [--swl-by-band]
//   tarnex-cli check LOG [--sections FILE]
//   tarnex-cli import-sections TEXT -o SEZCOD
//   tarnex-cli net create --server URL[,URL...] --log NAME [--replicas 1|3|5]
//   tarnex-cli net export cabrillo|adif|fastlog --server URL[,URL...] --log NAME -o OUT [--sections FILE]
//   tarnex-cli --help
//
// Exit status: 0 done; 1 "check" found something; 2 bad arguments or input that
// cannot be read or is not what it should be (one line on the error stream, no
// output file touched).

#include <iosfwd>
#include <string>
#include <vector>

namespace tarnex {

// Runs the tool with the arguments that follow the program name. Returns the exit
// status. The default sections file is "_sez.cod" in the program file's folder.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same with the folder that holds the default "_sez.cod" given (ending in "/").
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& programFolder);

// The text of --help.
std::string CliUsage();

}  // namespace tarnex
