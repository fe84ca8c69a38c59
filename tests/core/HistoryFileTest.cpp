// The call history file: what a line must hold to be taken, the columns an
// "!!Order!!" line names, the bytes written, and the merge of what is read by the
// newest contact per callsign.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "ScratchFolder.h"
#include "history/CallHistory.h"
#include "history/HistoryFile.h"
#include "history/HistorySources.h"

using namespace tarnex;
using tarnex::testing::FaultHookGuard;
using tarnex::testing::ScratchFolder;

namespace {

UtcMinute Minute(const char* date, const char* time) {
    return EntryMinute(date, time).value();
}

const std::string kHeader = "!!Order!!,Call,Sect,LastQsoUtc\r\n";

}  // namespace

TEST(HistoryFileLine, TakesACallsignAndAFourDigitSectionAndCountsEveryOtherLineAsDamaged) {
    struct Case {
        std::string line;
        bool taken;
        std::string call;
        int section;
        UtcMinute lastQso;
    } cases[] = {
        {"I1ABC,1234", true, "I1ABC", 1234, kUnknownMinute},
        {"i1abc,0130", true, "I1ABC", 130, kUnknownMinute},
        {"  IZ2XYZ , 0130 ", true, "IZ2XYZ", 130, kUnknownMinute},
        {"\"IZ2XYZ\",\"0000\"", true, "IZ2XYZ", 0, kUnknownMinute},
        {"IZ2XYZ/P,9999,2023-06-10 14:23", true, "IZ2XYZ/P", 9999, Minute("10.06.2023", "1423")},
        {"IZ2XYZ,1234,2023-06-10", true, "IZ2XYZ", 1234, Minute("10.06.2023", "0000")},
        // A time that is none leaves the time unknown; the station is still taken.
        {"IZ2XYZ,1234,2023-02-30 14:23", true, "IZ2XYZ", 1234, kUnknownMinute},
        {"IZ2XYZ,1234,ieri", true, "IZ2XYZ", 1234, kUnknownMinute},
        {"IZ2XYZ,1234,,notes,more", true, "IZ2XYZ", 1234, kUnknownMinute},
        {"IZ2XYZ", false, "", 0, 0},
        {"IZ2XYZ 1234", false, "", 0, 0},
        {"IZ2XYZ,12345", false, "", 0, 0},
        {"IZ2XYZ,123", false, "", 0, 0},
        {"IZ2XYZ,12a4", false, "", 0, 0},
        {"IZ2XYZ,", false, "", 0, 0},
        {",1234", false, "", 0, 0},
        {"IZ\xe8"
         "2XYZ,1234",
         false, "", 0, 0},
        {"IZ2\xff,1234", false, "", 0, 0},
        {"IZ2-XY,1234", false, "", 0, 0},
        {"IZ,1234", false, "", 0, 0},
        {"IZ2ABCDEFGHIJK,1234", true, "IZ2ABCDEFGHIJK", 1234, kUnknownMinute},  // 14 characters
        {"IZ2ABCDEFGHIJKL,1234", false, "", 0, 0},                              // 15
        {"IZ2XYZ,1234," + std::string(288, 'x'), false, "", 0, 0},              // 300 characters
        {"IZ2XYZ,1234,," + std::string(kHistoryLineLimit - 13, 'x'), true, "IZ2XYZ", 1234, kUnknownMinute},
        {"IZ2XYZ,1234,," + std::string(kHistoryLineLimit - 12, 'x'), false, "", 0, 0},
    };
    for (const Case& c : cases) {
        // The line between two good ones: a damaged line never takes its neighbours along.
        HistoryFileContent content =
            ReadHistoryBytes(kHeader + "I1AAA,0001\r\n" + c.line + "\r\nI1ZZZ,0002\r\n");
        ASSERT_EQ(content.records.size(), c.taken ? 3u : 2u) << c.line;
        EXPECT_EQ(content.damagedLines, c.taken ? 0u : 1u) << c.line;
        EXPECT_EQ(content.records.front().call, "I1AAA") << c.line;
        EXPECT_EQ(content.records.back().call, "I1ZZZ") << c.line;
        if (c.taken) {
            EXPECT_EQ(content.records[1], (HistoryRecord{c.call, static_cast<int16_t>(c.section), c.lastQso}))
                << c.line;
        }
    }
}

