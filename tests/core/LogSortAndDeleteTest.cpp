#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <tuple>

#include "log/ContestLog.h"

using namespace tarnex;

namespace {

void Add(ContestLog& log, const std::string& date, const std::string& time, const std::string& callsign) {
    QsoRecord r;
    r.date = date;
    r.time = time;
    r.band = "7";
    r.mode = "SSB";
    r.callsign = callsign;
    r.rstSent = "59";
    r.rstReceived = "59";
    r.section = "1201";
    r.sectionName = "MILANO";
    log.Append(r);
}

// "number date time callsign" of every row.
std::vector<std::string> Rows(const ContestLog& log) {
    std::vector<std::string> rows;
    for (size_t i = 0; i < log.RowCount(); ++i) {
        rows.push_back(log.Text(i, 0) + " " + log.Text(i, 1) + " " + log.Text(i, 2) + " " + log.Text(i, 5));
    }
    return rows;
}

}  // namespace

TEST(LogSortByDateTime, OrdersDateThenTimeAndRenumbers) {
    ContestLog log;
    Add(log, "02.06.2007", "1500", "IZ2AAA");
    Add(log, "02.06.2007", "0900", "IZ2BBB");
    Add(log, "01.06.2007", "2359", "IZ2CCC");
    log.SortByDateTime();
    EXPECT_EQ(Rows(log),
              (std::vector<std::string>{"    1 01.06.2007 2359 IZ2CCC", "    2 02.06.2007 0900 IZ2BBB",
                                        "    3 02.06.2007 1500 IZ2AAA"}));
    EXPECT_FALSE(log.Modified());
}

TEST(LogSortByDateTime, ComparesCalendarDatesAcrossMonthsAndYears) {
    ContestLog log;
    Add(log, "01.07.2007", "0000", "A");
    Add(log, "30.06.2007", "2359", "B");
    Add(log, "31.12.2006", "1200", "C");
    Add(log, "01.01.2008", "0001", "D");
    log.SortByDateTime();
    EXPECT_EQ(Rows(log), (std::vector<std::string>{"    1 31.12.2006 1200 C", "    2 30.06.2007 2359 B",
                                                   "    3 01.07.2007 0000 A", "    4 01.01.2008 0001 D"}));
}

TEST(LogSortByDateTime, SameMinuteKeepsLogOrder) {
    // The old exchange sort moved the first of these past the others.
    ContestLog log;
    Add(log, "02.06.2007", "1500", "FIRST");
    Add(log, "02.06.2007", "1500", "SECOND");
    Add(log, "01.06.2007", "1000", "EARLY");
    Add(log, "02.06.2007", "1500", "THIRD");
    log.SortByDateTime();
    EXPECT_EQ(Rows(log),
              (std::vector<std::string>{"    1 01.06.2007 1000 EARLY", "    2 02.06.2007 1500 FIRST",
                                        "    3 02.06.2007 1500 SECOND", "    4 02.06.2007 1500 THIRD"}));
}

TEST(LogSortByDateTime, DamagedDatesGoLastAndRowsStayWhole) {
    ContestLog log(LogMode::Listening);
    HrdRecord bad{"", "", "", "", "IZ2BAD", "", "", ""};
    HrdRecord late{"03.06.2007", "1000", "14", "CW", "IZ2LATE", "599", "1201", "IZ2XXX"};
    HrdRecord early{"02.06.2007", "1000", "7", "SSB", "IZ2EARLY", "59", "0130", "IZ2YYY"};
    log.Append(bad);
    log.Append(late);
    log.Append(early);
    log.SortByDateTime();
    ASSERT_EQ(log.RowCount(), 3u);
    EXPECT_EQ(log.Listening(0), early);
    EXPECT_EQ(log.Listening(1), late);
    EXPECT_EQ(log.Listening(2), bad);
    EXPECT_EQ(log.Text(2, 0), "    3");
}

TEST(LogSortByDateTime, MatchesAReferenceOrderOnARandomLog) {
    std::mt19937 random(7);
    ContestLog log;
    struct Entry {
        int year, month, day, minute;
        size_t position;
    };
    std::vector<Entry> entries;
    for (size_t i = 0; i < 2000; ++i) {
        Entry e{2005 + static_cast<int>(random() % 3), 1 + static_cast<int>(random() % 12),
                1 + static_cast<int>(random() % 28), static_cast<int>(random() % 30), i};
        entries.push_back(e);
        char date[48];
        char time[32];
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", e.day, e.month, e.year);
        std::snprintf(time, sizeof time, "%02d%02d", e.minute / 60, e.minute % 60);
        Add(log, date, time, std::to_string(i));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.year, a.month, a.day, a.minute) < std::tie(b.year, b.month, b.day, b.minute);
    });
    log.SortByDateTime();
    for (size_t i = 0; i < entries.size(); ++i) {
        ASSERT_EQ(log.Text(i, 5), std::to_string(entries[i].position)) << i;
    }
}

TEST(LogRemoveRows, RenumbersTheRemainingRowsInTheirOrder) {
    ContestLog log;
    for (const char* call : {"A", "B", "C", "D", "E"}) {
        Add(log, "02.06.2007", "1500", call);
    }
    log.RemoveRows({1, 3});
    EXPECT_EQ(Rows(log), (std::vector<std::string>{"    1 02.06.2007 1500 A", "    2 02.06.2007 1500 C",
                                                   "    3 02.06.2007 1500 E"}));
    log.RemoveRows({});
    EXPECT_EQ(log.RowCount(), 3u);
    log.RemoveRows({0, 1, 2});
    EXPECT_TRUE(log.Empty());
}
