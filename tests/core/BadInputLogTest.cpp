// The catalogue of damaged files in tests/data/bad: truncated, binary, lines of 150
// and 250 bytes, five-digit section codes, empty fields, bytes 128-255, a header whose
// own section holds a "^" or is far too long, a header line of 150 bytes. Each is read by the log reader,
// loaded by the session as the journal and opened as a log file, without a crash, and every entry the reader
// makes of it stays in the log as a row of its own.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "app/AppTexts.h"
#include "app/LogSession.h"
#include "export/AdifExport.h"
#include "export/CabrilloExport.h"
#include "export/FastlogExport.h"
#include "log/BandMode.h"
#include "log/LogFile.h"
#include "score/ScoreComputation.h"
#include "sections/SectionTable.h"
#include "sections/SectionsFile.h"
#include "util/FileIo.h"

using namespace tarnex;
using tarnex::testing::ScratchFolder;
using tarnex::testing::ScriptedPrompts;

namespace {

std::string BadFile(const std::string& name) {
    return ReadFileBytes(std::string(TARNEX_TEST_DATA) + "/bad/" + name).value_or("<missing " + name + ">");
}

struct Damaged {
    const char* file;
    LogMode mode;
    size_t rows;  // entries the reader makes of it (a line over 101 characters is cut)
};

// The row counts follow from the reader: the twelve header lines, then one entry per
// line ended by an LF, a line cut after 101 characters (150 bytes: 2 rows, 250: 3),
// a last line without LF dropped.
const Damaged kCatalogue[] = {
    {"truncated-header.trnx", LogMode::Qso, 0},  {"truncated-entry.trnx", LogMode::Qso, 3},
    {"binary.trnx", LogMode::Qso, 12},  // one LF per 256 bytes, CR dropped, cut at 101
    {"long-lines.trnx", LogMode::Qso, 8},        {"five-digit-sections.trnx", LogMode::Qso, 4},
    {"empty-fields.trnx", LogMode::Qso, 5},      {"high-bytes.trnx", LogMode::Qso, 3},
    {"swl-damaged.trnx", LogMode::Listening, 7},       {"no-header-damaged.trnx", LogMode::Qso, 4},
    {"own-section-caret.trnx", LogMode::Qso, 2}, {"own-section-long.trnx", LogMode::Qso, 2},
    {"long-header.trnx", LogMode::Qso, 2},
};

std::vector<std::vector<std::string>> RowsOf(const ContestLog& log) {
    std::vector<std::vector<std::string>> rows;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        std::vector<std::string> columns;
        for (int column = 0; column < log.ColumnCount(); ++column) {
            columns.push_back(log.Text(row, column));
        }
        rows.push_back(columns);
    }
    return rows;
}

class BadInputLog : public ::testing::Test {
  protected:
    BadInputLog() : settings(store) {
        sections->SetName(130, "BARI");
        sections->SetName(5678, "ROMA");
        settings.Load();
    }
    std::unique_ptr<LogSession> NewSession() {
        return std::make_unique<LogSession>(settings, *sections, prompts, folder.Folder());
    }

    ScratchFolder folder;
    MemorySettingsStore store;
    Settings settings;
    std::unique_ptr<SectionTable> sections = std::make_unique<SectionTable>();
    ScriptedPrompts prompts;
};

}  // namespace

TEST_F(BadInputLog, ReaderKeepsEveryEntryAsARow) {
    for (const Damaged& d : kCatalogue) {
        ContestLog log;
        StationSummary station;
        LogFileInfo info = ReadLogBytes(BadFile(d.file), *sections, log, station);
        EXPECT_EQ(log.RowCount(), d.rows) << d.file;
        EXPECT_EQ(info.entries, d.rows) << d.file;
        EXPECT_EQ(log.Mode(), d.mode) << d.file;
        // Whatever the rows hold, the score and the exports take them.
        ScoreResult score = ComputeScore(log);
        for (size_t skipped : score.skippedRows) {
            EXPECT_LT(skipped, log.RowCount()) << d.file;
        }
        EXPECT_FALSE(ExportCabrillo(log, station, *sections, score.claimedScore).empty()) << d.file;
        EXPECT_FALSE(ExportAdif(log, station).empty()) << d.file;
        EXPECT_EQ(ExportFastlog(log).has_value(), d.mode == LogMode::Qso) << d.file;
    }
}

