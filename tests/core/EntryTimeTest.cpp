#include <gtest/gtest.h>

#include "log/ContestLog.h"
#include "log/EntryTime.h"

using namespace tarnex;

namespace {

// Minutes of a day and time counted by hand from the days between 1 January 1970
// and the date (2024-06-08 is day 19882).
constexpr UtcMinute kJune8th2024 = 19882LL * 24 * 60;

}  // namespace

TEST(EntryTime, ReadsOnlyRealDaysAndMinutes) {
    EXPECT_EQ(EntryMinute("01.01.1970", "0000"), 0);
    EXPECT_EQ(EntryMinute("08.06.2024", "1200"), kJune8th2024 + 12 * 60);
    EXPECT_EQ(EntryMinute("09.06.2024", "0001"), kJune8th2024 + 24 * 60 + 1);
    EXPECT_EQ(EntryMinute("29.02.2024", "2359"), EntryMinute("01.03.2024", "0000").value() - 1);
    for (auto [date, time] :
         std::initializer_list<std::pair<const char*, const char*>>{{"29.02.2023", "1200"},  // no such day
                                                                    {"31.06.2024", "1200"},
                                                                    {"00.06.2024", "1200"},
                                                                    {"08.13.2024", "1200"},
                                                                    {"8.06.2024", "1200"},
                                                                    {"08-06-2024", "1200"},
                                                                    {"08.06.2024", "2400"},
                                                                    {"08.06.2024", "1260"},
                                                                    {"08.06.2024", "120"},
                                                                    {"08.06.2024", "12:00"},
                                                                    {"08.0a.2024", "1200"},
                                                                    {"08.06.2024", "+200"},
                                                                    {"", ""}}) {
        EXPECT_FALSE(EntryMinute(date, time).has_value()) << date << " " << time;
    }
    EXPECT_EQ(EntryYear("31.12.2019"), 2019);
    EXPECT_FALSE(EntryYear("31.11.2019").has_value());
}

TEST(ContestPeriod, IsTheSecondFullWeekendOfJuneFromSaturdayNoon) {
    // June 2024 starts on a Saturday, June 2025 on a Sunday (its first full weekend
    // is the 7th and 8th), June 2026 on a Monday.
    struct Case {
        int year;
        const char* saturday;
        const char* sunday;
    } cases[] = {{2024, "08.06.2024", "09.06.2024"},
                 {2025, "14.06.2025", "15.06.2025"},
                 {2026, "13.06.2026", "14.06.2026"},
                 {2030, "08.06.2030", "09.06.2030"}};
    for (const Case& c : cases) {
        ContestPeriod period = ContestPeriodOfYear(c.year);
        EXPECT_EQ(period.first, EntryMinute(c.saturday, "1200")) << c.year;
        EXPECT_EQ(period.last, EntryMinute(c.sunday, "1159")) << c.year;
        EXPECT_TRUE(period.Holds(*EntryMinute(c.sunday, "1159")));
        EXPECT_FALSE(period.Holds(*EntryMinute(c.sunday, "1200")));
        EXPECT_FALSE(period.Holds(*EntryMinute(c.saturday, "1159")));
    }
}

TEST(ContestPeriod, OfALogFollowsTheYearMostEntriesCarry) {
    ContestLog log;
    EXPECT_FALSE(ContestPeriodOfLog(log).has_value());
    auto add = [&](const char* date) {
        log.Append(QsoRecord{date, "1300", "7", "SSB", "I1ABC", "59", "59", "1234", ""});
    };
    add("damaged");
    EXPECT_FALSE(ContestPeriodOfLog(log).has_value());
    add("14.06.2025");
    add("08.06.2024");
    EXPECT_EQ(ContestPeriodOfLog(log)->first, ContestPeriodOfYear(2024).first);  // a tie: the earlier year
    add("15.06.2025");
    EXPECT_EQ(ContestPeriodOfLog(log)->first, ContestPeriodOfYear(2025).first);
}
