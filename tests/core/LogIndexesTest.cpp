#include <gtest/gtest.h>

#include "log/BandMode.h"
#include "log/ContestLog.h"

using namespace tarnex;

namespace {

QsoRecord Qso(const char* band, const char* mode, const char* call, const char* section) {
    return {"12.03.2005", "1423", band, mode, call, "599", "579", section, ""};
}

HrdRecord Listening(const char* band, const char* mode, const char* calling, const char* section,
                    const char* answering) {
    return {"12.03.2005", "1423", band, mode, calling, "59", section, answering};
}

}  // namespace

TEST(LogRecords, EmptyLogAndFirstRowNumber) {
    ContestLog log;
    EXPECT_EQ(log.RowCount(), 0u);
    EXPECT_TRUE(log.Worked().IsEmpty());
    log.Append(Qso("14", "CW", "ZZ9AAA", "1234"));
    EXPECT_EQ(log.Text(0, QsoCol::Number), "    1");
    EXPECT_EQ(log.Text(0, QsoCol::Callsign), "ZZ9AAA");
    EXPECT_EQ(log.ColumnCount(), 10);
    for (int i = 1; i < 100000; ++i) {
        log.AppendWithoutIndexes(Qso("14", "CW", "ZZ9AAA", "1234"));
    }
    EXPECT_EQ(log.Text(99998, 0), "99999");
    EXPECT_EQ(log.Text(99999, 0), "100000");
}

TEST(LogWorkedSections, MarksSectionModeAndBandOfEveryDecodableEntry) {
    struct Case {
        const char* name;
        QsoRecord record;
        int32_t code;  // -1: nothing may be marked
        int mode;
        uint8_t bits;
    } cases[] = {
        {"14 CW", Qso("14", "CW", "A", "1234"), 1234, 1, 8},
        {"1,8 SSB", Qso("1,8", "SSB", "A", "0001"), 1, 0, 1},
        {"28 RTTY", Qso("28", "RTTY", "A", "9999"), 9999, 2, 32},
        {"10 reads as 1,8", Qso("10", "SSB", "A", "0007"), 7, 0, 1},
        {"section 0000", Qso("7", "CW", "A", "0000"), 0, 1, 4},
        {"empty section counts as 0", Qso("7", "CW", "A", ""), 0, 1, 4},
        {"empty band: untouched", Qso("", "CW", "A", "1234"), -1, 0, 0},
        {"unknown band: untouched", Qso("50", "CW", "A", "1234"), -1, 0, 0},
        {"lower-case mode: untouched", Qso("14", "cw", "A", "1234"), -1, 0, 0},
        {"five-digit section: not used", Qso("14", "CW", "A", "12345"), -1, 0, 0},
        {"negative section: not used", Qso("14", "CW", "A", "-1"), -1, 0, 0},
        {"huge section: not used", Qso("14", "CW", "A", "99999999999999"), -1, 0, 0},
    };
    for (const Case& c : cases) {
        ContestLog log;
        log.Append(c.record);
        EXPECT_EQ(log.RowCount(), 1u) << c.name;
        if (c.code < 0) {
            EXPECT_TRUE(log.Worked().IsEmpty()) << c.name;
            continue;
        }
        for (int mode = 0; mode < 3; ++mode) {
            EXPECT_EQ(log.Worked().Bits(c.code, mode), mode == c.mode ? c.bits : 0) << c.name;
        }
    }
}

TEST(LogWorkedSections, ListeningModeMarksTheCallingSection) {
    ContestLog log(LogMode::Listening);
    log.Append(Listening("21", "SSB", "IK1AAA", "0130", "IK2BBB"));
    log.Append(Listening("3,5", "SSB", "IK3CCC", "0130", "IK1AAA"));
    EXPECT_EQ(log.Worked().Bits(130, 0), 16 | 2);
    EXPECT_EQ(log.Worked().Bits(0, 0), 0);
    EXPECT_TRUE(log.Calls().Find("IK1AAA") != nullptr);
}

