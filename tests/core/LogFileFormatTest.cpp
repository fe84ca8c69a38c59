#include <gtest/gtest.h>

#include "log/LogFile.h"
#include "sections/SectionTable.h"

using namespace tarnex;

namespace {

const char* const kQsoHeaderBlock =
    "trnx14;qso\r\nIK1XYZ\r\n0130\r\nSINGLE-OP CW\r\nIK1OPS\r\nMario Rossi\r\nVia Roma 1\r\n"
    "10100 Torino\r\nItalia\r\nprimo\r\nsecondo\r\nterzo\r\n";

struct Loaded {
    LogFileInfo info;
    std::vector<std::vector<std::string>> rows;  // columns 0.. of every row
    StationSummary station;
};

Loaded Load(const std::string& bytes, const SectionTable& sections, StationSummary station = {}) {
    ContestLog log;
    Loaded loaded;
    loaded.station = station;
    loaded.info = ReadLogBytes(bytes, sections, log, loaded.station);
    for (size_t row = 0; row < log.RowCount(); ++row) {
        std::vector<std::string> columns;
        for (int column = 0; column < log.ColumnCount(); ++column) {
            columns.push_back(log.Text(row, column));
        }
        loaded.rows.push_back(columns);
    }
    return loaded;
}

SectionTable Sections() {
    SectionTable table;
    table.SetName(5678, "BETA");
    table.SetName(1234, "CITT\xc0");
    return table;
}

}  // namespace

TEST(LogFileRead, HeaderWordDecidesTheMode) {
    const SectionTable sections = Sections();
    const std::string summary = "CALL\r\nSEZ\r\nCAT\r\nOPS\r\nNOME\r\nA1\r\nA2\r\nA3\r\nC1\r\nC2\r\nC3\r\n";
    struct Case {
        std::string firstLine;
        bool header;
        LogMode mode;
    } cases[] = {
        {"trnx141;hrd", true, LogMode::Listening},
        {"trnx14;qso", true, LogMode::Qso},
        {"trnx14", true, LogMode::Qso},
        {"trnx14hrd", true, LogMode::Qso},         // "hrd" at position 6 is not past 6
        {"trnx14;hrd", true, LogMode::Listening},  // at position 7 it is
        {"trnx1;hrd", false, LogMode::Qso},
        {"TRNX14;hrd", false, LogMode::Qso},
    };
    for (const Case& c : cases) {
        Loaded loaded =
            Load(c.firstLine + "\r\n" + summary + "01.01.2005^1200^7^SSB^A^59^X^59^5678^\r\n", sections);
        EXPECT_EQ(loaded.info.hasHeader, c.header) << c.firstLine;
        EXPECT_EQ(loaded.info.mode, c.mode) << c.firstLine;
        if (c.header) {
            EXPECT_EQ(loaded.station.callsign, "CALL") << c.firstLine;
            EXPECT_EQ(loaded.station.ownSection, "SEZ");
            EXPECT_EQ(loaded.station.category, "CAT");
            EXPECT_EQ(loaded.station.operators, "OPS");
            EXPECT_EQ(loaded.station.name, "NOME");
            EXPECT_EQ(loaded.station.address3, "A3");
            EXPECT_EQ(loaded.station.comment3, "C3");
            EXPECT_EQ(loaded.rows.size(), 1u) << c.firstLine;
        } else {
            // Every line is an entry; the summary is untouched.
            EXPECT_EQ(loaded.rows.size(), 13u) << c.firstLine;
            EXPECT_EQ(loaded.station, StationSummary{}) << c.firstLine;
        }
    }
}

TEST(LogFileRead, EntryLinesAreCutIntoColumns) {
    const SectionTable sections = Sections();
    using Row = std::vector<std::string>;
    struct Case {
        const char* name;
        std::string entries;  // after a QSO header
        std::vector<Row> rows;
    } cases[] = {
        {"full line, own section dropped, name from the table",
         "12.03.2005^1423^14^CW^ZZ9AAA^599^1234^579^5678^\r\n",
         {{"    1", "12.03.2005", "1423", "14", "CW", "ZZ9AAA", "599", "579", "5678", "BETA"}}},
        {"five fields",
         "12.03.2005^1423^14^CW^ZZ9AAA^\r\n",
         {{"    1", "12.03.2005", "1423", "14", "CW", "ZZ9AAA", "", "", "", ""}}},
        {"last field without caret, extra fields ignored",
         "a^b^c^d^e^f^g^h^1234^j^k\r\nx^y^z^w^v^u^t^s^0005678\r\n",
         {{"    1", "a", "b", "c", "d", "e", "f", "h", "1234", "CITT\xc0"},
          {"    2", "x", "y", "z", "w", "v", "u", "s", "0005678", "BETA"}}},
        {"time 9:05 stays, 09:05 shortened, 14:23:59 shortened",
         "d^9:05^\r\nd^09:05^\r\nd^14:23:59^\r\n",
         {{"    1", "d", "9:05", "", "", "", "", "", "", ""},
          {"    2", "d", "0905", "", "", "", "", "", "", ""},
          {"    3", "d", "1459", "", "", "", "", "", "", ""}}},
        {"empty line in the middle is an entry",
         "a^\r\n\r\nb^\r\n",
         {{"    1", "a", "", "", "", "", "", "", "", ""},
          {"    2", "", "", "", "", "", "", "", "", ""},
          {"    3", "b", "", "", "", "", "", "", "", ""}}},
        {"last line without line feed is lost",
         "a^\r\n12.03.2005^1423^14^CW^ZZ9AAA^599^1234^579^5678^",
         {{"    1", "a", "", "", "", "", "", "", "", ""}}},
        {"a line of 150 characters reads as two entries",
         "12.03.2005^1423^14^CW^" + std::string(128, 'Z') + "\r\n",
         {{"    1", "12.03.2005", "1423", "14", "CW", std::string(79, 'Z'), "", "", "", ""},
          {"    2", std::string(49, 'Z'), "", "", "", "", "", "", "", ""}}},
    };
    for (const Case& c : cases) {
        Loaded loaded = Load(kQsoHeaderBlock + c.entries, sections);
        EXPECT_EQ(loaded.rows, c.rows) << c.name;
    }
}

