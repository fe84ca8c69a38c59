#pragma once
// One station of the call history, and the rules its fields follow: a callsign of 3 to
// 14 characters A-Z, 0-9 and "/", a section code of four digits, and the minute (UTC)
// of the newest contact that gave the section, when it is known.

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "log/EntryTime.h"

namespace tarnex {

// A time that nothing told: older than every real one.
constexpr UtcMinute kUnknownMinute = std::numeric_limits<UtcMinute>::min();

struct HistoryRecord {
    std::string call;
    int16_t section = 0;  // 0..9999
    UtcMinute lastQso = kUnknownMinute;
    bool operator==(const HistoryRecord&) const = default;
};

// The callsign as the history keeps it: spaces around it dropped, a-z made A-Z; nullopt
// when it is not 3 to 14 characters of A-Z, 0-9 and "/".
std::optional<std::string> HistoryCall(std::string_view text);

// True for a text that is already such a callsign (upper case).
bool IsHistoryCall(std::string_view text);

// The code of exactly four digits, or nullopt.
std::optional<int16_t> HistorySection(std::string_view text);

// "2023-06-10 14:23" for a minute; the history file's time column.
std::string FormatHistoryMinute(UtcMinute minute);
// Reads "yyyy-mm-dd hh:mm" or "yyyy-mm-dd" (midnight); nullopt for anything else.
std::optional<UtcMinute> ParseHistoryMinute(std::string_view text);

// The minute of a date given as the digits "yyyymmdd" (ADIF) or "yyyy-mm-dd"
// (Cabrillo) and a time "hhmm" or "hhmmss"; nullopt when either is not a real one.
std::optional<UtcMinute> MinuteOfIsoDate(std::string_view date, std::string_view time);

}  // namespace tarnex
