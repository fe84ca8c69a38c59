#include "cli/CliMain.h"

#include <ostream>

namespace tarnex {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    err << "tarnex-cli: no command given\n";
    return 2;
}

}  // namespace tarnex
