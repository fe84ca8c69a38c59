#include "score/HourlyActivity.h"

#include <algorithm>
#include <vector>

#include "score/EntryScore.h"
#include "score/MultiplierMarks.h"

namespace tarnex {

int64_t HourlyActivity::HourTotal(int hour) const {
    int64_t total = 0;
    for (int64_t count : entries[static_cast<size_t>(hour)]) {
        total += count;
    }
    return total;
}

std::string HourlyActivity::HourLabel(int hour) {
    const int utcHour = (12 + hour) % 24;
    return {static_cast<char>('0' + utcHour / 10), static_cast<char>('0' + utcHour % 10)};
}

HourlyActivity BuildHourlyActivity(const ContestLog& log) {
    HourlyActivity activity;
    activity.mode = log.Mode();
    activity.period = ContestPeriodOfLog(log);

    struct Timed {
        UtcMinute minute;
        EntryScore entry;
    };
    std::vector<Timed> timed;  // counted entries up to the period's end, for the multipliers
    for (size_t row = 0; row < log.RowCount(); ++row) {
        const EntryScore entry = ScoreEntry(log, row);
        if (!entry.Counted()) {
            continue;
        }
        const std::optional<UtcMinute> minute =
            EntryMinute(log.Field(row, QsoCol::Date), log.Field(row, QsoCol::Time));
        if (!minute || !activity.period) {
            ++activity.untimed;
            continue;
        }
        const ContestPeriod& period = *activity.period;
        if (!period.Holds(*minute)) {
            ++activity.outsidePeriod;
        } else {
            const auto hour = static_cast<size_t>((*minute - period.first) / 60);
            ++activity.entries[hour][static_cast<size_t>(entry.band)];
        }
        if (*minute <= period.last) {
            timed.push_back({*minute, entry});
        }
    }
    if (!activity.period) {
        return activity;
    }

    // Multipliers in time order (entries of one minute in log order).
    std::stable_sort(timed.begin(), timed.end(),
                     [](const Timed& a, const Timed& b) { return a.minute < b.minute; });
    MultiplierMarks marks;
    int64_t total = 0;
    size_t next = 0;
    const UtcMinute first = activity.period->first;
    for (; next < timed.size() && timed[next].minute < first; ++next) {
        total += marks.MarkNew(timed[next].entry) ? 1 : 0;
    }
    activity.multipliersAtStart = total;
    for (int hour = 0; hour < HourlyActivity::kHours; ++hour) {
        const UtcMinute hourEnd = first + (hour + 1) * 60;
        for (; next < timed.size() && timed[next].minute < hourEnd; ++next) {
            total += marks.MarkNew(timed[next].entry) ? 1 : 0;
        }
        activity.multiplierTotal[static_cast<size_t>(hour)] = total;
    }
    return activity;
}

}  // namespace tarnex
