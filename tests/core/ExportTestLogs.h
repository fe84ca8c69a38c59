#pragma once
// Small logs for the export and print tests.

#include <string>

#include "log/ContestLog.h"
#include "log/StationSummary.h"

namespace tarnex::testing {

inline QsoRecord MakeQso(std::string date, std::string time, std::string band, std::string mode,
                         std::string callsign, std::string rstSent, std::string rstReceived,
                         std::string section, std::string sectionName = "") {
    return {std::move(date),        std::move(time),     std::move(band),
            std::move(mode),        std::move(callsign), std::move(rstSent),
            std::move(rstReceived), std::move(section),  std::move(sectionName)};
}

inline HrdRecord MakeListening(std::string date, std::string time, std::string band, std::string mode,
                               std::string callingCall, std::string rst, std::string callingSection,
                               std::string answeringCall) {
    return {std::move(date),        std::move(time), std::move(band),           std::move(mode),
            std::move(callingCall), std::move(rst),  std::move(callingSection), std::move(answeringCall)};
}

// MYCALL in section 0501, the station of the examples.
inline StationSummary ExampleStation() {
    StationSummary s;
    s.callsign = "MYCALL";
    s.ownSection = "0501";
    s.category = "SINGLE-OP CW";
    s.name = "Mario Rossi";
    return s;
}

}  // namespace tarnex::testing
