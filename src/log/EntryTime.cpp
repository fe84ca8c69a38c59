#include "log/EntryTime.h"

#include <chrono>
#include <limits>
#include <map>

#include "log/ContestLog.h"
#include "log/LogTypes.h"

namespace tarnex {

namespace {

bool Digits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

int Number(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<std::chrono::year_month_day> Day(std::string_view date) {
    if (date.size() != 10 || date[2] != '.' || date[5] != '.' || !Digits(date.substr(0, 2)) ||
        !Digits(date.substr(3, 2)) || !Digits(date.substr(6, 4))) {
        return std::nullopt;
    }
    std::chrono::year_month_day day{std::chrono::year(Number(date.substr(6, 4))),
                                    std::chrono::month(static_cast<unsigned>(Number(date.substr(3, 2)))),
                                    std::chrono::day(static_cast<unsigned>(Number(date.substr(0, 2))))};
    if (!day.ok()) {
        return std::nullopt;
    }
    return day;
}

UtcMinute MinuteOfDay(std::chrono::sys_days day) {
    return static_cast<UtcMinute>(day.time_since_epoch().count()) * 24 * 60;
}

}  // namespace

int32_t DateSortKey(std::string_view date) {
    if (date.size() != 10 || date[2] != '.' || date[5] != '.') {
        return std::numeric_limits<int32_t>::max();
    }
    for (size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 8u, 9u}) {
        if (date[i] < '0' || date[i] > '9') {
            return std::numeric_limits<int32_t>::max();
        }
    }
    auto two = [&](size_t at) { return (date[at] - '0') * 10 + (date[at + 1] - '0'); };
    return (two(6) * 100 + two(8)) * 10000 + two(3) * 100 + two(0);
}

std::optional<UtcMinute> EntryMinute(std::string_view date, std::string_view time) {
    auto day = Day(date);
    if (!day || time.size() != 4 || !Digits(time)) {
        return std::nullopt;
    }
    int hours = Number(time.substr(0, 2));
    int minutes = Number(time.substr(2, 2));
    if (hours > 23 || minutes > 59) {
        return std::nullopt;
    }
    return MinuteOfDay(std::chrono::sys_days(*day)) + hours * 60 + minutes;
}

std::optional<int> EntryYear(std::string_view date) {
    auto day = Day(date);
    if (!day) {
        return std::nullopt;
    }
    return static_cast<int>(day->year());
}

ContestPeriod ContestPeriodOfYear(int year) {
    using namespace std::chrono;
    // The first Saturday of June always has its Sunday in June too, so the second
    // full weekend starts on the second Saturday.
    sys_days saturday{year_month_weekday{std::chrono::year(year) / June / Saturday[2]}};
    UtcMinute start = MinuteOfDay(saturday) + 12 * 60;
    return {start, start + 24 * 60 - 1};
}

std::optional<ContestPeriod> ContestPeriodOfLog(const ContestLog& log) {
    std::map<int, size_t> years;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        if (auto year = EntryYear(log.Field(row, QsoCol::Date))) {
            ++years[*year];
        }
    }
    if (years.empty()) {
        return std::nullopt;
    }
    auto best = years.begin();
    for (auto it = years.begin(); it != years.end(); ++it) {
        if (it->second > best->second) {
            best = it;
        }
    }
    return ContestPeriodOfYear(best->first);
}

}  // namespace tarnex