TEST(HistoryFileLine, CommentsBlankLinesAndLineEndsAreNoDamage) {
    const std::string bytes =
        "\xEF\xBB\xBF# storico di prova\r\n"
        "!!Order!!,Call,Sect\n"
        "# a comment\r\n"
        "\r\n"
        "   \n"
        "  # an indented comment\n"
        "I1ABC,0101\r\r\n"
        "I1ABD,0102";  // the last line has no line end
    HistoryFileContent content = ReadHistoryBytes(bytes);
    EXPECT_TRUE(content.hasHeader);
    EXPECT_EQ(content.damagedLines, 0u);
    ASSERT_EQ(content.records.size(), 2u);
    EXPECT_EQ(content.records[0].call, "I1ABC");
    EXPECT_EQ(content.records[1].call, "I1ABD");
    EXPECT_EQ(content.records[1].section, 102);
}

TEST(HistoryFileColumns, OtherLoggersOrderIsFollowedAndTheirColumnsAreNamed) {
    struct Case {
        const char* bytes;
        bool hasColumns;
        std::vector<std::string> other;
        std::vector<std::tuple<std::string, int, UtcMinute>> records;
        size_t damaged;
    } cases[] = {
        {"!!Order!!,Name,Call,Loc1,Sect\r\nMario,IZ2XYZ,JN45,1234\r\nLuigi,IZ2ABC\r\n",
         true,
         {"Name", "Loc1"},
         {{"IZ2XYZ", 1234, kUnknownMinute}},
         1},
        {"!!ORDER!!,call,SECT,lastqsoutc\r\nIZ2XYZ,1234,2020-01-02 03:04\r\n",
         true,
         {},
         {{"IZ2XYZ", 1234, Minute("02.01.2020", "0304")}},
         0},
        // Without an "!!Order!!" line the values are callsign and section.
        {"IZ2XYZ,1234\r\nIZ2ABC,0001,x\r\n",
         true,
         {},
         {{"IZ2XYZ", 1234, kUnknownMinute}, {"IZ2ABC", 1, kUnknownMinute}},
         0},
        // A history of another contest: no section column, nothing to take.
        {"!!Order!!,Call,Name\r\nIZ2XYZ,Mario\r\nIZ2ABC,Luigi\r\n", false, {"Name"}, {}, 2},
    };
    for (const Case& c : cases) {
        HistoryFileContent content = ReadHistoryBytes(c.bytes);
        EXPECT_EQ(content.hasColumns, c.hasColumns) << c.bytes;
        EXPECT_EQ(content.otherColumns, c.other) << c.bytes;
        EXPECT_EQ(content.damagedLines, c.damaged) << c.bytes;
        ASSERT_EQ(content.records.size(), c.records.size()) << c.bytes;
        for (size_t i = 0; i < c.records.size(); ++i) {
            auto [call, section, lastQso] = c.records[i];
            EXPECT_EQ(content.records[i], (HistoryRecord{call, static_cast<int16_t>(section), lastQso}))
                << c.bytes;
        }
        EXPECT_EQ(StationsFromHistory(c.bytes).usable, c.hasColumns) << c.bytes;
    }
}

TEST(HistoryFileWrite, WritesTheHeaderAndOneCrLfLinePerStationInCallsignOrder) {
    CallHistory history;
    history.Merge({{"IZ2XYZ", 130, Minute("10.06.2023", "1423")},
                   {"I1ABC", 1, kUnknownMinute},
                   {"IK0AAA/P", 9999, Minute("31.12.1999", "2359")}});
    EXPECT_EQ(HistoryFileBytes(history),
              "!!Order!!,Call,Sect,LastQsoUtc\r\n"
              "I1ABC,0001\r\n"
              "IK0AAA/P,9999,1999-12-31 23:59\r\n"
              "IZ2XYZ,0130,2023-06-10 14:23\r\n");
    EXPECT_EQ(HistoryFileBytes(CallHistory()), "!!Order!!,Call,Sect,LastQsoUtc\r\n");
}

