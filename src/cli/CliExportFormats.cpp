#include "cli/CliExportFormats.h"

#include <ostream>

#include "cli/CliInput.h"
#include "cli/CliOptions.h"
#include "export/AdifExport.h"
#include "export/Cabrillo3Export.h"
#include "export/CabrilloExport.h"
#include "export/FastlogExport.h"
#include "log/StationCategory.h"
#include "score/ScoreComputation.h"

namespace tarnex {

namespace {

int64_t ClaimedScore(const CliExportInput& in) {
    ScoreResult result = ComputeScore(in.log);
    for (const std::string& message : result.skipMessages) {
        in.err << message << '\n';
    }
    return result.claimedScore;
}

// The station of the log's header as the Cabrillo 3.0 file needs it, with the values
// the options give: a category of the list, a power and an overlay it takes, no
// control character in any value.
void CheckCabrillo3Station(const StationSummary& station, const StationExtras& extras) {
    const CategoryTraits* traits = TraitsOfCategory(station.category);
    if (traits == nullptr) {
        throw CliError("the log's category \"" + station.category +
                       "\" is not one of the contest's categories; the Cabrillo 3.0 file needs one");
    }
    switch (CheckEntryValues(*traits, extras.power, extras.overlay)) {
        case EntryValuesProblem::MultiOperatorNotHigh:
            throw CliError("the log's category " + station.category + " is always HIGH power: --power " +
                           extras.power + " not taken");
        case EntryValuesProblem::OverlayNotSingleOperator:
            throw CliError("--overlay applies to the SINGLE-OP categories only, not to the log's " +
                           station.category);
        case EntryValuesProblem::UnknownPower:
        case EntryValuesProblem::UnknownOverlay:
        case EntryValuesProblem::None:
            break;
    }
    const std::pair<const char*, const std::string*> values[] = {
        {"callsign", &station.callsign},   {"own section", &station.ownSection},
        {"operators", &station.operators}, {"name", &station.name},
        {"address", &station.address1},    {"address", &station.address2},
        {"address", &station.address3},    {"comment", &station.comment1},
        {"comment", &station.comment2},    {"comment", &station.comment3},
    };
    for (const auto& [what, value] : values) {
        if (HoldsControlCharacter(*value)) {
            throw CliError(std::string("the log's ") + what + " holds a control character");
        }
    }
}

}  // namespace

const std::vector<CliExportFormat>& CliExportFormats() {
    static const std::vector<CliExportFormat> formats = {
        {"cabrillo", true,
         [](const CliExportInput& in) {
             CabrilloOptions options;
             options.listeningByBand = in.options.listeningByBand;
             return ExportCabrillo(in.log, in.station, in.sections, ClaimedScore(in), options);
         }},
        {"cabrillo3", true,
         [](const CliExportInput& in) {
             Cabrillo3Options options;
             options.extras = {in.options.power.value_or(""), in.options.overlay.value_or(""),
                               in.options.email.value_or("")};
             options.contest = in.options.contest.value_or(kDefaultContestName);
             CheckCabrillo3Station(in.station, options.extras);
             return ExportCabrillo3(in.log, in.station, in.sections, ClaimedScore(in), options);
         }},
        {"adif", false, [](const CliExportInput& in) { return ExportAdif(in.log, in.station); }},
        {"fastlog", false,
         [](const CliExportInput& in) {
             std::optional<std::string> bytes = ExportFastlog(in.log);
             if (!bytes) {
                 throw CliError("Fastlog cannot take a listening (SWL) log");
             }
             return std::move(*bytes);
         }},
    };
    return formats;
}

const CliExportFormat* FindCliExportFormat(const std::string& name) {
    for (const CliExportFormat& format : CliExportFormats()) {
        if (name == format.name) {
            return &format;
        }
    }
    return nullptr;
}

std::string CliExportFormatNames(const char* separator, const char* last) {
    const std::vector<CliExportFormat>& formats = CliExportFormats();
    std::string names;
    for (size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) {
            names += i + 1 == formats.size() ? last : separator;
        }
        names += formats[i].name;
    }
    return names;
}

}  // namespace tarnex
