#include "cli/CliNet.h"

#include <ostream>

#include "cli/CliInput.h"
#include "net/NetConfig.h"
#include "net/SharedLogAdmin.h"
#include "sections/SectionTable.h"

namespace tarnex {

int RunNetCreate(const CliOptions& options, std::ostream& out) {
    const std::vector<std::string> servers = NetConfig::SplitServers(*options.server);
    SharedLogAnswer made = CreateSharedLog(servers, *options.log, options.replicas.value_or(1));
    if (!made.ok) {
        throw CliError(made.error);
    }
    out << "log " << *options.log << " ready on " << *options.server << " (" << options.replicas.value_or(1)
        << (options.replicas.value_or(1) == 1 ? " copy" : " copies") << ")\n";
    return 0;
}

void ReadNetLog(const CliOptions& options, const SectionTable& sections, ContestLog& log,
                StationSummary& station, std::ostream& err) {
    const std::vector<std::string> servers = NetConfig::SplitServers(*options.server);
    SharedLogContents contents = ReadSharedLog(servers, *options.log);
    if (!contents.answer.ok) {
        throw CliError(contents.answer.error);
    }
    if (contents.badEvents > 0) {
        err << contents.badEvents << " events of the log do not parse and were left out\n";
    }
    const SharedLogView view = contents.core.View();
    log.SetMode(view.mode.value_or(LogMode::Qso));
    if (view.summary) {
        station = *view.summary;
    } else {
        err << "the log has no station summary yet: the header values are empty\n";
    }
    log.Reserve(view.rows.size());
    for (const SharedRow& row : view.rows) {
        std::array<std::string_view, 9> columns;
        for (size_t i = 0; i < 8; ++i) {
            columns[i] = row.fields[i];
        }
        std::string name;
        if (log.Mode() == LogMode::Qso) {
            name = sections.NameOfText(row.fields[7]);
            columns[8] = name;
        }
        log.AppendFields(
            std::span<const std::string_view>(columns.data(), log.Mode() == LogMode::Qso ? 9 : 8),
            row.identity);
    }
}

}  // namespace tarnex
