#include "cli/CliOptions.h"

#include "cli/CliExportFormats.h"
#include "cli/CliInput.h"

namespace tarnex {

namespace {

bool IsExportFormat(const std::string& text) { return FindCliExportFormat(text) != nullptr; }

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
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* name) {
            if (i + 1 >= args.size()) {
                throw CliError(std::string(name) + " needs a file name");
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
    return options;
}

}  // namespace tarnex