TEST_F(BadInputLog, DamagedEntriesShowWhereTheyStand) {
    ContestLog log;
    StationSummary station;
    ReadLogBytes(BadFile("long-lines.trnx"), *sections, log, station);
    ASSERT_EQ(log.RowCount(), 8u);
    // The 150-byte line: its first 101 characters, then the rest as an entry of its own.
    EXPECT_EQ(log.Field(1, QsoCol::Callsign), "IK1" + std::string(76, 'X'));
    EXPECT_EQ(log.Field(2, QsoCol::Date), std::string(30, 'X'));
    EXPECT_EQ(log.Field(2, QsoCol::Section), "");
    EXPECT_EQ(log.Field(3, QsoCol::Callsign), "IZ3BBB");
    EXPECT_EQ(log.Field(4, QsoCol::Section), "0130");
    EXPECT_EQ(log.Field(4, QsoCol::SectionName), "BARI");
    EXPECT_EQ(log.Field(7, QsoCol::Callsign), "IW2CCC");

    ReadLogBytes(BadFile("five-digit-sections.trnx"), *sections, log, station);
    ASSERT_EQ(log.RowCount(), 4u);
    EXPECT_EQ(log.Field(0, QsoCol::Section), "12345");
    EXPECT_EQ(log.Field(0, QsoCol::SectionName), "");
    EXPECT_EQ(log.Field(2, QsoCol::SectionName), "BARI");  // "00130" has the value 130
    // Codes past 9999 or below 0 mark nothing: only 0130 on 14 MHz CW is worked.
    int marked = 0;
    for (int32_t code = 0; code < WorkedSections::kCodes; ++code) {
        for (int mode = 0; mode < 3; ++mode) {
            marked += log.Worked().Bits(code, mode) != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(log.Worked().Bits(130, 1), BandBit(3));

    // Bytes 128-255 are kept as they are, in the header and in the rows (a time of
    // five characters is cut to its first two and last two, as any long time).
    ReadLogBytes(BadFile("high-bytes.trnx"), *sections, log, station);
    EXPECT_EQ(station.name, "Nicol\xf2 Citt\xe0");
    EXPECT_EQ(log.Field(0, QsoCol::Callsign), "IK\xe0\xe8\xff");
    EXPECT_EQ(log.Field(2, QsoCol::Date), "\x80\x81\x82");
    EXPECT_EQ(log.Field(2, QsoCol::Section), "\xc0");
    EXPECT_NE(LogFileBytes(log, station)
                  .find("12.03.2005^1423^14^CW^IK1AAA^5\xb9"
                        "9^1234^579^56\xbe"
                        "8^\r\n"),
              std::string::npos);
}

TEST_F(BadInputLog, SessionLoadsAndOpensEveryFile) {
    const std::string journal = folder.File(kJournalFileName);
    for (const Damaged& d : kCatalogue) {
        const std::string bytes = BadFile(d.file);
        ContestLog direct;
        StationSummary directStation;
        ReadLogBytes(bytes, *sections, direct, directStation);

        ASSERT_TRUE(WriteFileAtomically(journal, bytes)) << d.file;
        auto session = NewSession();
        prompts.records.clear();
        EXPECT_TRUE(session->LoadJournal()) << d.file;
        EXPECT_TRUE(prompts.records.empty()) << d.file;
        EXPECT_EQ(RowsOf(session->Log()), RowsOf(direct)) << d.file;

        // Opened as a log file over a journal that holds another log.
        ASSERT_TRUE(WriteFileAtomically(journal, BadFile("truncated-entry.trnx")));
        ASSERT_TRUE(WriteFileAtomically(folder.File("aperto.trnx"), bytes));
        auto opening = NewSession();
        ASSERT_TRUE(opening->LoadJournal());
        settings.SetModified(false);
        prompts.fileAnswers = {folder.File("aperto.trnx")};
        opening->Open();
        EXPECT_EQ(prompts.Boxes().size(), 0u) << d.file;
        EXPECT_EQ(RowsOf(opening->Log()), RowsOf(direct)) << d.file;
        EXPECT_EQ(ReadFileBytes(journal), bytes) << d.file;
        EXPECT_EQ(settings.openLogName, "aperto.trnx") << d.file;
    }
}

TEST_F(BadInputLog, RewritesAndRestartsKeepWhatTheFirstLoadMade) {
    // From the first load on, a rewrite followed by a restart is a fixed point: the same
    // rows and header values every time, also for lines the reader cut in pieces.
    const std::string journal = folder.File(kJournalFileName);
    for (const Damaged& d : kCatalogue) {
        ASSERT_TRUE(WriteFileAtomically(journal, BadFile(d.file))) << d.file;
        auto session = NewSession();
        ASSERT_TRUE(session->LoadJournal()) << d.file;
        const auto rows = RowsOf(session->Log());
        const StationSummary station = session->GetSettings().station;
        for (int restart = 1; restart <= 3; ++restart) {
            ASSERT_TRUE(session->RewriteJournal()) << d.file;
            const std::string written = ReadFileBytes(journal).value_or("");
            session = NewSession();
            ASSERT_TRUE(session->LoadJournal()) << d.file;
            EXPECT_EQ(RowsOf(session->Log()), rows) << d.file << " restart " << restart;
            EXPECT_EQ(session->GetSettings().station, station) << d.file << " restart " << restart;
            ASSERT_TRUE(session->RewriteJournal()) << d.file;
            EXPECT_EQ(ReadFileBytes(journal).value_or(""), written) << d.file << " restart " << restart;
        }
    }
}

TEST_F(BadInputLog, DamagedOwnSectionNeverShiftsOrSplitsTheLines) {
    // A header own section "12^4" or 90 characters long is held as read, but the own
    // section written into each QSO line is only what a code can be.
    struct Case {
        const char* file;
        std::string heldOwnSection;
        std::string writtenField;
    } cases[] = {
        {"own-section-caret.trnx", "12^4", "124"},
        {"own-section-long.trnx", "1234 " + std::string(85, 'Y'), "1234"},
    };
    for (const Case& c : cases) {
        ContestLog log;
        StationSummary station;
        ReadLogBytes(BadFile(c.file), *sections, log, station);
        EXPECT_EQ(station.ownSection, c.heldOwnSection) << c.file;
        EXPECT_EQ(EntryLine(log, 0, station.ownSection),
                  "12.03.2005^1423^14^CW^IK1AAA^599^" + c.writtenField + "^599^5678^\r\n")
            << c.file;
        EXPECT_EQ(QsoLine(log.Qso(0), station.ownSection), EntryLine(log, 0, station.ownSection)) << c.file;
    }
}

TEST_F(BadInputLog, SectionsFileTakesOnlyWhatTheRuleAccepts) {
    SectionTable table;
    ASSERT_TRUE(LoadSectionsFile(std::string(TARNEX_TEST_DATA) + "/bad/bad-sections.cod", table));
    // Five digits, a name that begins with a byte past 127 and everything from the
    // line of 250 characters on are not taken; a lower-case name is upper-cased and
    // bytes 128-255 inside a name are kept.
    const std::vector<std::pair<int32_t, std::string>> expected = {
        {1, "ALFA"}, {3, "B\xe8TA"}, {130, "BARI"}, {5678, "ROMA"}};
    EXPECT_EQ(table.Known(), expected);
    EXPECT_EQ(SectionsFileBytes(table), "0001 ALFA\r\n0003 B\xe8TA\r\n0130 BARI\r\n5678 ROMA\r\n");
}
