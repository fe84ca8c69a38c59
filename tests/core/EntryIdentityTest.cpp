// Entry identities of a network log: their text, the extra field of a journal line
// that carries them, and how they follow their rows through every change.

#include <gtest/gtest.h>

#include <memory>

#include "entry/CallsignRows.h"
#include "log/EntryIdentity.h"
#include "log/LogFile.h"
#include "score/LiveScore.h"
#include "score/ScoreComputation.h"
#include "sections/SectionTable.h"

using namespace tarnex;

namespace {

const StationSummary kStation{"IK1XYZ", "0130", "MULTI-ONE", "", "Mario Rossi", "", "", "", "", "", ""};

QsoRecord Qso(const char* date, const char* time, const char* call) {
    return {date, time, "14", "CW", call, "599", "579", "1234", ""};
}

std::vector<std::string> IdentitiesOf(const ContestLog& log) {
    std::vector<std::string> ids;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        ids.emplace_back(log.Identity(row));
    }
    return ids;
}

}  // namespace

TEST(EntryIdentity, OnlyTheCanonicalTextIsAnIdentity) {
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {
        {"RUN#1", true},
        {"Mult-2_b#9223372036854775807", true},
        {"ABCDEFGHIJKL#12", true},
        {"ABCDEFGHIJKLM#12", false},          // name of 13 characters
        {"RUN#9223372036854775808", false},   // past 2^63 - 1
        {"RUN#99999999999999999999", false},  // 20 digits
        {"RUN#012", false},                   // leading zero: "RUN#12" is that entry
        {"RUN#0", false},
        {"RUN#", false},
        {"#5", false},
        {"R N#5", false},
        {"RUN#5x", false},
        {"RUN5", false},
        {"RUN#-5", false},
        {"RUN#5#6", false},
        {"", false},
    };
    for (const Case& c : cases) {
        std::optional<EntryIdentity> parsed = EntryIdentity::Parse(c.text);
        EXPECT_EQ(parsed.has_value(), c.valid) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->Text(), c.text);
        }
    }
    EXPECT_EQ(PositionOfIdentity("RUN#12"), "RUN");
    EXPECT_EQ(PositionOfIdentity(""), "");
}

TEST(EntryIdentity, NetworkJournalCarriesItInOneMoreFieldAndReadsItBack) {
    auto sections = std::make_unique<SectionTable>();
    sections->SetName(1234, "ALFA");
    for (LogMode mode : {LogMode::Qso, LogMode::Listening}) {
        ContestLog log(mode);
        if (mode == LogMode::Qso) {
            log.AppendFields(std::array<std::string_view, 9>{"12.06.2021", "1423", "14", "CW", "I1AAA", "599",
                                                             "579", "1234", "ALFA"},
                             "RUN#12");
            log.Append(Qso("12.06.2021", "1424", "I1BBB"));  // adopted later: no identity yet
        } else {
            log.AppendFields(std::array<std::string_view, 8>{"12.06.2021", "1423", "7", "SSB", "I1AAA", "59",
                                                             "1234", "I1BBB"},
                             "MULT#1718000000001");
            log.Append(HrdRecord{"12.06.2021", "1424", "7", "SSB", "I1CCC", "57", "1234", "I1DDD"});
        }
        std::string bytes = LogFileBytes(log, kStation);
        if (mode == LogMode::Qso) {
            EXPECT_NE(bytes.find("12.06.2021^1423^14^CW^I1AAA^599^0130^579^1234^RUN#12^\r\n"
                                 "12.06.2021^1424^14^CW^I1BBB^599^0130^579^1234^\r\n"),
                      std::string::npos);
        } else {
            EXPECT_NE(bytes.find("12.06.2021^1423^7^SSB^I1AAA^59^1234^I1BBB^MULT#1718000000001^\r\n"
                                 "12.06.2021^1424^7^SSB^I1CCC^57^1234^I1DDD^\r\n"),
                      std::string::npos);
        }
        ContestLog read;
        StationSummary station;
        ReadLogBytes(bytes, *sections, read, station);
        ASSERT_EQ(read.RowCount(), 2u);
        EXPECT_EQ(IdentitiesOf(read), IdentitiesOf(log));
        for (size_t row = 0; row < 2; ++row) {
            for (int column = 1; column <= 8; ++column) {
                EXPECT_EQ(read.Field(row, column), log.Field(row, column));
            }
        }
        EXPECT_EQ(LogFileBytes(read, kStation), bytes);
    }
}

