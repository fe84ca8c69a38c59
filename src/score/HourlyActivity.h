#pragma once
// The shape of the contest for its charts: the entries of each hour of the contest
// period by band, and the total of the multipliers as it grew hour by hour. Built
// from the log with the score's own rule (EntryScore), so entries the score leaves
// out are not drawn either.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "log/BandMode.h"
#include "log/ContestLog.h"
#include "log/EntryTime.h"

namespace tarnex {

struct HourlyActivity {
    static constexpr int kHours = 24;

    LogMode mode = LogMode::Qso;
    // The contest weekend of the log (ContestPeriodOfLog); nullopt when no entry has
    // a real date, and then every count below is 0 but `untimed`.
    std::optional<ContestPeriod> period;
    // Counted entries in hour h of the period (h = 0 from Saturday 12:00 UTC) on
    // band b: entries[h][b].
    std::array<std::array<int64_t, kBandCount>, kHours> entries{};
    // Multipliers of the entries made before the period began, and the total at the
    // end of each hour: the score's multipliers of every counted entry whose time is
    // at or before that hour's last minute, taken in time order. When every entry is
    // inside the period the last value is the claimed score's multiplier total.
    int64_t multipliersAtStart = 0;
    std::array<int64_t, kHours> multiplierTotal{};
    // Counted entries with a real time outside the period (before it or after it),
    // and counted entries whose date or time is not a real one: on no bar.
    int64_t outsidePeriod = 0;
    int64_t untimed = 0;

    // Entries of hour h, all bands.
    int64_t HourTotal(int hour) const;
    // The UTC hour of day at which hour h of the period begins, as two digits: "12"
    // for h = 0, "00" for h = 12, "11" for h = 23.
    static std::string HourLabel(int hour);
};

HourlyActivity BuildHourlyActivity(const ContestLog& log);

}  // namespace tarnex
