#include "cli/HistoryCli.h"

#include <memory>
#include <optional>
#include <ostream>

#include "cli/CliInput.h"
#include "history/CallHistory.h"
#include "history/HistoryFile.h"
#include "history/HistoryUpdate.h"
#include "history/MasterCallList.h"
#include "history/PartialCallLookup.h"
#include "log/BandMode.h"
#include "log/ContestLog.h"
#include "sections/SectionTable.h"
#include "util/FileIo.h"

namespace tarnex {

namespace {

bool TakesValue(const std::string& arg) {
    return arg == "-o" || arg == "--output" || arg == "--sections" || arg == "--log" || arg == "--history" ||
           arg == "--master" || arg == "--band" || arg == "--mode";
}

struct HistoryOptions {
    std::vector<std::string> positional;
    std::optional<std::string> output, log, history, master, band, mode;
};

HistoryOptions Parse(const std::vector<std::string>& args) {
    HistoryOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::optional<std::string>* target = nullptr;
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (size_t equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        if (name == "-o" || name == "--output") {
            target = &options.output;
        } else if (name == "--log") {
            target = &options.log;
        } else if (name == "--history") {
            target = &options.history;
        } else if (name == "--master") {
            target = &options.master;
        } else if (name == "--band") {
            target = &options.band;
        } else if (name == "--mode") {
            target = &options.mode;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw CliError("unknown option " + arg);
        } else {
            options.positional.push_back(arg);
            continue;
        }
        if (*target) {
            throw CliError(name + " given twice");
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                throw CliError(name + " needs a value");
            }
            inlineValue = args[++i];
        }
        if (inlineValue->empty()) {
            throw CliError(name + " needs a value");
        }
        *target = std::move(*inlineValue);
    }
    return options;
}

void Refuse(bool given, const std::string& option, const std::string& command) {
    if (given) {
        throw CliError(command + " takes no " + option);
    }
}

int HistoryAdd(const HistoryOptions& options, std::ostream& out, std::ostream& err) {
    if (options.positional.size() < 2 || options.positional[1] != "add") {
        throw CliError("history needs a subcommand: history add FILE... -o HISTORY");
    }
    if (options.positional.size() < 3) {
        throw CliError("history add needs at least one file to read");
    }
    if (!options.output) {
        throw CliError("history add needs -o HISTORY");
    }
    Refuse(options.log.has_value(), "--log", "history add");
    Refuse(options.history.has_value(), "--history (the history is -o)", "history add");
    Refuse(options.master.has_value(), "--master", "history add");
    Refuse(options.band || options.mode, "--band or --mode", "history add");

    const std::string& target = *options.output;
    CallHistory history;
    HistoryLoadResult loaded = LoadHistoryFile(target, history);
    if (!loaded.ok) {
        throw CliError("cannot read history " + target + (loaded.error.empty() ? "" : ": " + loaded.error));
    }
    if (!loaded.safeToRewrite) {
        std::string why = "it is not a call history";
        if (!loaded.otherColumns.empty()) {
            why = "it has columns this program does not keep (";
            for (size_t i = 0; i < loaded.otherColumns.size(); ++i) {
                why += (i ? ", " : "") + loaded.otherColumns[i];
            }
            why += "); add it to a new history instead";
        }
        throw CliError("will not write over " + target + ": " + why);
    }
    const size_t before = history.Size();
    std::vector<std::string> files(options.positional.begin() + 2, options.positional.end());
    HistoryUpdateResult result = UpdateHistory(history, files);
    if (!result.unread.empty()) {
        const HistoryUpdateResult::UnreadFile& file = result.unread.front();
        switch (file.failure) {
            case HistoryUpdateResult::Failure::CannotRead:
                throw CliError("cannot read " + file.path + (file.error.empty() ? "" : ": " + file.error));
            case HistoryUpdateResult::Failure::NotRecognised:
                throw CliError(file.path + " is not a log, ADIF, Cabrillo or call history file");
            case HistoryUpdateResult::Failure::NoCallAndSect:
                throw CliError(file.path + " is a call history without the columns Call and Sect");
        }
    }
    FileResult written = SaveHistoryFile(target, history);
    if (!written) {
        throw CliError("cannot write " + target + (written.error.empty() ? "" : ": " + written.error));
    }
    if (loaded.damagedLines > 0) {
        err << "tarnex-cli: " << loaded.damagedLines << " damaged lines of " << target << " left out\n";
    }
    out << result.added << " stations added, " << result.updated << " updated, " << result.skippedLines
        << " damaged lines skipped; " << target << " holds " << history.Size() << " stations (" << before
        << " before)\n";
    return 0;
}

const char* SourceName(KnownCallSource source) {
    switch (source) {
        case KnownCallSource::Log:
            return "log";
        case KnownCallSource::History:
            return "history";
        case KnownCallSource::Master:
            return "master";
    }
    return "";
}

int Scp(const HistoryOptions& options, std::ostream& out, const std::string& programFolder) {
    if (options.positional.size() < 2) {
        throw CliError("scp needs the partial callsign");
    }
    if (options.positional.size() > 2) {
        throw CliError("unexpected argument " + options.positional[2]);
    }
    Refuse(options.output.has_value(), "-o", "scp");
    if (options.band.has_value() != options.mode.has_value()) {
        throw CliError("--band and --mode go together");
    }
    std::optional<BandAndMode> workedOn;
    if (options.band) {
        BandAndMode on{BandListIndex(*options.band), ModeListIndex(*options.mode)};
        if (on.band < 0) {
            throw CliError("unknown band " + *options.band + " (1,8 3,5 7 14 21 28)");
        }
        if (on.mode < 0) {
            throw CliError("unknown mode " + *options.mode + " (SSB CW RTTY)");
        }
        workedOn = on;
    }

    ContestLog log;  // before the lookup, which stops following it when it ends
    PartialCallLookup lookup;
    if (options.log) {
        auto sections = std::make_unique<SectionTable>();
        ReadLogForCli(*options.log, *sections, log);
        lookup.AttachLog(log);
    }
    std::string historyPath =
        options.history.value_or(programFolder.empty() ? "" : programFolder + kHistoryFileName);
    if (options.history || (!historyPath.empty() && FileExists(historyPath))) {
        if (!FileExists(historyPath)) {
            throw CliError("no history " + historyPath);
        }
        CallHistory history;
        HistoryLoadResult loaded = LoadHistoryFile(historyPath, history);
        if (!loaded.ok) {
            throw CliError("cannot read history " + historyPath +
                           (loaded.error.empty() ? "" : ": " + loaded.error));
        }
        lookup.SetHistory(history);
    }
    const std::string masterPath = options.master.value_or(kMasterCallsPath);
    if (options.master || FileExists(masterPath)) {
        std::optional<std::vector<std::string>> master = LoadMasterCalls(masterPath);
        if (!master) {
            throw CliError("cannot read master list " + masterPath);
        }
        lookup.SetMasterCalls(*master);
    }

    const std::string typed = NormalizedTyped(options.positional[1]);
    for (const KnownCall& row : lookup.Find(typed, workedOn)) {
        const char mark = row.oneOff ? '~' : row.call == typed ? '=' : '+';
        out << mark << ' ' << row.call << ' ' << SourceName(row.source) << ' '
            << (row.section.empty() ? std::string("-") : row.section) << (row.worked ? " worked" : "")
            << '\n';
    }
    return 0;
}

}  // namespace