TEST(EntryIdentity, SingleComputerLinesStayAsTheyWereAndStrayFieldsAreDropped) {
    auto sections = std::make_unique<SectionTable>();
    // What is not an identity after the entry's fields is ignored, as before, and is
    // not written back.
    const std::string header = LogHeaderBytes(LogMode::Qso, kStation);
    const std::string bytes = header +
                              "12.06.2021^1423^14^CW^I1AAA^599^0130^579^1234^RUN#012^\r\n"
                              "12.06.2021^1424^14^CW^I1BBB^599^0130^579^1234^nota^altro^\r\n"
                              "12.06.2021^1425^14^CW^I1CCC^599^0130^579^1234^\r\n";
    ContestLog log;
    StationSummary station;
    ReadLogBytes(bytes, *sections, log, station);
    ASSERT_EQ(log.RowCount(), 3u);
    EXPECT_EQ(IdentitiesOf(log), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(LogFileBytes(log, station), header +
                                              "12.06.2021^1423^14^CW^I1AAA^599^0130^579^1234^\r\n"
                                              "12.06.2021^1424^14^CW^I1BBB^599^0130^579^1234^\r\n"
                                              "12.06.2021^1425^14^CW^I1CCC^599^0130^579^1234^\r\n");
    EXPECT_EQ(EntryLine(log, 2, "0130"), QsoLine(log.Qso(2), "0130"));
}

namespace {
struct Recorder : ContestLogObserver {
    std::vector<std::string> calls;
    void BeforeAppend(size_t row) override { calls.push_back("before " + std::to_string(row)); }
    void AfterAppend(size_t row) override { calls.push_back("after " + std::to_string(row)); }
};
}  // namespace

TEST(EntryIdentity, FollowsItsRowThroughEditsInsertsSortsAndDeletions) {
    ContestLog log;
    log.AppendFields(std::array<std::string_view, 9>{"12.06.2021", "1500", "14", "CW", "I1AAA"}, "A#1");
    log.AppendFields(std::array<std::string_view, 9>{"12.06.2021", "1400", "14", "CW", "I1BBB"}, "B#1");
    log.Replace(0, Qso("12.06.2021", "1600", "I1AAA"));
    EXPECT_EQ(log.Identity(0), "A#1");
    EXPECT_EQ(log.Field(0, QsoCol::Time), "1600");

    Recorder recorder;
    log.AddObserver(&recorder);
    log.InsertFields(
        1, std::array<std::string_view, 9>{"12.06.2021", "1300", "7", "SSB", "I1CCC", "59", "59", "5678"},
        "C#7");
    log.RemoveObserver(&recorder);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"before 1", "after 1"}));
    EXPECT_EQ(IdentitiesOf(log), (std::vector<std::string>{"A#1", "C#7", "B#1"}));
    EXPECT_NE(log.Worked().Bits(5678, 0), 0) << "an inserted row is marked as worked";

    log.SortByDateTime();
    EXPECT_EQ(IdentitiesOf(log), (std::vector<std::string>{"C#7", "B#1", "A#1"}));
    log.RemoveRows({1});
    EXPECT_EQ(IdentitiesOf(log), (std::vector<std::string>{"C#7", "A#1"}));
    log.SetIdentity(1, "A#2");
    EXPECT_EQ(log.Identity(1), "A#2");
    EXPECT_EQ(log.Field(1, QsoCol::Callsign), "I1AAA");
    log.SetIdentity(1, "");
    EXPECT_EQ(EntryLine(log, 1, "0130"), QsoLine(log.Qso(1), "0130"));
}

TEST(EntryIdentity, ObserversFollowARowPutInAmongTheOthers) {
    // A shared log puts another position's row before this position's unconfirmed
    // ones: what follows the log must count it where it stands.
    ContestLog log;
    LiveScore live(log);
    CallsignRows rows(log);
    log.Append(Qso("12.06.2021", "1200", "I1AAA"));
    log.Append(QsoRecord{"12.06.2021", "1201", "7", "SSB", "I1BBB", "59", "59", "5678", ""});
    ASSERT_EQ(live.ClaimedScore(), ComputeScore(log).claimedScore);  // counted before the insert
    log.InsertFields(
        1, std::array<std::string_view, 9>{"12.06.2021", "1202", "21", "CW", "I1CCC", "599", "599", "9999"},
        "B#1");
    EXPECT_EQ(live.Table(), ComputeScore(log).table);
    EXPECT_EQ(rows.RowsOf("I1CCC"), (std::vector<uint32_t>{1}));
    EXPECT_EQ(rows.RowsOf("I1BBB"), (std::vector<uint32_t>{2}));
    log.Replace(2, Qso("12.06.2021", "1201", "I1BBB"));
    EXPECT_EQ(live.Table(), ComputeScore(log).table);
}
