#pragma once
// The band order of a listening log's Cabrillo file.
//
// The window's export runs, in this order: ApplyListeningBandOrder when UsesListeningBandOrder
// (before the file dialog, so a cancelled dialog leaves the log in band order), then
// ExportCabrillo, then - only after the file was written - ContestLog::SortByDateTime,
// which puts the log back in date and time order and renumbers it.

#include <cstddef>
#include <string>
#include <vector>

#include "export/CabrilloExport.h"
#include "log/ContestLog.h"

namespace tarnex {

// True when the export orders the log by band: listening mode, the option on and
// more than one entry.
bool UsesListeningBandOrder(const ContestLog& log, const CabrilloOptions& options);

// The sort key of a row without its number: band index (9 for a text that is no
// band, so such entries go last), year, month, day, time ("%d%4s%2s%2s%4s").
std::string ListeningBandKey(const ContestLog& log, size_t row);

// The rows in band order: ascending key, rows with equal keys in log order.
std::vector<size_t> ListeningBandOrder(const ContestLog& log);

// Re-orders the log's rows in band order in place (indexes unchanged: they do not
// depend on the order).
void ApplyListeningBandOrder(ContestLog& log);

}  // namespace tarnex