TEST(HistoryFileWrite, AnyHistoryReadsBackAsWritten) {
    std::mt19937 random(7);
    const std::string characters = "ABIKZ0129/";
    for (int round = 0; round < 20; ++round) {
        std::vector<HistoryRecord> offers;
        for (int i = 0; i < 300; ++i) {
            std::string call = "I";
            for (size_t n = 2 + random() % 5; n > 0; --n) {
                call += characters[random() % characters.size()];
            }
            UtcMinute minute = random() % 4 == 0 ? kUnknownMinute
                                                 : static_cast<UtcMinute>(random() % 60'000'000);  // to 2084
            offers.push_back({call, static_cast<int16_t>(random() % 10000), minute});
        }
        CallHistory history;
        history.Merge(offers);
        const std::string bytes = HistoryFileBytes(history);
        HistoryFileContent content = ReadHistoryBytes(bytes);
        EXPECT_EQ(content.damagedLines, 0u);
        EXPECT_EQ(content.records, history.Records());
    }
}

TEST(HistoryMerge, TheNewestContactWinsAndALaterOneReadWinsATie) {
    CallHistory history;
    CallHistory::MergeCounts first = history.Merge({
        {"IZ2AAA", 1111, Minute("10.06.2020", "1200")},
        {"IZ2AAA", 2222, Minute("10.06.2019", "1200")},  // older than the one before it
        {"IZ2BBB", 3333, kUnknownMinute},
        {"IZ2BBB", 4444, kUnknownMinute},  // same (unknown) age: read later
        {"IZ2CCC", 5555, Minute("10.06.2020", "1200")},
        {"IZ2CCC", 6666, Minute("10.06.2020", "1200")},  // same minute: read later
        {"bad call", 1, kUnknownMinute},
    });
    EXPECT_EQ(first.added, 3u);
    EXPECT_EQ(first.updated, 0u);
    EXPECT_EQ(history.SectionOf("IZ2AAA"), 1111);
    EXPECT_EQ(history.SectionOf("IZ2BBB"), 4444);
    EXPECT_EQ(history.SectionOf("IZ2CCC"), 6666);

    CallHistory::MergeCounts second = history.Merge({
        {"IZ2AAA", 7777, kUnknownMinute},                // of unknown age: older than any dated one
        {"IZ2BBB", 8888, Minute("01.01.1990", "0000")},  // dated beats unknown
        {"IZ2CCC", 6666, Minute("11.06.2020", "1200")},  // newer, same section: not an update
        {"IZ2DDD", 1, kUnknownMinute},
    });
    EXPECT_EQ(second.added, 1u);
    EXPECT_EQ(second.updated, 1u);
    EXPECT_EQ(history.SectionOf("IZ2AAA"), 1111);
    EXPECT_EQ(history.SectionOf("IZ2BBB"), 8888);
    EXPECT_EQ(history.Find("IZ2CCC")->lastQso, Minute("11.06.2020", "1200"));
    EXPECT_EQ(history.SectionOf("IZ2EEE"), std::nullopt);
    EXPECT_EQ(history.Size(), 4u);
}

