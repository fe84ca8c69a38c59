#pragma once
// What the compact score panel of the main window shows: the claimed score as the
// score window computes it, and the rates of the operating, as numbers and as the
// labelled texts the panel puts on screen.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "log/EntryTime.h"
#include "log/LogTypes.h"

namespace tarnex {

struct LiveFigures {
    LogMode mode = LogMode::Qso;
    int64_t entries = 0;  // entries counted by the score (the "TOT." row)
    int64_t points = 0;
    int64_t multipliers = 0;
    int64_t score = 0;                // points x multipliers: the claimed score
    std::optional<UtcMinute> latest;  // "now" of the rates: the latest entry time
    int64_t lastHour = 0;             // entries in the 60 minutes up to `latest`
    int64_t lastTenRate = 0;          // entries an hour over the last ten

    bool operator==(const LiveFigures&) const = default;
};

struct LiveFigureText {
    std::string label;
    std::string value;
};

// The panel's six figures in their order on screen.
enum LiveFigureIndex : size_t {
    kFigEntries,
    kFigPoints,
    kFigMultipliers,
    kFigScore,
    kFigLastHour,
    kFigLastTen
};
constexpr size_t kLiveFigureCount = 6;

// Labels "QSO" ("HRD" in listening mode), "Punti", "Molt.", "Punteggio",
// "Ultimi 60 min", "Ultimi 10"; numbers with "." between groups of three digits as
// in the score report; the last-ten rate followed by " QSO/ora" (" HRD/ora").
std::array<LiveFigureText, kLiveFigureCount> FormatLiveFigures(const LiveFigures& figures);

}  // namespace tarnex
