#pragma once
// The ADIF file of a log: one fixed header line, then one record per entry.

#include <string>

#include "log/ContestLog.h"
#include "log/StationSummary.h"

namespace tarnex {

// The whole ADIF file, lines ended by CR LF. In QSO mode the station's own section is
// the sent exchange (STX); in listening mode the calling station is CALL and the
// answering station goes into CALL2, and the received report and section are empty.
std::string ExportAdif(const ContestLog& log, const StationSummary& station);

// The record of one row ("<QSO_DATE:8>... <EOR>\r\n"), as ExportAdif writes it.
std::string AdifRecord(const ContestLog& log, size_t row, const StationSummary& station);

}  // namespace tarnex