bool IsHistoryCommand(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (TakesValue(args[i])) {
            ++i;
        } else if (args[i].empty() || args[i][0] != '-') {
            return args[i] == "history" || args[i] == "scp";
        }
    }
    return false;
}

int RunHistoryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const std::string& programFolder) {
    try {
        for (const std::string& arg : args) {
            if (arg == "--help" || arg == "-h") {
                out << HistoryCliUsage();
                return 0;
            }
        }
        HistoryOptions options = Parse(args);
        if (options.positional.front() == "history") {
            return HistoryAdd(options, out, err);
        }
        return Scp(options, out, programFolder);
    } catch (const std::exception& error) {
        err << "tarnex-cli: " << error.what() << '\n';
        return 2;
    }
}

std::string HistoryCliUsage() {
    return "  tarnex-cli history add FILE... -o HISTORY\n"
           "      merges the stations of logs (.trnx), ADIF, Cabrillo and call history files into\n"
           "      the call history HISTORY (read first when it exists); the newest contact per\n"
           "      callsign wins; prints the stations added and updated\n"
           "  tarnex-cli scp PARTIAL [--log LOG] [--history FILE] [--master FILE]\n"
           "                [--band BAND --mode MODE]\n"
           "      lists the known callsigns that hold PARTIAL: \"=\" the callsign itself, \"+\" those\n"
           "      holding it (log, then history, then master list), \"~\" those of the log and the\n"
           "      history one character away; each with its source and section, and \"worked\"\n"
           "      for a log callsign already worked on BAND and MODE. --history defaults to\n"
           "      _storico.csv in the folder of this program, --master to\n"
           "      " +
           std::string(kMasterCallsPath) + " (each when it is there)\n";
}

}  // namespace tarnex
