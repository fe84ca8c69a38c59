#pragma once
// The fixed-column text file of a QSO log for the Fastlog logging program.

#include <optional>
#include <string>

#include "log/ContestLog.h"

namespace tarnex {

// The whole file, one CR LF line per contact, no header or trailer; empty for an empty
// log. nullopt for a listening log, which Fastlog cannot take (the window shows
// kFastlogListeningText instead of a file dialog).
std::optional<std::string> ExportFastlog(const ContestLog& log);

// The line of one QSO row (CR LF included), as ExportFastlog writes it.
std::string FastlogLine(const ContestLog& log, size_t row);

}  // namespace tarnex
