#include "cli/CliMain.h"

#include <memory>
#include <ostream>

#include "app/AppTexts.h"
#include "check/LogCheck.h"
#include "cli/CliExportFormats.h"
#include "cli/CliInput.h"
#include "cli/CliNet.h"
#include "cli/CliOptions.h"
#include "cli/HistoryCli.h"
#include "score/HourlyActivity.h"
#include "score/ScoreComputation.h"
#include "score/ScoreReport.h"
#include "sections/SectionsFile.h"
#include "sections/SectionsImport.h"
#include "util/FileIo.h"

namespace tarnex {

namespace {

// The report's CR LF line ends become LF on a terminal or in a pipe.
std::string WithLineFeeds(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '\r') {
            result += c;
        }
    }
    return result;
}

// "row 12: text" ("header: text" for the station data).
std::string FormatFinding(const LogFinding& finding) {
    return (finding.row ? "row " + std::to_string(*finding.row + 1) : std::string("header")) + ": " +
           finding.english;
}

void WriteOutput(const std::string& path, const std::string& bytes) {
    FileResult written = WriteFileAtomically(path, bytes);
    if (!written) {
        throw CliError("cannot write " + path + (written.error.empty() ? "" : ": " + written.error));
    }
}

class Runner {
  public:
    Runner(const CliOptions& options, std::ostream& out, std::ostream& err, const std::string& programFolder,
           const ChartWriter& chartWriter)
        : options_(options), out_(out), err_(err), programFolder_(programFolder), chartWriter_(chartWriter) {}

    int Run() {
        if (options_.command == "import-sections") {
            return ImportSections();
        }
        if (options_.command == "chart" && !chartWriter_) {
            throw CliError("this tarnex-cli was built without charts");
        }
        const CliExportFormat* format = FindCliExportFormat(options_.format);
        if (options_.command == "net") {
            if (options_.netCommand == "create") {
                return RunNetCreate(options_, out_);
            }
            LoadSections(format->needsSections);
            LoadedLog loaded;
            ReadNetLog(options_, sections_, log_, loaded.station, err_);
            loaded.hasHeader = true;
            return Export(loaded);
        }
        const bool needsSections =
            options_.command == "check" || (options_.command == "export" && format->needsSections);
        LoadSections(needsSections);
        LoadedLog loaded = ReadLogForCli(options_.input, sections_, log_);
        if (options_.command == "score") {
            return Score();
        }
        if (options_.command == "check") {
            return Check(loaded);
        }
        if (options_.command == "chart") {
            return Chart();
        }
        return Export(loaded);
    }

  private:
    // An explicit --sections is always read; the default one only when the command
    // needs section names.
    void LoadSections(bool needed) {
        if (options_.sections) {
            ReadSectionsForCli(*options_.sections, sections_);
        } else if (needed) {
            if (programFolder_.empty()) {
                throw CliError(
                    "cannot find the program's folder for the default sections file; use --sections");
            }
            std::string path = programFolder_ + kSectionsFileName;
            if (!FileExists(path)) {
                throw CliError("no sections file " + path + "; use --sections FILE");
            }
            ReadSectionsForCli(path, sections_);
        }
    }

    ScoreResult ScoreWithMessages() {
        ScoreResult result = ComputeScore(log_);
        for (const std::string& message : result.skipMessages) {
            err_ << message << '\n';
        }
        return result;
    }

    int Score() {
        ScoreResult result = ScoreWithMessages();
        out_ << WithLineFeeds(BuildScoreReport(result.table, log_.Mode()));
        return 0;
    }

    // Entries the score leaves out are named as by "score", and those on no hour
    // are counted (the chart's title names them too), once the file is written: a
    // failure is one line alone.
    int Chart() {
        const ScoreResult score = ComputeScore(log_);
        const HourlyActivity activity = BuildHourlyActivity(log_);
        const std::string failed = chartWriter_(activity, *options_.output);
        if (!failed.empty()) {
            throw CliError(failed);
        }
        for (const std::string& message : score.skipMessages) {
            err_ << message << '\n';
        }
        if (!activity.period) {
            err_ << "no entry has a real date: the chart is empty\n";
        } else if (activity.outsidePeriod + activity.untimed > 0) {
            err_ << "not on the chart: " << activity.outsidePeriod << " outside the contest period, "
                 << activity.untimed << " without a real date or time\n";
        }
        return 0;
    }

