#include "cli/CliExportFormats.h"

#include <ostream>

#include "cli/CliInput.h"
#include "export/AdifExport.h"
#include "export/CabrilloExport.h"
#include "export/FastlogExport.h"
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

}  // namespace

const std::vector<CliExportFormat>& CliExportFormats() {
    static const std::vector<CliExportFormat> formats = {
        {"cabrillo", true,
         [](const CliExportInput& in) {
             CabrilloOptions options;
             options.listeningByBand = in.listeningByBand;
             return ExportCabrillo(in.log, in.station, in.sections, ClaimedScore(in), options);
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
