#include "log/Journal.h"

#include <optional>

#include "log/LogFile.h"

namespace tarnex {

JournalLoad Journal::Load(ContestLog& log, StationSummary& station, const SectionTable& sections,
                          std::string* error) {
    if (!FileExists(path_)) {
        FileResult created = WriteHeaderOnly(log.Mode(), station);
        if (!created) {
            if (error != nullptr) {
                *error = created.error;
            }
            return JournalLoad::CreateFailed;
        }
        log.Clear();
        return JournalLoad::Created;
    }
    std::optional<std::string> bytes = ReadFileBytes(path_, error);
    if (!bytes) {
        return JournalLoad::ReadFailed;
    }
    ReadLogBytes(*bytes, sections, log, station);
    return JournalLoad::Loaded;
}

FileResult Journal::Append(const std::string& line) {
    return AppendToFile(path_, line);
}

FileResult Journal::Rewrite(const ContestLog& log, const StationSummary& station) {
    return WriteFileAtomically(path_, LogFileBytes(log, station));
}

FileResult Journal::WriteHeaderOnly(LogMode mode, const StationSummary& station) {
    return WriteFileAtomically(path_, LogHeaderBytes(mode, station));
}

}  // namespace tarnex
