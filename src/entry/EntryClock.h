#pragma once
// The automatic date and time of the entry form and the band-change tips, as pure
// functions of a clock reading that the caller takes.

#include <optional>
#include <string>

namespace tarnex {

struct ClockTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// One reading of the computer's clock, in UTC and in the computer's local time.
struct ClockNow {
    ClockTime utc;
    ClockTime local;
};

// "%d.%m.%Y" and "%H%M".
std::string FormatClockDate(const ClockTime& t);
std::string FormatClockTime(const ClockTime& t);

// Milliseconds to the start of the next minute: (60 - s) x 1000, 60000 when s is 0.
int NextMinuteInterval(const ClockTime& t);

// The time the form shows: the local time unchanged when the computer shows UTC,
// otherwise UTC.
inline const ClockTime& FormClock(const ClockNow& now, bool pcShowsUtc) {
    return pcShowsUtc ? now.local : now.utc;
}

inline constexpr const char* kTipTitle = "Consiglio";

// The tip due at this reading (minute 0, 15 or 30 of the local time), if any. The
// local midnight hour is 22 when the computer shows UTC, 0 otherwise.
std::optional<std::string> BandChangeTip(const ClockNow& now, bool pcShowsUtc);

}  // namespace tarnex