TEST(LogCallIndex, CountsAnswersUpToThreeAndKeepsCallingBands) {
    ContestLog log(LogMode::Listening);
    for (int i = 0; i < 4; ++i) {
        log.Append(Listening("14", "CW", "IK1AAA", "0001", "ZZ9AAA"));
    }
    log.Append(Listening("7", "SSB", "ZZ9AAA", "0002", "IK1AAA"));
    const CallIndexEntry* answered = log.Calls().Find("ZZ9AAA");
    ASSERT_NE(answered, nullptr);
    EXPECT_EQ(answered->AnswerCount(3, 1), 3);
    EXPECT_EQ(answered->AnswerCount(3, 0), 0);
    EXPECT_EQ(answered->AnswerCount(2, 1), 0);
    EXPECT_TRUE(answered->HeardCalling(2, 0));
    // First heard answering (section 0), later calling: it takes that section.
    EXPECT_EQ(answered->section, 2);

    const CallIndexEntry* calling = log.Calls().Find("IK1AAA");
    ASSERT_NE(calling, nullptr);
    EXPECT_TRUE(calling->HeardCalling(3, 1));
    EXPECT_FALSE(calling->HeardCalling(3, 0));
    EXPECT_EQ(calling->AnswerCount(2, 0), 1);

    log.RebuildIndexes();
    EXPECT_EQ(log.Calls().Find("ZZ9AAA")->AnswerCount(3, 1), 3);
}

TEST(LogCallIndex, FirstSectionStaysOnLoadLastOnRebuild) {
    ContestLog log(LogMode::Listening);
    log.Append(Listening("14", "CW", "IK1AAA", "1234", "IK2BBB"));
    log.Append(Listening("14", "CW", "IK1AAA", "5678", "IK2BBB"));
    EXPECT_EQ(log.Calls().Find("IK1AAA")->section, 1234);
    EXPECT_EQ(log.Calls().Find("IK2BBB")->section, 0);
    log.RebuildIndexes();
    EXPECT_EQ(log.Calls().Find("IK1AAA")->section, 5678);
    EXPECT_EQ(log.Calls().Find("IK2BBB")->section, 0);
}

TEST(LogCallIndex, CaseSensitiveAndSortedByteWise) {
    ContestLog log(LogMode::Listening);
    log.Append(Listening("14", "CW", "zz9aaa", "0001", "ZZ9AAA"));
    log.Append(Listening("14", "CW", "IK1AAA", "0001",
                         "\xc0"
                         "BC"));
    log.Append(Listening("", "CW", "NOTINDEXED", "0001", "NEITHER"));
    EXPECT_EQ(log.Calls().Size(), 4u);
    EXPECT_NE(log.Calls().Find("zz9aaa"), nullptr);
    EXPECT_NE(log.Calls().Find("ZZ9AAA"), nullptr);
    EXPECT_EQ(log.Calls().Find("Zz9aaa"), nullptr);
    EXPECT_EQ(log.Calls().Find("NOTINDEXED"), nullptr);
    std::vector<std::string> order;
    log.Calls().ForEach([&](const CallIndexEntry& e) { order.emplace_back(e.callsign); });
    EXPECT_EQ(order, (std::vector<std::string>{"IK1AAA", "ZZ9AAA", "zz9aaa",
                                               "\xc0"
                                               "BC"}));
}

TEST(LogIndexes, ClearModeSwitchAndRebuildAfterEdit) {
    ContestLog log;
    log.Append(Qso("14", "CW", "A", "1234"));
    log.Append(Qso("21", "SSB", "B", "0001"));
    log.Replace(0, Qso("7", "CW", "A", "1234"));
    // The replace alone does not touch the indexes; the rebuild does.
    EXPECT_EQ(log.Worked().Bits(1234, 1), 8);
    log.RebuildIndexes();
    EXPECT_EQ(log.Worked().Bits(1234, 1), 4);
    EXPECT_EQ(log.Worked().Bits(1, 0), 16);
    log.Clear();
    EXPECT_EQ(log.RowCount(), 0u);
    EXPECT_TRUE(log.Worked().IsEmpty());

    log.Append(Qso("14", "CW", "A", "1234"));
    log.SetMode(LogMode::Listening);
    EXPECT_EQ(log.RowCount(), 0u);
    EXPECT_TRUE(log.Worked().IsEmpty());
    EXPECT_EQ(log.ColumnCount(), 9);
    log.Append(Listening("14", "CW", "A", "1", "B"));
    log.SetMode(LogMode::Listening);
    EXPECT_EQ(log.RowCount(), 0u);
    EXPECT_TRUE(log.Calls().Empty());
}
