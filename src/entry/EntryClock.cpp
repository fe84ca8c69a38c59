#include "entry/EntryClock.h"

#include <cstdio>

namespace tarnex {

namespace {

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

}  // namespace

std::string FormatClockDate(const ClockTime& t) {
    char year[16];
    std::snprintf(year, sizeof year, "%d", t.year);
    return TwoDigits(t.day) + "." + TwoDigits(t.month) + "." + year;
}

std::string FormatClockTime(const ClockTime& t) {
    return TwoDigits(t.hour) + TwoDigits(t.minute);
}

int NextMinuteInterval(const ClockTime& t) {
    int second = t.second < 0 || t.second > 59 ? 0 : t.second;
    return second == 0 ? 60000 : (60 - second) * 1000;
}

std::optional<std::string> BandChangeTip(const ClockNow& now, bool pcShowsUtc) {
    const int midnightHour = pcShowsUtc ? 22 : 0;
    const bool inMidnightHour = now.local.hour == midnightHour;
    switch (now.local.minute) {
        case 0:
            if (inMidnightHour) {
                return std::string(
                    "Dalle ore 00:00 alle ore 00:59 locali\nsi consiglia di operare sulla banda dei 160 "
                    "metri!\n(non in RTTY)");
            }
            return std::string(
                "Ad ogni ora piena\nsi consiglia di operare sulla banda dei 10 metri\nper almeno 5 "
                "minuti!");
        case 15:
            if (inMidnightHour) {
                return std::nullopt;
            }
            return std::string(
                "Al primo quarto d'ora\nsi consiglia di operare sulla banda dei 15 metri\nper almeno 5 "
                "minuti!");
        case 30:
            if (inMidnightHour) {
                return std::nullopt;
            }
            return std::string(
                "Alla mezz'ora\nsi consiglia di operare sulla banda dei 20 metri\nper almeno 5 minuti!");
        default:
            return std::nullopt;
    }
}

}  // namespace tarnex
