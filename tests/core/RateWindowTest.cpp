#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "log/ContestLog.h"
#include "log/EntryTime.h"
#include "score/LiveScore.h"

using namespace tarnex;

namespace {

struct Timed {
    const char* date;
    const char* time;
};

struct RateCase {
    const char* name;
    std::vector<Timed> entries;  // in log order
    std::optional<Timed> now;    // the latest real entry time
    int64_t lastHour;
    int64_t lastTenRate;
};

}  // namespace

// The rates of logs whose entries carry these dates and times (all on 40 m SSB, all
// counted by the score): "now" is the latest real entry time, not the clock.
TEST(LiveRates, FollowTheEntriesOwnTimes) {
    const std::vector<RateCase> cases = {
        {"empty log", {}, std::nullopt, 0, 0},
        {"one entry: one contact in its minute",
         {{"08.06.2024", "1200"}},
         Timed{"08.06.2024", "1200"},
         1,
         60},
        {"ten in one minute", std::vector<Timed>(10, Timed{"08.06.2024", "1500"}),
         Timed{"08.06.2024", "1500"}, 10, 600},
        {"two, ten minutes apart: 2 in 11 minutes",
         {{"08.06.2024", "1300"}, {"08.06.2024", "1310"}},
         Timed{"08.06.2024", "1310"},
         2,
         11},
        {"the hour holds minutes now-59 to now",
         {{"08.06.2024", "1200"}, {"08.06.2024", "1201"}, {"08.06.2024", "1300"}},
         Timed{"08.06.2024", "1300"},
         2,
         3},  // 3 x 60 / 61
        {"across midnight",
         {{"08.06.2024", "2350"}, {"08.06.2024", "2355"}, {"09.06.2024", "0000"}, {"09.06.2024", "0009"}},
         Timed{"09.06.2024", "0009"},
         4,
         12},  // 4 x 60 / 20
        {"across the end of a month and of a year",
         {{"31.12.2023", "2359"}, {"01.01.2024", "0000"}},
         Timed{"01.01.2024", "0000"},
         2,
         60},
        {"damaged dates and times take no part",
         {{"08.06.2024", "1200"},
          {"32.06.2024", "1205"},
          {"08.06.2024", "2400"},
          {"8.06.2024", "1210"},
          {"", ""},
          {"08.06.2024", "12a0"},
          {"08.06.2024", "1209"}},
         Timed{"08.06.2024", "1209"},
         2,
         12},  // 2 x 60 / 10
        {"a later entry earlier in the log is still now",
         {{"09.06.2024", "0800"}, {"08.06.2024", "1200"}, {"08.06.2024", "1300"}},
         Timed{"09.06.2024", "0800"},
         1,
         0},  // 3 entries over 1201 minutes: 0.15 an hour
        {"the last ten of twelve, one a minute from 14:00",
         {{"08.06.2024", "1400"},
          {"08.06.2024", "1401"},
          {"08.06.2024", "1402"},
          {"08.06.2024", "1403"},
          {"08.06.2024", "1404"},
          {"08.06.2024", "1405"},
          {"08.06.2024", "1406"},
          {"08.06.2024", "1407"},
          {"08.06.2024", "1408"},
          {"08.06.2024", "1409"},
          {"08.06.2024", "1410"},
          {"08.06.2024", "1411"}},
         Timed{"08.06.2024", "1411"},
         12,
         60},
        {"only damaged dates", {{"damaged", "1200"}, {"08.06.2024", ""}}, std::nullopt, 0, 0},
    };
    for (const RateCase& c : cases) {
        ContestLog log;
        LiveScore live(log);
        for (const Timed& t : c.entries) {
            log.Append(QsoRecord{t.date, t.time, "7", "SSB", "I1ABC", "59", "59", "1201", ""});
        }
        LiveFigures f = live.Figures();
        EXPECT_EQ(f.latest, c.now ? EntryMinute(c.now->date, c.now->time) : std::nullopt) << c.name;
        EXPECT_EQ(f.lastHour, c.lastHour) << c.name;
        EXPECT_EQ(f.lastTenRate, c.lastTenRate) << c.name;
        EXPECT_EQ(f.entries, static_cast<int64_t>(c.entries.size())) << c.name;  // all counted by the score
    }
}

TEST(LiveRates, LeaveOutWhatTheScoreLeavesOutAndFollowEdits) {
    ContestLog log;
    LiveScore live(log);
    log.Append(QsoRecord{"08.06.2024", "1200", "7", "SSB", "I1ABC", "59", "59", "1201", ""});
    log.Append(QsoRecord{"08.06.2024", "1230", "50", "SSB", "I1ABD", "59", "59", "1201", ""});  // no band
    log.Append(QsoRecord{"08.06.2024", "1240", "7", "FM", "I1ABE", "59", "59", "1201", ""});    // no mode
    EXPECT_EQ(live.Figures().latest, EntryMinute("08.06.2024", "1200"));
    EXPECT_EQ(live.Figures().lastHour, 1);
    // Mending the band brings the entry in; damaging the first one's time takes it out.
    log.Replace(1, QsoRecord{"08.06.2024", "1230", "14", "SSB", "I1ABD", "59", "59", "1201", ""});
    log.Replace(0, QsoRecord{"08.06.2024", "12:00", "7", "SSB", "I1ABC", "59", "59", "1201", ""});
    LiveFigures f = live.Figures();
    EXPECT_EQ(f.latest, EntryMinute("08.06.2024", "1230"));
    EXPECT_EQ(f.lastHour, 1);
    EXPECT_EQ(f.entries, 2);  // the damaged time still counts in the score
    log.RemoveRows({1});
    EXPECT_FALSE(live.Figures().latest.has_value());
}
