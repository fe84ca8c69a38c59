#include <gtest/gtest.h>

#include "ExportTestLogs.h"
#include "export/FastlogExport.h"

using namespace tarnex;
using tarnex::testing::MakeListening;
using tarnex::testing::MakeQso;

namespace {

std::string LineOf(const QsoRecord& record) {
    ContestLog log(LogMode::Qso);
    log.Append(record);
    return FastlogLine(log, 0);
}

}  // namespace

TEST(FastlogLine, FixedColumnsForEveryBandAndMode) {
    struct Case {
        QsoRecord record;
        const char* line;
    } cases[] = {
        {MakeQso("03.04.2005", "1432", "7", "SSB", "HISCALL", "59", "59", "1201"),
         "03.04.05 1432 7     SSB    HISCALL    59     59     ------ SEZ 1201     --\r\n"},
        {MakeQso("03.04.2005", "0005", "1,8", "CW", "HISCALL", "599", "579", "1201"),
         "03.04.05 0005 1.8   CW     HISCALL    599    579    ------ SEZ 1201     --\r\n"},
        {MakeQso("03.04.2005", "0005", "3,5", "CW", "HISCALL", "599", "579", "1201"),
         "03.04.05 0005 3.5   CW     HISCALL    599    579    ------ SEZ 1201     --\r\n"},
        {MakeQso("03.04.2005", "1000", "28", "SSB", "HISCALL", "59", "59", "1201"),
         "03.04.05 1000 28    SSB    HISCALL    59     59     ------ SEZ 1201     --\r\n"},
        {MakeQso("03.04.2005", "1000", "14", "RTTY", "HISCALL", "599", "599", "1201"),
         "03.04.05 1000 14    RTTY   HISCALL    599    599    ------ SEZ 1201     --\r\n"},
        {MakeQso("31.12.2005", "2359", "21", "CW", "IZ2AAA/P", "599", "599", "0001"),
         "31.12.05 2359 21    CW     IZ2AAA/P   599    599    ------ SEZ 0001     --\r\n"},
        // Ten characters fill the callsign column; twelve are cut to ten.
        {MakeQso("03.04.2005", "1432", "7", "SSB", "ABCDEFGHIJ", "59", "59", "1201"),
         "03.04.05 1432 7     SSB    ABCDEFGHIJ 59     59     ------ SEZ 1201     --\r\n"},
        {MakeQso("03.04.2005", "1432", "7", "SSB", "ABCDEFGHIJKL", "59", "59", "1201"),
         "03.04.05 1432 7     SSB    ABCDEFGHIJ 59     59     ------ SEZ 1201     --\r\n"},
        // A time read as HH:MM keeps HHMM.
        {MakeQso("03.04.2005", "14:32", "7", "SSB", "HISCALL", "59", "59", "1201"),
         "03.04.05 1432 7     SSB    HISCALL    59     59     ------ SEZ 1201     --\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LineOf(c.record), c.line) << c.record.callsign << " " << c.record.band;
    }
}

TEST(FastlogLine, DamagedFieldsNeverShiftTheColumns) {
    // Fields of a damaged file, too long or too short for their columns, keep every
    // later column in place.
    const std::string reference =
        LineOf(MakeQso("03.04.2005", "1432", "7", "SSB", "HISCALL", "59", "59", "1201"));
    QsoRecord damaged[] = {
        MakeQso("3.4.05", "905", "1,8,3", "RTTYXYZ", "A", "5999999", "5", "12"),
        MakeQso("", "", "", "", "", "", "", ""),
        MakeQso("03.04.2005", "1432", "145000", "SSB", "HISCALL", "00000000059", "59", "123456"),
    };
    for (const QsoRecord& record : damaged) {
        std::string line = LineOf(record);
        EXPECT_EQ(line.size(), reference.size()) << line;
        EXPECT_EQ(line.find("------ SEZ "), reference.find("------ SEZ ")) << line;
        EXPECT_TRUE(line.ends_with("     --\r\n")) << line;
    }
    EXPECT_EQ(LineOf(damaged[0]),
              "3.4.0505 9005 1.8,3 RTTYXY A          599999 5      ------ SEZ 12       --\r\n");
}

TEST(FastlogExport, WholeFileAndListeningMode) {
    ContestLog qso(LogMode::Qso);
    ASSERT_TRUE(ExportFastlog(qso).has_value());
    EXPECT_EQ(*ExportFastlog(qso), "");  // an empty log gives an empty file
    qso.Append(MakeQso("03.04.2005", "1432", "7", "SSB", "B", "59", "59", "1201"));
    qso.Append(MakeQso("02.04.2005", "1000", "14", "CW", "A", "599", "599", "1201"));
    EXPECT_EQ(*ExportFastlog(qso), FastlogLine(qso, 0) + FastlogLine(qso, 1));

    ContestLog listening(LogMode::Listening);
    listening.Append(MakeListening("03.04.2005", "1500", "14", "RTTY", "CALLER", "599", "0101", "ANSWER"));
    EXPECT_FALSE(ExportFastlog(listening).has_value());
}