TEST(LogFileRead, ListeningLinesAndShortFiles) {
    const SectionTable sections = Sections();
    Loaded listening = Load(
        "trnx141;hrd\r\n\r\n\r\nSWL\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
        "12.03.2005^1423^14^CW^IK1AAA^599^1234^IK2BBB^\r\n",
        sections);
    ASSERT_EQ(listening.rows.size(), 1u);
    EXPECT_EQ(listening.rows[0], (std::vector<std::string>{"    1", "12.03.2005", "1423", "14", "CW",
                                                           "IK1AAA", "599", "1234", "IK2BBB"}));

    // A file that ends inside the header: missing values empty, no entries.
    StationSummary before{"OLD", "OLD", "OLD", "OLD", "OLD", "OLD", "OLD", "OLD", "OLD", "OLD", "OLD"};
    Loaded cut = Load("trnx14;qso\r\nIK1XYZ\r\n0130\r\n", sections, before);
    EXPECT_TRUE(cut.info.hasHeader);
    EXPECT_TRUE(cut.rows.empty());
    EXPECT_EQ(cut.station.callsign, "IK1XYZ");
    EXPECT_EQ(cut.station.ownSection, "0130");
    EXPECT_EQ(cut.station.category, "");
    EXPECT_EQ(cut.station.comment3, "");

    Loaded empty = Load("", sections, before);
    EXPECT_FALSE(empty.info.hasHeader);
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(empty.station, before);
}

TEST(LogFileWrite, ExactBytesOfHeaderAndLines) {
    StationSummary station{"IK1XYZ",       "0130",   "SINGLE-OP CW", "IK1OPS",  "Mario Rossi", "Via Roma 1",
                           "10100 Torino", "Italia", "primo",        "secondo", "terzo"};
    ContestLog qso;
    qso.Append(QsoRecord{"12.03.2005", "1423", "14", "CW", "ZZ9AAA", "599", "579", "5678", "BETA"});
    EXPECT_EQ(LogFileBytes(qso, station),
              std::string(kQsoHeaderBlock) + "12.03.2005^1423^14^CW^ZZ9AAA^599^0130^579^5678^\r\n");
    EXPECT_EQ(QsoLine(qso.Qso(0), "0130"), EntryLine(qso, 0, "0130"));

    ContestLog listening(LogMode::Listening);
    listening.Append(HrdRecord{"12.03.2005", "1423", "14", "CW", "IK1AAA", "599", "1234", "IK2BBB"});
    EXPECT_EQ(LogFileBytes(listening, station),
              "trnx141;hrd\r\nIK1XYZ\r\n0130\r\nSWL\r\nIK1OPS\r\nMario Rossi\r\nVia Roma 1\r\n"
              "10100 Torino\r\nItalia\r\nprimo\r\nsecondo\r\nterzo\r\n"
              "12.03.2005^1423^14^CW^IK1AAA^599^1234^IK2BBB^\r\n");
    EXPECT_EQ(ListeningLine(listening.Listening(0)), EntryLine(listening, 0, "0130"));
}

TEST(LogFileWrite, WrittenAndReadBackGivesTheSameBytesInBothModes) {
    const SectionTable sections = Sections();
    StationSummary station{"IK1XYZ", "0130", "MULTI-ONE", "", "Jos\xe9", "", "", "", "", "", ""};
    for (LogMode mode : {LogMode::Qso, LogMode::Listening}) {
        ContestLog log(mode);
        for (int i = 0; i < 50; ++i) {
            std::string call = "IK" + std::to_string(i) + "\xc8\xff";
            if (mode == LogMode::Qso) {
                log.Append(QsoRecord{"12.03.2005", "0000", "3,5", "RTTY", call, "599", "579",
                                     i % 2 ? "1234" : "0001", i % 2 ? "CITT\xc0" : ""});
            } else {
                log.Append(HrdRecord{"12.03.2005", "2359", "1,8", "SSB", call, "59", "1234", "I1\x81\x8d"});
            }
        }
        std::string bytes = LogFileBytes(log, station);
        ContestLog reread;
        StationSummary readStation;
        ReadLogBytes(bytes, sections, reread, readStation);
        ASSERT_EQ(reread.Mode(), mode);
        ASSERT_EQ(reread.RowCount(), log.RowCount());
        for (size_t row = 0; row < log.RowCount(); ++row) {
            for (int column = 0; column < log.ColumnCount(); ++column) {
                EXPECT_EQ(reread.Text(row, column), log.Text(row, column)) << row << "," << column;
            }
        }
        EXPECT_EQ(LogFileBytes(reread, readStation), bytes);
    }
}
