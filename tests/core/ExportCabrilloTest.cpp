#include <gtest/gtest.h>

#include "ExportTestLogs.h"
#include "export/CabrilloExport.h"
#include "export/ListeningBandOrder.h"

using namespace tarnex;
using tarnex::testing::ExampleStation;
using tarnex::testing::MakeListening;
using tarnex::testing::MakeQso;

namespace {

std::string QsoLineOf(const QsoRecord& record, const StationSummary& station = ExampleStation()) {
    ContestLog log(LogMode::Qso);
    log.Append(record);
    return CabrilloQsoLine(log, 0, station);
}

std::string ListeningLineOf(const HrdRecord& record) {
    ContestLog log(LogMode::Listening);
    log.Append(record);
    return CabrilloQsoLine(log, 0, ExampleStation());
}

// The QSO lines of a whole export, in the order written.
std::vector<std::string> QsoLines(const std::string& file) {
    std::vector<std::string> lines;
    size_t at = 0;
    while ((at = file.find("QSO: ", at)) != std::string::npos) {
        size_t end = file.find("\r\n", at);
        lines.push_back(file.substr(at, end - at));
        at = end;
    }
    return lines;
}

}  // namespace

TEST(CabrilloQsoLine, QsoModeLinesHaveTheExactColumns) {
    struct Case {
        QsoRecord record;
        const char* line;
    } cases[] = {
        {MakeQso("03.04.2005", "1432", "7", "SSB", "HISCALL", "59", "59", "1201"),
         "QSO:  7000 PH 2005-04-03 1432 MYCALL        59  0501   HISCALL       59  1201  \r\n"},
        {MakeQso("03.04.2005", "0005", "1,8", "CW", "HISCALL", "599", "579", "1201"),
         "QSO:  1800 CW 2005-04-03 0005 MYCALL        599 0501   HISCALL       579 1201  \r\n"},
        {MakeQso("03.04.2005", "1500", "21", "RTTY", "HISCALL", "599", "599", "1201"),
         "QSO: 21000 RY 2005-04-03 1500 MYCALL        599 0501   HISCALL       599 1201  \r\n"},
        {MakeQso("31.12.2005", "2359", "3,5", "SSB", "IZ2AAA/P", "57", "55", "0001"),
         "QSO:  3500 PH 2005-12-31 2359 MYCALL        57  0501   IZ2AAA/P      55  0001  \r\n"},
        {MakeQso("01.01.2006", "0000", "14", "CW", "I1A", "599", "599", "9999"),
         "QSO: 14000 CW 2006-01-01 0000 MYCALL        599 0501   I1A           599 9999  \r\n"},
        {MakeQso("01.01.2006", "0000", "28", "SSB", "I1A", "59", "59", "9999"),
         "QSO: 28000 PH 2006-01-01 0000 MYCALL        59  0501   I1A           59  9999  \r\n"},
        // A received callsign of 14 characters fills its column; the report follows it.
        {MakeQso("01.01.2006", "0000", "28", "SSB", "ABCDEFGHIJKLMN", "59", "59", "9999"),
         "QSO: 28000 PH 2006-01-01 0000 MYCALL        59  0501   ABCDEFGHIJKLMN59  9999  \r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QsoLineOf(c.record), c.line) << c.record.callsign << " " << c.record.band;
    }
}

TEST(CabrilloQsoLine, OwnCallsignFillsOrPushesItsColumn) {
    QsoRecord record = MakeQso("03.04.2005", "1432", "7", "SSB", "HISCALL", "59", "59", "1201");
    struct Case {
        const char* ownCall;
        const char* line;
    } cases[] = {
        {"ABCDEFGHIJKLMN",
         "QSO:  7000 PH 2005-04-03 1432 ABCDEFGHIJKLMN59  0501   HISCALL       59  1201  \r\n"},
        {"ABCDEFGHIJKLMNOP",
         "QSO:  7000 PH 2005-04-03 1432 ABCDEFGHIJKLMNOP59  0501   HISCALL       59  1201  \r\n"},
        {"", "QSO:  7000 PH 2005-04-03 1432               59  0501   HISCALL       59  1201  \r\n"},
    };
    for (const Case& c : cases) {
        StationSummary station = ExampleStation();
        station.callsign = c.ownCall;
        EXPECT_EQ(QsoLineOf(record, station), c.line) << c.ownCall;
    }
}

TEST(CabrilloQsoLine, ListeningLinesStopAfterTheAnsweringCallsign) {
    struct Case {
        HrdRecord record;
        const char* line;
    } cases[] = {
        {MakeListening("03.04.2005", "1500", "14", "RTTY", "CALLER", "599", "0101", "ANSWER"),
         "QSO: 14000 RY 2005-04-03 1500 CALLER        599 0101   ANSWER        \r\n"},
        {MakeListening("03.04.2005", "1500", "7", "SSB", "CALLER", "59", "0101", "ANSWER"),
         "QSO:  7000 PH 2005-04-03 1500 CALLER        59  0101   ANSWER        \r\n"},
        {MakeListening("03.04.2005", "1500", "1,8", "CW", "CALLER", "599", "0101", "ABCDEFGHIJKLMNOP"),
         "QSO:  1800 CW 2005-04-03 1500 CALLER        599 0101   ABCDEFGHIJKLMNOP\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ListeningLineOf(c.record), c.line) << c.record.callingCall;
    }
}

TEST(CabrilloQsoLine, DamagedFieldsFromAFileDoNotCrash) {
    // A line of a damaged log file: every field empty.
    EXPECT_EQ(QsoLineOf(QsoRecord{}), "QSO: 000 RY -- " + std::string(" ") + "MYCALL        " + "    " +
                                          "0501   " + std::string(14, ' ') + "    " + "      \r\n");
    EXPECT_EQ(
        QsoLineOf(MakeQso("3.4.2005", "905", "10", "FM", "X", "5", "5", "1")),
        "QSO: 10000 RY 05-.2-3. 905 MYCALL        5   0501   X" + std::string(13, ' ') + "5   1     \r\n");
}

TEST(CabrilloHeader, HoldsTheStationDataAndSkipsEmptyAddressAndCommentLines) {
    SectionTable sections;
    sections.SetName(501, "ALFA");
    StationSummary station = ExampleStation();
    station.address1 = "Via Roma 1";
    station.address3 = "00100 Roma";
    station.comment2 = "Bel contest";
    station.comment3 = "73";
    ContestLog log(LogMode::Qso);
    EXPECT_EQ(ExportCabrillo(log, station, sections, 33660),
              "START-OF-LOG: 2.0\r\n"
              "CREATED-BY: TARNEX v1.41\r\n"
              "CONTEST: SEZIONI\r\n"
              "CALLSIGN: MYCALL\r\n"
              "CATEGORY: SINGLE-OP CW\r\n"
              "OPERATORS: \r\n"
              "CLUB: 0501 ALFA\r\n"
              "CLAIMED-SCORE: 33660\r\n"
              "NAME: Mario Rossi\r\n"
              "ADDRESS: Via Roma 1\r\n"
              "ADDRESS: 00100 Roma\r\n"
              "SOAPBOX: Sezione 0501 - ALFA\r\n"
              "SOAPBOX: Bel contest\r\n"
              "SOAPBOX: 73\r\n"
              "END-OF-LOG: \r\n");
}

TEST(CabrilloHeader, EmptyStationAndUnknownSectionGiveEmptyValues) {
    SectionTable sections;
    sections.SetName(501, "ALFA");
    struct Case {
        const char* ownSection;
        const char* club;
        const char* soapbox;
    } cases[] = {
        {"1201", "CLUB: 1201 \r\n", "SOAPBOX: Sezione 1201 - \r\n"},
        {"", "CLUB:  \r\n", "SOAPBOX: Sezione  - \r\n"},
        // Outside 0..9999: no name, never an index.
        {"50001", "CLUB: 50001 \r\n", "SOAPBOX: Sezione 50001 - \r\n"},
        {"0501", "CLUB: 0501 ALFA\r\n", "SOAPBOX: Sezione 0501 - ALFA\r\n"},
    };
    for (const Case& c : cases) {
        StationSummary station;
        station.ownSection = c.ownSection;
        std::string file = ExportCabrillo(ContestLog(LogMode::Qso), station, sections, 0);
        EXPECT_NE(file.find("\r\nCALLSIGN: \r\nCATEGORY: \r\nOPERATORS: \r\n"), std::string::npos);
        EXPECT_NE(file.find(std::string("\r\n") + c.club + "CLAIMED-SCORE: 0\r\nNAME: \r\n" + c.soapbox +
                            "END-OF-LOG: \r\n"),
                  std::string::npos)
            << c.ownSection;
        EXPECT_EQ(file.find("ADDRESS"), std::string::npos);
    }
}

TEST(CabrilloHeader, ClaimedScoreBeyond32BitsIsWrittenWhole) {
    std::string file =
        ExportCabrillo(ContestLog(LogMode::Qso), ExampleStation(), SectionTable(), 5000000000LL);
    EXPECT_NE(file.find("\r\nCLAIMED-SCORE: 5000000000\r\n"), std::string::npos);
}

TEST(CabrilloExport, WritesEveryEntryInLogOrderThenTheEnd) {
    ContestLog log(LogMode::Qso);
    log.Append(MakeQso("03.04.2005", "1432", "7", "SSB", "B", "59", "59", "1201"));
    log.Append(MakeQso("02.04.2005", "1000", "14", "CW", "A", "599", "599", "1201"));
    std::string file = ExportCabrillo(log, ExampleStation(), SectionTable(), 0, CabrilloOptions{true});
    std::vector<std::string> lines = QsoLines(file);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(" B "), std::string::npos);  // the option does nothing in QSO mode
    EXPECT_NE(lines[1].find(" A "), std::string::npos);
    EXPECT_TRUE(file.ends_with("599 1201  \r\nEND-OF-LOG: \r\n"));
}

// A listening log of entries on 14, 7 and 14 MHz.
class CabrilloListeningOrder : public ::testing::Test {
  protected:
    void SetUp() override {
        log.Append(MakeListening("03.04.2005", "1500", "14", "CW", "FIRST", "599", "0101", "X"));
        log.Append(MakeListening("03.04.2005", "1600", "7", "CW", "SECOND", "599", "0101", "X"));
        log.Append(MakeListening("03.04.2005", "1400", "14", "CW", "THIRD", "599", "0101", "X"));
    }
    std::vector<std::string> CallersWritten(bool byBand) {
        std::vector<std::string> callers;
        for (const std::string& line :
             QsoLines(ExportCabrillo(log, ExampleStation(), SectionTable(), 0, {byBand}))) {
            callers.push_back(line.substr(30, line.find(' ', 30) - 30));
        }
        return callers;
    }
    ContestLog log{LogMode::Listening};
};

TEST_F(CabrilloListeningOrder, OptionOnWritesBandThenDateAndTime) {
    EXPECT_EQ(CallersWritten(true), (std::vector<std::string>{"SECOND", "THIRD", "FIRST"}));
    EXPECT_EQ(log.Listening(0).callingCall, "FIRST");  // the export itself leaves the log alone
}

TEST_F(CabrilloListeningOrder, OptionOffWritesLogOrder) {
    EXPECT_EQ(CallersWritten(false), (std::vector<std::string>{"FIRST", "SECOND", "THIRD"}));
}

TEST_F(CabrilloListeningOrder, WindowOrderingThenSortRestoresDateAndTime) {
    ASSERT_TRUE(UsesListeningBandOrder(log, {true}));
    ApplyListeningBandOrder(log);
    EXPECT_EQ(log.Listening(0).callingCall, "SECOND");
    EXPECT_EQ(log.Listening(1).callingCall, "THIRD");
    EXPECT_EQ(log.Listening(2).callingCall, "FIRST");
    // Writing the ordered log gives the same lines as ordering while writing.
    EXPECT_EQ(CallersWritten(true), (std::vector<std::string>{"SECOND", "THIRD", "FIRST"}));
    log.SortByDateTime();
    EXPECT_EQ(log.Listening(0).callingCall, "THIRD");
    EXPECT_EQ(log.Listening(1).callingCall, "FIRST");
    EXPECT_EQ(log.Listening(2).callingCall, "SECOND");
}

TEST(ListeningBandOrder, AppliesOnlyToListeningLogsOfMoreThanOneEntryWithTheOption) {
    ContestLog listening(LogMode::Listening);
    listening.Append(MakeListening("03.04.2005", "1500", "14", "CW", "A", "599", "0101", "X"));
    EXPECT_FALSE(UsesListeningBandOrder(listening, {true}));  // one entry
    listening.Append(MakeListening("03.04.2005", "1500", "7", "CW", "B", "599", "0101", "X"));
    EXPECT_TRUE(UsesListeningBandOrder(listening, {true}));
    EXPECT_FALSE(UsesListeningBandOrder(listening, {false}));
    ContestLog qso(LogMode::Qso);
    qso.Append(MakeQso("03.04.2005", "1432", "7", "SSB", "B", "59", "59", "1201"));
    qso.Append(MakeQso("03.04.2005", "1432", "14", "SSB", "B", "59", "59", "1201"));
    EXPECT_FALSE(UsesListeningBandOrder(qso, {true}));
}

TEST(ListeningBandOrder, KeysAndOrderCoverYearsTiesAndDamagedBands) {
    ContestLog log(LogMode::Listening);
    log.Append(MakeListening("01.01.2006", "0000", "28", "CW", "R0", "599", "0101", "X"));
    log.Append(MakeListening("31.12.2005", "2359", "28", "CW", "R1", "599", "0101", "X"));
    log.Append(MakeListening("03.04.2005", "1500", "50", "CW", "R2", "599", "0101", "X"));  // no band
    log.Append(MakeListening("03.04.2005", "1500", "1,8", "CW", "R3", "599", "0101", "X"));
    log.Append(MakeListening("03.04.2005", "1500", "1,8", "SSB", "R4", "59", "0101", "X"));  // same key as R3
    log.Append(MakeListening("03.04.2005", "900", "1,8", "SSB", "R5", "59", "0101", "X"));  // " 900" < "1500"
    log.Append(MakeListening("", "", "", "", "R6", "", "", ""));  // empty line of a file
    EXPECT_EQ(ListeningBandKey(log, 0),
              "520060101"
              "0000");
    EXPECT_EQ(ListeningBandKey(log, 2),
              "920050403"
              "1500");
    EXPECT_EQ(ListeningBandKey(log, 5),
              "020050403"
              " 900");
    EXPECT_EQ(ListeningBandKey(log, 6), "9" + std::string(12, ' '));
    EXPECT_EQ(ListeningBandOrder(log), (std::vector<size_t>{5, 3, 4, 1, 0, 6, 2}));
}

TEST(ListeningBandOrder, EqualKeysKeepLogOrderPastRow99999) {
    // Numbers of five and six digits: the order of equal keys is the log order.
    ContestLog log(LogMode::Listening);
    for (int i = 0; i < 100002; ++i) {
        log.Append(MakeListening("03.04.2005", "1500", "14", "CW", "CALLER", "599", "0101", "X"));
    }
    log.Append(MakeListening("03.04.2005", "1500", "7", "CW", "SEVEN", "599", "0101", "X"));
    std::vector<size_t> order = ListeningBandOrder(log);
    ASSERT_EQ(order.size(), 100003u);
    EXPECT_EQ(order[0], 100002u);
    for (size_t i = 1; i < order.size(); ++i) {
        ASSERT_EQ(order[i], i - 1) << i;
    }
}
