#pragma once
// The command line of the companion tool, taken apart.

#include <optional>
#include <string>
#include <vector>

namespace tarnex {

struct CliOptions {
    std::string command;     // "score", "export", "check", "chart", "import-sections", "net", "help"
    std::string netCommand;  // net: "create" or "export"
    std::string format;      // export, net export: a name of the export formats' table
    std::string input;       // LOG or TEXT
    std::optional<std::string> output;    // -o
    std::optional<std::string> sections;  // --sections
    bool listeningByBand = false;         // --swl-by-band
    // export cabrillo3: the values the window keeps in its settings.
    std::optional<std::string> power;    // --power HIGH|LOW (also check --for cabrillo3)
    std::optional<std::string> overlay;  // --overlay ROOKIE|YOUTH
    std::optional<std::string> email;    // --email TEXT
    std::optional<std::string> contest;  // --contest NAME
    std::string checkFor = "cabrillo";   // check --for cabrillo|cabrillo3|adif
    std::optional<std::string> server;   // net: --server, comma-separated addresses
    std::optional<std::string> log;      // net: --log
    std::optional<int> replicas;         // net create: --replicas
};

// Throws CliError for anything it cannot take: an unknown command or option, a
// missing or extra argument, an option that the command does not have, a value an
// option does not take (a power other than HIGH or LOW, an overlay other than ROOKIE
// or YOUTH, a contest name the CONTEST: tag cannot hold, an e-mail address with a
// line break or another control character).
CliOptions ParseCliOptions(const std::vector<std::string>& args);

}  // namespace tarnex