    int Check(const LoadedLog& loaded) {
        CheckRequest request;
        request.station = loaded.hasHeader ? &loaded.station : nullptr;
        request.extras.power = options_.power.value_or("");
        request.target = options_.checkFor == "cabrillo3" ? CheckedExport::Cabrillo3
                         : options_.checkFor == "adif"    ? CheckedExport::Adif
                                                          : CheckedExport::Cabrillo;
        std::vector<LogFinding> findings = CheckLog(log_, sections_, request);
        for (const LogFinding& finding : findings) {
            out_ << FormatFinding(finding) << '\n';
        }
        return findings.empty() ? 0 : 1;
    }

    int Export(const LoadedLog& loaded) {
        const CliExportFormat* format = FindCliExportFormat(options_.format);
        const std::string bytes =
            format->write(CliExportInput{log_, loaded.station, sections_, options_, err_});
        WriteOutput(*options_.output, bytes);
        return 0;
    }

    int ImportSections() {
        auto holder = std::make_unique<SectionTable>();
        SectionTable& table = *holder;
        const std::string& target = *options_.output;
        if (FileExists(target)) {
            ReadSectionsForCli(target, table);
        }
        std::optional<size_t> accepted = ImportSectionsFile(options_.input, table);
        if (!accepted) {
            throw CliError("cannot read " + options_.input);
        }
        if (*accepted == 0) {
            throw CliError("no section lines in " + options_.input + "; " + target + " not written");
        }
        WriteOutput(target, SectionsFileBytes(table));
        out_ << *accepted << " section lines imported; " << target << " holds " << table.KnownCount()
             << " sections\n";
        return 0;
    }

    const CliOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    std::string programFolder_;
    const ChartWriter& chartWriter_;
    // Heap-held: the table is 10000 names.
    std::unique_ptr<SectionTable> sectionsHolder_ = std::make_unique<SectionTable>();
    SectionTable& sections_ = *sectionsHolder_;
    ContestLog log_;
};

}  // namespace

std::string CliUsage() {
    return "usage:\n"
           "  tarnex-cli score LOG [--sections FILE]\n"
           "      prints the score report; entries left out are named on the error stream\n"
           "  tarnex-cli export " +
           CliExportFormatNames("|", "|") +
           " LOG -o OUT [--sections FILE] [--swl-by-band]\n"
           "      writes the export file; the station data come from the log's header\n"
           "  tarnex-cli export cabrillo3 LOG -o OUT [--sections FILE] [--power HIGH|LOW]\n"
           "                   [--overlay ROOKIE|YOUTH] [--email TEXT] [--contest NAME]\n"
           "      writes the Cabrillo 3.0 file; the contest name defaults to SEZIONI\n"
           "  tarnex-cli check LOG [--sections FILE] [--for cabrillo|cabrillo3|adif] [--power HIGH|LOW]\n"
           "      lists, by row, entries the score leaves out, duplicates, unknown section codes,\n"
           "      fields the entry form would refuse, entries outside the contest weekend, a\n"
           "      category that does not fit the log and missing station data (and, for\n"
           "      cabrillo3, a missing power); exit status 1 when it lists any\n"
           "  tarnex-cli chart LOG -o FILE.png|FILE.svg [--sections FILE]\n"
           "      draws the entries of each hour of the contest by band and the multipliers\n"
           "      as they grew, as a PNG picture or an SVG vector file\n"
           "  tarnex-cli import-sections TEXT -o SEZCOD\n"
           "      merges the section lines of a text list into a sections file\n"
           "  tarnex-cli net create --server URL[,URL...] --log NAME [--replicas 1|3|5]\n"
           "      makes a log shared by several positions on a NATS server (JetStream)\n"
           "  tarnex-cli net export FORMAT --server URL[,URL...] --log NAME -o OUT [--sections FILE]\n"
           "      writes the export file of the shared log as the server holds it\n" +
           HistoryCliUsage() +
           "\n"
           "LOG is a log file (.trnx) or the journal _ult.trnx. --sections defaults to the\n"
           "window program's _sez.cod: in ~/.local/share/KORVAL/Tarnex/ for an installed tool,\n"
           "beside this program in its build folder. Exit status 2: bad arguments or unusable\n"
           "input.\n";
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& programFolder, const ChartWriter& chartWriter) {
    if (IsHistoryCommand(args)) {
        return RunHistoryCommand(args, out, err, programFolder);
    }
    try {
        CliOptions options = ParseCliOptions(args);
        if (options.command == "help") {
            out << CliUsage();
            return 0;
        }
        return Runner(options, out, err, programFolder, chartWriter).Run();
    } catch (const CliError& error) {
        err << "tarnex-cli: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        err << "tarnex-cli: " << error.what() << '\n';
        return 2;
    }
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const ChartWriter& chartWriter) {
    return RunCli(args, out, err, CliProgramFolder(), chartWriter);
}

}  // namespace tarnex
