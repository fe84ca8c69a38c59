#include <gtest/gtest.h>

#include "ScriptedPrompts.h"
#include "log/ContestLog.h"
#include "score/ScoreComputation.h"
#include "score/ScoreReport.h"
#include "util/TextNumber.h"

using namespace tarnex;
using tarnex::testing::ScriptedPrompts;

namespace {

void AddQso(ContestLog& log, const char* band, const char* mode, const char* section,
            const char* callsign = "IZ2AAA") {
    QsoRecord r;
    r.date = "02.06.2007";
    r.time = "1500";
    r.band = band;
    r.mode = mode;
    r.callsign = callsign;
    r.rstSent = "599";
    r.rstReceived = "599";
    r.section = section;
    log.Append(r);
}

void AddListening(ContestLog& log, const char* band, const char* mode, const char* callingSection,
                  const char* answering) {
    HrdRecord r;
    r.date = "02.06.2007";
    r.time = "1500";
    r.band = band;
    r.mode = mode;
    r.callingCall = "IZ2AAA";
    r.rst = "59";
    r.callingSection = callingSection;
    r.answeringCall = answering;
    log.Append(r);
}

std::array<int64_t, 3> Row(const ScoreResult& result, int row) {
    return result.table.cells[static_cast<size_t>(row)];
}

// The table of the report's example: 160 m 3/6/3, 80 m 40/80/25, 40 m 120/120/60,
// 20 m 30/90/20, 15 m 2/10/2, nothing on 10 m.
ScoreTable ExampleTable() {
    ScoreTable t;
    t.cells = {{{3, 6, 3}, {40, 80, 25}, {120, 120, 60}, {30, 90, 20}, {2, 10, 2}, {0, 0, 0}, {}}};
    t.FillTotals();
    return t;
}

}  // namespace

TEST(ScoreCompute, EmptyLogIsAllZero) {
    ContestLog log;
    ScoreResult result = ComputeScore(log);
    EXPECT_EQ(result.table, ScoreTable{});
    EXPECT_EQ(result.claimedScore, 0);
    EXPECT_TRUE(result.skipMessages.empty());
}

TEST(ScoreCompute, MultiplierIsOneSectionAndModePerBand) {
    ContestLog log;
    AddQso(log, "7", "SSB", "1201");
    AddQso(log, "7", "CW", "1201");
    AddQso(log, "14", "SSB", "1201");
    ScoreResult result = ComputeScore(log);
    EXPECT_EQ(Row(result, 2), (std::array<int64_t, 3>{2, 2, 2}));
    EXPECT_EQ(Row(result, 3), (std::array<int64_t, 3>{1, 3, 1}));
    EXPECT_EQ(Row(result, 6), (std::array<int64_t, 3>{3, 5, 3}));
    EXPECT_EQ(result.claimedScore, 15);
}

TEST(ScoreCompute, PointsByBandAndDuplicatesCounted) {
    ContestLog log;
    const char* bands[] = {"1,8", "3,5", "7", "14", "21", "28"};
    const int points[] = {2, 2, 1, 3, 5, 5};
    for (const char* band : bands) {
        AddQso(log, band, "CW", "0001");
    }
    AddQso(log, "21", "C", "0001");  // the same station again on 21 CW: points, no multiplier
    ScoreResult result = ComputeScore(log);
    for (int b = 0; b < 6; ++b) {
        int n = b == 4 ? 2 : 1;
        EXPECT_EQ(Row(result, b), (std::array<int64_t, 3>{n, n * points[b], 1})) << bands[b];
    }
    EXPECT_EQ(result.claimedScore, (2 + 2 + 1 + 3 + 10 + 5) * 6);
}

TEST(ScoreCompute, SkipsBadBandAndModeWithTheirMessages) {
    ContestLog log;
    AddQso(log, "7", "SSB", "1201");
    AddQso(log, "10", "SSB", "1202");  // "10" counts on 160 m
    AddQso(log, "14", "RTTY", "1201");
    AddQso(log, "50", "SSB", "1203");
    AddQso(log, "7", "FM", "1204");
    AddQso(log, "", "", "");
    ScoreResult result = ComputeScore(log);
    EXPECT_EQ(result.skipMessages, (std::vector<std::string>{"Ignorato QSO n. 4 per BANDA errata.",
                                                             "Ignorato QSO n. 5 per MODO errato.",
                                                             "Ignorato QSO n. 6 per BANDA errata."}));
    EXPECT_EQ(result.skippedRows, (std::vector<size_t>{3, 4, 5}));
    EXPECT_EQ(Row(result, 0), (std::array<int64_t, 3>{1, 2, 1}));
    EXPECT_EQ(Row(result, 6), (std::array<int64_t, 3>{3, 6, 3}));

    ScriptedPrompts prompts;
    ShowSkipMessages(result, prompts);
    ASSERT_EQ(prompts.records.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(prompts.records[i].text, result.skipMessages[i]);
        EXPECT_EQ(prompts.records[i].title, "Errore");
        EXPECT_EQ(prompts.records[i].icon, MessageIcon::Stop);
    }
}