TEST(HistoryMerge, BatchesGiveWhatOneRecordAtATimeWould) {
    // The model: for each callsign the offer with the greatest (minute, order read).
    std::mt19937 random(11);
    for (int round = 0; round < 30; ++round) {
        CallHistory history;
        std::map<std::string, std::pair<UtcMinute, int16_t>> model;
        for (int batch = 0; batch < 4; ++batch) {
            std::vector<HistoryRecord> offers;
            for (int i = 0; i < 60; ++i) {
                std::string call = "IZ" + std::to_string(random() % 40) + "A";
                UtcMinute minute = random() % 3 == 0 ? kUnknownMinute : static_cast<UtcMinute>(random() % 5);
                offers.push_back({call, static_cast<int16_t>(random() % 4), minute});
            }
            size_t added = 0;
            size_t updated = 0;
            std::map<std::string, std::pair<UtcMinute, int16_t>> before = model;
            for (const HistoryRecord& offer : offers) {
                auto it = model.find(offer.call);
                if (it == model.end() || offer.lastQso >= it->second.first) {
                    model[offer.call] = {offer.lastQso, offer.section};
                }
            }
            for (const auto& [call, value] : model) {
                auto old = before.find(call);
                added += old == before.end();
                updated += old != before.end() && old->second.second != value.second;
            }
            CallHistory::MergeCounts counts = history.Merge(offers);
            EXPECT_EQ(counts.added, added);
            EXPECT_EQ(counts.updated, updated);
        }
        ASSERT_EQ(history.Size(), model.size());
        for (const HistoryRecord& record : history.Records()) {
            EXPECT_EQ(std::make_pair(record.lastQso, record.section), model.at(record.call)) << record.call;
        }
    }
}

TEST(HistoryFileLoad, MissingUnreadableAndForeignFiles) {
    ScratchFolder folder;
    CallHistory history;
    history.Merge({{"IZ2OLD", 1, kUnknownMinute}});

    HistoryLoadResult missing = LoadHistoryFile(folder.File("_storico.csv"), history);
    EXPECT_TRUE(missing.ok);
    EXPECT_FALSE(missing.found);
    EXPECT_TRUE(history.Empty());

    history.Merge({{"IZ2OLD", 1, kUnknownMinute}});
    HistoryLoadResult folderInstead = LoadHistoryFile(folder.Folder(), history);
    EXPECT_FALSE(folderInstead.ok);
    EXPECT_EQ(history.Size(), 1u);  // untouched

    struct Case {
        std::string bytes;
        bool safe;
        size_t stations;
    } cases[] = {
        {"", true, 0},
        {kHeader + "I1ABC,0101\r\nnot a line\r\n", true, 1},  // this program's: damage is dropped
        {"I1ABC,0101\r\n", true, 1},                          // no header, every line a station
        {"I1ABC,0101\r\nsome text\r\n", false, 1},            // no header and lines that are no station
        {"!!Order!!,Call,Sect,Name\r\nI1ABC,0101,Mario\r\n", false, 1},  // the names would be lost
        {"!!Order!!,Call,Name\r\nI1ABC,Mario\r\n", false, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileAtomically(folder.File("h.csv"), c.bytes).ok);
        HistoryLoadResult loaded = LoadHistoryFile(folder.File("h.csv"), history);
        EXPECT_TRUE(loaded.ok && loaded.found) << c.bytes;
        EXPECT_EQ(loaded.safeToRewrite, c.safe) << c.bytes;
        EXPECT_EQ(history.Size(), c.stations) << c.bytes;
    }
}

TEST(HistoryFileSave, AFailedSaveLeavesThePreviousFile) {
    ScratchFolder folder;
    const std::string path = folder.File(kHistoryFileName);
    CallHistory history;
    history.Merge({{"I1ABC", 101, kUnknownMinute}});
    ASSERT_TRUE(SaveHistoryFile(path, history).ok);
    const std::string previous = *ReadFileBytes(path);
    history.Merge({{"I1ABD", 102, kUnknownMinute}});
    for (FileStep failing : {FileStep::Open, FileStep::Write, FileStep::Flush, FileStep::Rename}) {
        FaultHookGuard guard([&](FileStep step, const std::string&) { return step == failing; });
        EXPECT_FALSE(SaveHistoryFile(path, history).ok);
    }
    EXPECT_EQ(ReadFileBytes(path), previous);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{kHistoryFileName});
    ASSERT_TRUE(SaveHistoryFile(path, history).ok);
    EXPECT_EQ(ReadFileBytes(path), HistoryFileBytes(history));
}
