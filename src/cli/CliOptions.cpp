#include "cli/CliOptions.h"

#include "cli/CliInput.h"

namespace tarnex {

namespace {

bool IsExportFormat(const std::string& text) {
    return text == "cabrillo" || text == "adif" || text == "fastlog";
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
    size_t expected = 2;
    if (options.command == "export") {
        if (positional.size() < 2 || !IsExportFormat(positional[1])) {
            throw CliError("export needs a format: cabrillo, adif or fastlog");
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
