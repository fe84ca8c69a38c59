#pragma once
// How fast the log grows, from the entries' own dates and times (UTC), never from the
// clock, so that a log opened after the contest shows the rates it had at its end.
//
// "Now" is the latest entry time the window holds. From it:
// - the last hour: the entries of the 60 minutes that end with now's minute, that is
//   at minutes now-59 to now;
// - the rate of the last ten: the ten latest entries (all of them when there are
//   fewer), k in number, at whole minutes from `oldest` to now. Entry times have no
//   seconds, so those k entries took the (now - oldest + 1) minutes they fall in, and
//   the rate is k x 60 / (now - oldest + 1) entries an hour, rounded to the nearest
//   whole number (halves up). Ten entries in one minute read 600 an hour, one entry
//   alone 60, ten entries a minute apart (minutes 0 to 9) 60; an empty window 0.
//
// Entries with a damaged date or time are never put into the window. The order of
// the entries in the log does not matter: only their times do.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "log/EntryTime.h"

namespace tarnex {

class RateWindow {
  public:
    static constexpr int64_t kLastEntries = 10;
    static constexpr UtcMinute kHourMinutes = 60;

    void Add(UtcMinute minute);
    // Takes away one entry at that minute; a minute the window does not hold is
    // ignored.
    void Remove(UtcMinute minute);
    void Clear();
    // Replaces everything with these minutes (any order), faster than adding them
    // one by one.
    void Assign(std::vector<UtcMinute> minutes);

    int64_t Count() const { return count_; }
    // Now: the latest minute held; nullopt when empty.
    std::optional<UtcMinute> Latest() const;
    // Entries at minutes now-59 .. now; 0 when empty.
    int64_t InLastHour() const;
    // Entries an hour over the last ten (see above); 0 when empty.
    int64_t LastTenRate() const;

  private:
    std::map<UtcMinute, int64_t> perMinute_;  // minute -> entries at it (never 0)
    int64_t count_ = 0;
};

}  // namespace tarnex
