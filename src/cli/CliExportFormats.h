#pragma once
// The export formats of the command line, in one table that "export" and "net export"
// both read: a new format is one row.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "log/ContestLog.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"

namespace tarnex {

struct CliOptions;

struct CliExportInput {
    const ContestLog& log;
    const StationSummary& station;
    const SectionTable& sections;
    const CliOptions& options;  // --swl-by-band and the Cabrillo 3.0 values
    std::ostream& err;          // entries the score leaves out are named here
};

struct CliExportFormat {
    const char* name;
    bool needsSections;  // the section names go into the file
    // The file's bytes; throws CliError when the log cannot be written in this format.
    std::function<std::string(const CliExportInput&)> write;
};

const std::vector<CliExportFormat>& CliExportFormats();
// nullptr for a name that is not in the table.
const CliExportFormat* FindCliExportFormat(const std::string& name);
// "cabrillo, cabrillo3, adif or fastlog", for messages.
std::string CliExportFormatNames(const char* separator = ", ", const char* last = " or ");

}  // namespace tarnex