TEST(ScoreCompute, SectionValueRules) {
    ContestLog log;
    AddQso(log, "7", "SSB", "");       // section 0000
    AddQso(log, "7", "SSB", "0000");   // the same multiplier
    AddQso(log, "7", "SSB", "abc");    // no digits: 0000 again
    AddQso(log, "7", "SSB", "12345");  // outside 0..9999: points, no multiplier
    AddQso(log, "7", "SSB", "-3");     // outside too
    AddQso(log, "7", "SSB", " 0130");  // leading space skipped: 130
    AddQso(log, "7", "SSB", "130");    // the same section
    ScoreResult result = ComputeScore(log);
    EXPECT_EQ(Row(result, 2), (std::array<int64_t, 3>{7, 7, 2}));
    EXPECT_TRUE(result.skipMessages.empty());
}

TEST(ScoreCompute, ListeningModeCountsTheCallingSection) {
    ContestLog log(LogMode::Listening);
    AddListening(log, "7", "SSB", "1201", "IZ2BBB");
    AddListening(log, "7", "SSB", "1201", "IZ2CCC");  // same calling section: no new multiplier
    AddListening(log, "7", "CW", "1201", "IZ2BBB");
    AddListening(log, "50", "CW", "1201", "IZ2BBB");
    ScoreResult result = ComputeScore(log);
    EXPECT_EQ(Row(result, 2), (std::array<int64_t, 3>{3, 3, 2}));
    EXPECT_EQ(result.claimedScore, 6);
    EXPECT_EQ(result.skipMessages, (std::vector<std::string>{"Ignorato QSO n. 4 per BANDA errata."}));
}

TEST(ScoreCompute, LargeLogDoesNotOverflow) {
    // 40000 entries on 10 m over 10000 sections and 3 modes: 200000 points times
    // 30000 multipliers is 6 000 000 000, past the 32-bit range.
    ContestLog log;
    const char* modes[] = {"SSB", "CW", "RTTY"};
    for (int i = 0; i < 40000; ++i) {
        std::string code = FormatCode(i % 10000);
        AddQso(log, "28", modes[(i / 10000) % 3], code.c_str());
    }
    ScoreResult result = ComputeScore(log);
    EXPECT_EQ(Row(result, 5), (std::array<int64_t, 3>{40000, 200000, 30000}));
    EXPECT_EQ(result.claimedScore, int64_t{6000000000});
    EXPECT_EQ(ClaimedScoreSetting(result.claimedScore), 2147483647);
    EXPECT_EQ(ClaimedScoreSetting(33660), 33660);
    EXPECT_NE(BuildScoreReport(result.table, LogMode::Qso).find("PUNTEGGIO TOTALE = 6.000.000.000\r\n"),
              std::string::npos);
}

TEST(ScoreReport, FormatThousands) {
    struct Case {
        int64_t n;
        const char* text;
    } cases[] = {{0, "0"},
                 {7, "7"},
                 {999, "999"},
                 {1000, "1.000"},
                 {12345, "12.345"},
                 {123456, "123.456"},
                 {1000000, "1.000.000"},
                 {1234567, "1.234.567"},
                 {2147483647, "2.147.483.647"},
                 {-1000, "-1.000"},
                 {-100, "-100"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatThousands(c.n), c.text) << c.n;
    }
}

TEST(ScoreReport, ExampleTableGivesTheExampleText) {
    ScoreTable table = ExampleTable();
    EXPECT_EQ(table.At(6, ScoreTable::Points), 306);
    EXPECT_EQ(table.At(6, ScoreTable::Multipliers), 110);
    EXPECT_EQ(table.Score(), 33660);
    const std::string expected =
        "   Punteggio (finale o parziale)\r\n"
        "\r\n"
        "   Banda    N.Qso    Punti   Molt.   Tot. banda\r\n"
        "   -----   ------   ------   -----   ----------\r\n"
        "   160m         3        6       3           18\r\n"
        "    80m        40       80      25        2.000\r\n"
        "    40m       120      120      60        7.200\r\n"
        "    20m        30       90      20        1.800\r\n"
        "    15m         2       10       2           20\r\n"
        "    10m         0        0       0            0\r\n"
        "   --------------------------------------------\r\n"
        "   TOT.       195      306     110   \r\n"
        "\r\n"
        "   PUNTEGGIO TOTALE = 33.660\r\n";
    EXPECT_EQ(BuildScoreReport(table, LogMode::Qso), expected);
}

TEST(ScoreReport, EmptyTableAndListeningHeading) {
    const std::string expected =
        "   Punteggio (finale o parziale)\r\n"
        "\r\n"
        "   Banda    N.Hrd    Punti   Molt.   Tot. banda\r\n"
        "   -----   ------   ------   -----   ----------\r\n"
        "   160m         0        0       0            0\r\n"
        "    80m         0        0       0            0\r\n"
        "    40m         0        0       0            0\r\n"
        "    20m         0        0       0            0\r\n"
        "    15m         0        0       0            0\r\n"
        "    10m         0        0       0            0\r\n"
        "   --------------------------------------------\r\n"
        "   TOT.         0        0       0   \r\n"
        "\r\n"
        "   PUNTEGGIO TOTALE = 0\r\n";
    EXPECT_EQ(BuildScoreReport(ScoreTable{}, LogMode::Listening), expected);
}

TEST(ScoreReport, WideValuesKeepTheirDotsAndPushTheColumns) {
    ScoreTable table;
    table.cells[3] = {1000, 1000000, 1000};
    table.FillTotals();
    std::string report = BuildScoreReport(table, LogMode::Qso);
    EXPECT_NE(report.find("    20m     1.000   1.000.000   1.000   1.000.000.000\r\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("   TOT.     1.000   1.000.000   1.000   \r\n"), std::string::npos);
}
