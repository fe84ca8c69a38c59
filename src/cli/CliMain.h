#pragma once
// The command-line companion's entry, callable from tests.

#include <iosfwd>
#include <string>
#include <vector>

namespace tarnex {

// Runs the tool with the arguments that follow the program name. Returns the exit
// status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tarnex
