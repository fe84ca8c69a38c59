#pragma once
// When an entry was made, and when the contest runs. Entries carry their date as
// "dd.mm.yyyy" and their time as "hhmm", both UTC; anything else (a damaged line, a
// day that does not exist) has no time. The contest runs on the second full weekend
// of June, from Saturday 12:00 to Sunday 11:59 UTC.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnex {

class ContestLog;

// Minutes since 1 January 1970, 00:00 UTC.
using UtcMinute = int64_t;

// The entry's minute, or nullopt when the date or the time is not a real one.
std::optional<UtcMinute> EntryMinute(std::string_view date, std::string_view time);

// The order "Riordina per data ed ora" puts dates in: yyyymmdd of a "dd.mm.yyyy" text
// (digits where digits belong, the day not checked), INT32_MAX for any other text.
int32_t DateSortKey(std::string_view date);

// The year of a "dd.mm.yyyy" date (digits only, a real day), or nullopt.
std::optional<int> EntryYear(std::string_view date);

struct ContestPeriod {
    UtcMinute first = 0;  // Saturday 12:00
    UtcMinute last = 0;   // Sunday 11:59, the last minute that counts
    bool Holds(UtcMinute minute) const { return minute >= first && minute <= last; }
};

// The contest weekend of the given year.
ContestPeriod ContestPeriodOfYear(int year);

// The contest weekend of the year most of the log's dated entries carry (the earlier
// year on a tie); nullopt when no entry has a real date.
std::optional<ContestPeriod> ContestPeriodOfLog(const ContestLog& log);

}  // namespace tarnex
