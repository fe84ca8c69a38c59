#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "log/ContestLog.h"
#include "log/EntryTime.h"
#include "score/LiveScore.h"
#include "score/ScoreComputation.h"

using namespace tarnex;

namespace {

// Field values as typed, and as damaged files hold them: bands and modes the score
// leaves out, sections outside 0..9999, dates and times that are no real ones.
const std::vector<std::string> kBands = {"1,8", "3,5", "7", "14", "21", "28", "10", "50", "", "x"};
const std::vector<std::string> kModes = {"SSB", "CW", "RTTY", "C", "FM", ""};
const std::vector<std::string> kSections = {"1201", "1201",  "0101", "9999", "0000",
                                            "",     "12345", "-5",   "ab",   "5011"};
const std::vector<std::string> kDates = {"08.06.2024", "08.06.2024", "09.06.2024", "09.06.2024",
                                         "10.06.2024", "31.12.2023", "32.06.2024", "8.06.2024",
                                         "",           "xx.06.2024"};
const std::vector<std::string> kTimes = {"1200", "1201", "1259", "2359", "0000", "0001", "1159",
                                         "1230", "2400", "12a0", "",     "0905", "1730"};

class RandomLog {
  public:
    explicit RandomLog(uint32_t seed) : random_(seed) {}

    const std::string& Pick(const std::vector<std::string>& values) {
        return values[std::uniform_int_distribution<size_t>(0, values.size() - 1)(random_)];
    }
    size_t Below(size_t bound) { return std::uniform_int_distribution<size_t>(0, bound - 1)(random_); }

    QsoRecord Qso() {
        return QsoRecord{Pick(kDates),
                         Pick(kTimes),
                         Pick(kBands),
                         Pick(kModes),
                         "I" + std::to_string(Below(50)),
                         "59",
                         "59",
                         Pick(kSections),
                         ""};
    }
    HrdRecord Hrd() {
        return HrdRecord{Pick(kDates),
                         Pick(kTimes),
                         Pick(kBands),
                         Pick(kModes),
                         "I" + std::to_string(Below(50)),
                         "59",
                         Pick(kSections),
                         "I" + std::to_string(Below(50))};
    }

    // One change of the kinds the program makes to a log.
    void Change(ContestLog& log) {
        const size_t kind = Below(100);
        const bool qso = log.Mode() == LogMode::Qso;
        if (kind < 55 || log.RowCount() == 0) {
            switch (Below(3)) {
                case 0:
                    qso ? log.Append(Qso()) : log.Append(Hrd());
                    break;
                case 1:  // the entry forms
                    qso ? log.AppendWithoutIndexes(Qso()) : log.AppendWithoutIndexes(Hrd());
                    break;
                default: {  // a line of a file
                    QsoRecord r = Qso();
                    std::vector<std::string_view> columns = {r.date, r.time,     r.band,
                                                             r.mode, r.callsign, r.section};
                    columns.resize(Below(columns.size() + 1));
                    log.AppendFields(columns);
                }
            }
        } else if (kind < 75) {
            const size_t row = Below(log.RowCount());
            qso ? log.Replace(row, Qso()) : log.Replace(row, Hrd());
        } else if (kind < 88) {
            std::vector<size_t> rows;
            for (size_t row = 0; row < log.RowCount(); ++row) {
                if (Below(6) == 0) {
                    rows.push_back(row);
                }
            }
            log.RemoveRows(rows);
        } else if (kind < 96) {
            log.SortByDateTime();
        } else if (kind < 98) {
            log.Clear();
        } else {
            log.SetMode(Below(2) == 0 ? LogMode::Qso : LogMode::Listening);
        }
    }

