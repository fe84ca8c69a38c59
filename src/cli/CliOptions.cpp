#include "cli/CliOptions.h"

#include "cli/CliExportFormats.h"
#include "cli/CliInput.h"
#include "export/Cabrillo3Export.h"
#include "log/StationCategory.h"

namespace tarnex {

namespace {

bool IsExportFormat(const std::string& text) {
    return FindCliExportFormat(text) != nullptr;
}

// An option that takes a value, given once.
void TakeOnce(std::optional<std::string>& slot, const char* name, std::string value) {
    if (slot) {
        throw CliError(std::string(name) + " given twice");
    }
    slot = std::move(value);
}

// The values the Cabrillo 3.0 options take.
void CheckValues(const CliOptions& options) {
    if (options.power && *options.power != "HIGH" && *options.power != "LOW") {
        throw CliError("--power takes HIGH or LOW, not \"" + *options.power + "\"");
    }
    if (options.overlay && *options.overlay != "ROOKIE" && *options.overlay != "YOUTH") {
        throw CliError("--overlay takes ROOKIE or YOUTH, not \"" + *options.overlay + "\"");
    }
    if (options.contest && !IsCabrilloContestName(*options.contest)) {
        throw CliError("--contest takes 1 to 32 characters A-Z, 0-9 and -, not \"" + *options.contest + "\"");
    }
    if (options.email && HoldsControlCharacter(*options.email)) {
        throw CliError("--email holds a line break or another control character");
    }
}

// The "net" commands: no LOG argument, the server and the log's name instead.
void CheckNetOptions(CliOptions& options, const std::vector<std::string>& positional) {
    if (positional.size() < 2 || (positional[1] != "create" && positional[1] != "export")) {
        throw CliError("net needs create or export");
    }
    options.netCommand = positional[1];
    size_t expected = 2;
    if (options.netCommand == "export") {
        if (positional.size() < 3 || !IsExportFormat(positional[2])) {
            throw CliError("net export needs a format: " + CliExportFormatNames());
        }
        options.format = positional[2];
        expected = 3;
        if (!options.output || options.output->empty()) {
            throw CliError("net export needs -o OUT");
        }
        if (options.replicas) {
            throw CliError("--replicas applies to net create only");
        }
    } else if (options.output || options.sections || options.listeningByBand) {
        throw CliError("net create writes no file: -o, --sections and --swl-by-band not taken");
    }
    if (positional.size() > expected) {
        throw CliError("unexpected argument " + positional[expected]);
    }
    if (!options.server || options.server->empty()) {
        throw CliError("net " + options.netCommand + " needs --server URL");
    }
    if (!options.log || options.log->empty()) {
        throw CliError("net " + options.netCommand + " needs --log NAME");
    }
    if (options.listeningByBand && options.format != "cabrillo") {
        throw CliError("--swl-by-band applies to cabrillo only");
    }
}

// The Cabrillo 3.0 options go with (net) export cabrillo3 only, --power also with
// check --for cabrillo3, and each takes only its own values.
void CheckCabrillo3Options(const CliOptions& options, bool forGiven) {
    const bool cabrillo3 = options.format == "cabrillo3";
    if ((options.overlay || options.email || options.contest) && !cabrillo3) {
        throw CliError("--overlay, --email and --contest apply to export cabrillo3 only");
    }
    if (forGiven && options.command != "check") {
        throw CliError("--for applies to check only");
    }
    if (options.power && !cabrillo3 && !(options.command == "check" && options.checkFor == "cabrillo3")) {
        throw CliError("--power applies to export cabrillo3 and check --for cabrillo3 only");
    }
    CheckValues(options);
}

// A name ending in ".png" or ".svg", in any case.
bool IsChartPicture(const std::string& path) {
    if (path.size() < 5 || path[path.size() - 5] == '/') {
        return false;
    }
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension == ".png" || extension == ".svg";
}

}  // namespace

CliOptions ParseCliOptions(const std::vector<std::string>& args) {
    CliOptions options;
    std::vector<std::string> positional;
    bool forGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* name, const char* what = "a file name") {
            if (i + 1 >= args.size()) {
                throw CliError(std::string(name) + " needs " + what);
            }
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.command = "help";
            return options;
        }
        if (arg == "-o" || arg == "--output") {
            if (options.output) {
                throw CliError("-o given twice");
            }
            options.output = value("-o");
        } else if (arg.rfind("--output=", 0) == 0) {
            options.output = arg.substr(9);
        } else if (arg == "--sections") {
            if (options.sections) {
                throw CliError("--sections given twice");
            }
            options.sections = value("--sections");
        } else if (arg.rfind("--sections=", 0) == 0) {
            options.sections = arg.substr(11);
        } else if (arg == "--swl-by-band") {
            options.listeningByBand = true;
        } else if (arg == "--power") {
            TakeOnce(options.power, "--power", value("--power", "HIGH or LOW"));
        } else if (arg == "--overlay") {
            TakeOnce(options.overlay, "--overlay", value("--overlay", "ROOKIE or YOUTH"));
        } else if (arg == "--email") {
            TakeOnce(options.email, "--email", value("--email", "an address"));
        } else if (arg == "--contest") {
            TakeOnce(options.contest, "--contest", value("--contest", "a name"));
        } else if (arg == "--for") {
            if (forGiven) {
                throw CliError("--for given twice");
            }
            forGiven = true;
            options.checkFor = value("--for", "cabrillo, cabrillo3 or adif");
            if (options.checkFor != "cabrillo" && options.checkFor != "cabrillo3" &&
                options.checkFor != "adif") {
                throw CliError("--for takes cabrillo, cabrillo3 or adif, not \"" + options.checkFor + "\"");
            }
        } else if (arg == "--server") {
            options.server = value("--server");
        } else if (arg == "--log") {
            options.log = value("--log");
        } else if (arg == "--replicas") {
            const std::string count = value("--replicas");
            if (count != "1" && count != "3" && count != "5") {
                throw CliError("--replicas takes 1, 3 or 5");
            }
            options.replicas = std::stoi(count);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw CliError("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty()) {
        throw CliError("no command given (try --help)");
    }
    options.command = positional[0];
    if (options.command == "net") {
        CheckNetOptions(options, positional);
        CheckCabrillo3Options(options, forGiven);
        return options;
    }
    if (options.server || options.log || options.replicas) {
        throw CliError("--server, --log and --replicas belong to the net commands");
    }
    size_t expected = 2;
    if (options.command == "export") {
        if (positional.size() < 2 || !IsExportFormat(positional[1])) {
            throw CliError("export needs a format: " + CliExportFormatNames());
        }
        options.format = positional[1];
        expected = 3;
    } else if (options.command != "score" && options.command != "check" && options.command != "chart" &&
               options.command != "import-sections") {
        throw CliError("unknown command " + options.command + " (try --help)");
    }
    if (positional.size() < expected) {
        throw CliError(options.command + " needs " +
                       (options.command == "import-sections" ? "a text file" : "a log file"));
    }
    if (positional.size() > expected) {
        throw CliError("unexpected argument " + positional[expected]);
    }
    options.input = positional[expected - 1];
    const bool writes =
        options.command == "export" || options.command == "import-sections" || options.command == "chart";
    if (writes && (!options.output || options.output->empty())) {
        throw CliError(options.command + " needs -o OUT");
    }
    if (!writes && options.output) {
        throw CliError(options.command + " writes no file: -o not taken");
    }
    if (options.command == "chart" && !IsChartPicture(*options.output)) {
        throw CliError("chart writes a .png or .svg file, not " + *options.output);
    }
    if (options.command == "import-sections" && options.sections) {
        throw CliError("import-sections takes no --sections (the file to merge into is -o)");
    }
    if (options.listeningByBand && options.format != "cabrillo") {
        throw CliError("--swl-by-band applies to export cabrillo only");
    }
    if (options.sections && options.sections->empty()) {
        throw CliError("--sections needs a file name");
    }
    CheckCabrillo3Options(options, forGiven);
    return options;
}

}  // namespace tarnex
