#include <gtest/gtest.h>

#include "log/ContestLog.h"
#include "score/HourlyActivity.h"
#include "score/ScoreComputation.h"

using namespace tarnex;

namespace {

// The 2024 contest runs from Saturday 08.06.2024 12:00 to Sunday 09.06.2024 11:59 UTC.
void Add(ContestLog& log, const char* date, const char* time, const char* band, const char* mode,
         const char* section) {
    log.Append(QsoRecord{date, time, band, mode, "I1ABC", "59", "59", section, ""});
}

std::array<int64_t, kBandCount> Bands(std::initializer_list<std::pair<int, int64_t>> counts) {
    std::array<int64_t, kBandCount> bands{};
    for (auto [band, count] : counts) {
        bands[static_cast<size_t>(band)] = count;
    }
    return bands;
}

}  // namespace

TEST(HourlyActivity, CountsEachHourOfThePeriodByBand) {
    ContestLog log;
    Add(log, "08.06.2024", "1200", "7", "SSB", "1201");    // hour 0, 40 m
    Add(log, "08.06.2024", "1259", "7", "CW", "1201");     // hour 0, 40 m
    Add(log, "08.06.2024", "1259", "14", "SSB", "1201");   // hour 0, 20 m
    Add(log, "08.06.2024", "1300", "3,5", "SSB", "0101");  // hour 1, 80 m
    Add(log, "08.06.2024", "2359", "1,8", "CW", "0101");   // hour 11
    Add(log, "09.06.2024", "0000", "1,8", "CW", "0101");   // hour 12, across midnight
    Add(log, "09.06.2024", "1159", "28", "SSB", "5011");   // hour 23, the last minute
    Add(log, "09.06.2024", "1200", "28", "SSB", "9999");   // after the period
    Add(log, "08.06.2024", "1159", "21", "SSB", "8011");   // before it
    Add(log, "08.06.2024", "12:30", "7", "SSB", "7011");   // damaged time
    Add(log, "31.06.2024", "1230", "7", "SSB", "7012");    // no such day
    Add(log, "08.06.2024", "1230", "50", "SSB", "1201");   // not a band: left out by the score

    HourlyActivity a = BuildHourlyActivity(log);
    ASSERT_TRUE(a.period.has_value());
    EXPECT_EQ(a.entries[0], Bands({{2, 2}, {3, 1}}));
    EXPECT_EQ(a.entries[1], Bands({{1, 1}}));
    EXPECT_EQ(a.entries[11], Bands({{0, 1}}));
    EXPECT_EQ(a.entries[12], Bands({{0, 1}}));
    EXPECT_EQ(a.entries[23], Bands({{5, 1}}));
    int64_t drawn = 0;
    for (int h = 0; h < HourlyActivity::kHours; ++h) {
        drawn += a.HourTotal(h);
    }
    EXPECT_EQ(drawn, 7);
    EXPECT_EQ(a.outsidePeriod, 2);
    EXPECT_EQ(a.untimed, 2);
    EXPECT_EQ(drawn + a.outsidePeriod + a.untimed,
              ComputeScore(log).table.At(ScoreTable::kTotalsRow, ScoreTable::Entries));

    // Multipliers in time order: 15 m 8011 before the start; then 40 m SSB+CW and 20 m
    // SSB of 1201 and 80 m 0101 in hours 0 and 1; 160 m CW 0101 at 23:59 (hour 11),
    // its repeat at midnight adds none; 10 m 5011 in hour 23. 10 m 9999 comes after
    // the end and the two untimed entries are on no hour.
    EXPECT_EQ(a.multipliersAtStart, 1);
    std::array<int64_t, HourlyActivity::kHours> expected{};
    for (int h = 0; h < HourlyActivity::kHours; ++h) {
        expected[static_cast<size_t>(h)] = h == 0 ? 4 : h < 11 ? 5 : h < 23 ? 6 : 7;
    }
    EXPECT_EQ(a.multiplierTotal, expected);
}

TEST(HourlyActivity, ListensModeUsesTheCallingSectionAndAnEmptyLogDrawsNothing) {
    ContestLog log(LogMode::Listening);
    EXPECT_FALSE(BuildHourlyActivity(log).period.has_value());
    log.Append(HrdRecord{"damaged", "1300", "7", "SSB", "I1ABC", "59", "1201", "I2AAA"});
    HourlyActivity none = BuildHourlyActivity(log);
    EXPECT_FALSE(none.period.has_value());
    EXPECT_EQ(none.untimed, 1);
    EXPECT_EQ(none.multiplierTotal, (std::array<int64_t, HourlyActivity::kHours>{}));

    log.Append(HrdRecord{"08.06.2024", "1300", "7", "SSB", "I1ABC", "59", "1201", "I2AAA"});
    log.Append(
        HrdRecord{"08.06.2024", "1310", "7", "SSB", "I1ABD", "59", "1201", "I2AAB"});  // same multiplier
    log.Append(HrdRecord{"08.06.2024", "1320", "7", "SSB", "I1ABE", "59", "1202", "I2AAB"});
    HourlyActivity a = BuildHourlyActivity(log);
    EXPECT_EQ(a.mode, LogMode::Listening);
    EXPECT_EQ(a.entries[1], Bands({{2, 3}}));
    EXPECT_EQ(a.multiplierTotal[0], 0);
    EXPECT_EQ(a.multiplierTotal[1], 2);
    EXPECT_EQ(a.multiplierTotal[23], 2);
    EXPECT_EQ(HourlyActivity::HourLabel(0), "12");
    EXPECT_EQ(HourlyActivity::HourLabel(12), "00");
    EXPECT_EQ(HourlyActivity::HourLabel(23), "11");
}