  private:
    std::mt19937 random_;
};

// The rates counted the slow way: every counted entry with a real time, newest first.
LiveFigures CountedByHand(const ContestLog& log) {
    ScoreResult score = ComputeScore(log);
    std::vector<UtcMinute> minutes;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        if (std::find(score.skippedRows.begin(), score.skippedRows.end(), row) != score.skippedRows.end()) {
            continue;
        }
        if (auto minute = EntryMinute(log.Field(row, QsoCol::Date), log.Field(row, QsoCol::Time))) {
            minutes.push_back(*minute);
        }
    }
    std::sort(minutes.rbegin(), minutes.rend());
    LiveFigures f;
    f.mode = log.Mode();
    f.entries = score.table.At(ScoreTable::kTotalsRow, ScoreTable::Entries);
    f.points = score.table.At(ScoreTable::kTotalsRow, ScoreTable::Points);
    f.multipliers = score.table.At(ScoreTable::kTotalsRow, ScoreTable::Multipliers);
    f.score = score.claimedScore;
    if (!minutes.empty()) {
        f.latest = minutes.front();
        f.lastHour =
            std::count_if(minutes.begin(), minutes.end(), [&](UtcMinute m) { return m > minutes[0] - 60; });
        const size_t k = std::min<size_t>(10, minutes.size());
        const double span = static_cast<double>(minutes[0] - minutes[k - 1] + 1);
        f.lastTenRate = static_cast<int64_t>(std::floor(static_cast<double>(k) * 60.0 / span + 0.5));
    }
    return f;
}

}  // namespace

TEST(LiveScore, AlwaysEqualsTheClaimedScoreThroughRandomChanges) {
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        RandomLog random(seed);
        ContestLog log(seed % 2 == 0 ? LogMode::Qso : LogMode::Listening);
        for (int i = 0; i < 30; ++i) {  // rows already there when the figures attach
            random.Change(log);
        }
        LiveScore live(log);
        int told = 0;
        live.SetListener([&] { ++told; });
        for (int step = 0; step < 300; ++step) {
            random.Change(log);
            if (random.Below(3) != 0) {
                continue;  // several changes between two reads, as during a load
            }
            const ScoreResult score = ComputeScore(log);
            ASSERT_EQ(live.Table(), score.table) << "seed " << seed << " step " << step;
            ASSERT_EQ(live.ClaimedScore(), score.claimedScore);
            ASSERT_EQ(live.Figures(), CountedByHand(log)) << "seed " << seed << " step " << step;
        }
        EXPECT_GT(told, 0);
    }
}

TEST(LiveScore, FollowsAReloadAndStopsWhenDestroyed) {
    ContestLog log;
    auto live = std::make_unique<LiveScore>(log);
    log.Append(QsoRecord{"08.06.2024", "1300", "14", "CW", "I1ABC", "599", "599", "1201", ""});
    log.Append(QsoRecord{"08.06.2024", "1300", "14", "SSB", "I1ABD", "59", "59", "1201", ""});
    EXPECT_EQ(live->ClaimedScore(), 6 * 2);
    // A load: the mode is set (the rows go) and the file's lines come one by one.
    log.SetMode(LogMode::Listening);
    LiveFigures empty;
    empty.mode = LogMode::Listening;
    EXPECT_EQ(live->Figures(), empty);
    log.Append(HrdRecord{"08.06.2024", "1300", "21", "SSB", "I1ABC", "59", "1201", "I2XYZ"});
    EXPECT_EQ(live->ClaimedScore(), 5);
    live.reset();
    log.Append(HrdRecord{"08.06.2024", "1300", "21", "SSB", "I1ABC", "59", "1201", "I2XYZ"});  // nobody told
}

TEST(LiveFigures, AreFormattedAsTheScoreReportWritesNumbers) {
    LiveFigures f{.mode = LogMode::Qso,
                  .entries = 1234,
                  .points = 3060,
                  .multipliers = 110,
                  .score = 336600,
                  .latest = 0,
                  .lastHour = 57,
                  .lastTenRate = 1200};
    auto texts = FormatLiveFigures(f);
    std::vector<std::pair<std::string, std::string>> shown;
    for (const LiveFigureText& t : texts) {
        shown.emplace_back(t.label, t.value);
    }
    EXPECT_EQ(shown, (std::vector<std::pair<std::string, std::string>>{{"QSO", "1.234"},
                                                                       {"Punti", "3.060"},
                                                                       {"Molt.", "110"},
                                                                       {"Punteggio", "336.600"},
                                                                       {"Ultimi 60 min", "57"},
                                                                       {"Ultimi 10", "1.200 QSO/ora"}}));
    f.mode = LogMode::Listening;
    f.score = 5'000'000'000;  // beyond 32 bits
    texts = FormatLiveFigures(f);
    EXPECT_EQ(texts[kFigEntries].label, "HRD");
    EXPECT_EQ(texts[kFigScore].value, "5.000.000.000");
    EXPECT_EQ(texts[kFigLastTen].value, "1.200 HRD/ora");
}
