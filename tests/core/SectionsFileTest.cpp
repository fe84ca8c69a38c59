#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "sections/SectionsFile.h"
#include "sections/TextLineReader.h"

using namespace tarnex;
using tarnex::testing::ScratchFolder;

TEST(SectionsLineRule, AcceptsOnlyDigitDigitSpaceLetter) {
    struct Case {
        std::string line;
        bool accepted;
        int32_t code;
        std::string name;
    } cases[] = {
        {"0001 ALFA", true, 1, "ALFA"},
        {"1234 alfa", true, 1234, "ALFA"},
        {"0000 X", true, 0, "X"},
        {"1234 R", true, 1234, "R"},
        {"1234 ", false, 0, ""},
        {"1234", false, 0, ""},
        {"", false, 0, ""},
        {"12345 ALFA", false, 0, ""},
        {"123 ALFA", false, 0, ""},
        {"1234  ALFA", false, 0, ""},
        {"1234 5ALFA", false, 0, ""},
        {"A234 ALFA", false, 0, ""},
        {"1AB2 ALFA", true, 1, "ALFA"},
        {"01 2 ALFA", true, 1, "ALFA"},
        {"9999 zeta  ", true, 9999, "ZETA  "},
        // Only a-z are upper-cased: accented letters stay as they are.
        {"0130 citt\xe0 \xc0", true, 130, "CITT\xe0 \xc0"},
        {"0130 \xe0LFA", false, 0, ""},
        {"0130 \tALFA", false, 0, ""},
    };
    for (const Case& c : cases) {
        std::optional<SectionLine> got = SectionLineRule(c.line);
        ASSERT_EQ(got.has_value(), c.accepted) << c.line;
        if (c.accepted) {
            EXPECT_EQ(got->code, c.code) << c.line;
            EXPECT_EQ(got->name, c.name) << c.line;
        }
    }
}

TEST(SectionsLineReader, DropsEveryCrAndStopsAfterLimitPlusOne) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;  // every line read before the end-of-file read
        std::string last;                // the text of the read that hit the end
    } cases[] = {
        {"CR inside a line", "12\r34 ALFA\n", {"1234 ALFA"}, ""},
        {"CR LF and LF", "A\r\nB\nC\r\n", {"A", "B", "C"}, ""},
        {"last line without LF", "A\r\nB", {"A"}, "B"},
        {"empty", "", {}, ""},
        {"only CRs", "\r\r\r", {}, ""},
        {"long line split after 201 characters",
         std::string(250, 'x') + "\n",
         {std::string(201, 'x'), std::string(49, 'x')},
         ""},
        {"exactly 200 characters", std::string(200, 'y') + "\n", {std::string(200, 'y')}, ""},
    };
    for (const Case& c : cases) {
        TextSource source(c.bytes);
        std::vector<std::string> lines;
        TextLine line = ReadTextLine(source, 200);
        while (!line.endOfFile && lines.size() < 10) {
            lines.push_back(line.text);
            line = ReadTextLine(source, 200);
        }
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(line.text, c.last) << c.name;
    }
}

TEST(SectionsFileLoad, TakesLinesUpToTheFirstLongOneAndOnlyWithLineFeed) {
    const std::string name194(194, 'B');
    const std::string name195(195, 'B');
    struct Case {
        const char* name;
        std::string bytes;
        std::string tableAfter;  // the file the table would be written as
    } cases[] = {
        {"two sections", "0001 ALFA\r\n0130 BETA\r\n", "0001 ALFA\r\n0130 BETA\r\n"},
        {"written in ascending order", "0130 BETA\r\n0001 ALFA\r\n", "0001 ALFA\r\n0130 BETA\r\n"},
        {"LF only", "0001 ALFA\n", "0001 ALFA\r\n"},
        {"CR inside a line", "12\r34 ALFA\n", "1234 ALFA\r\n"},
        {"last line without LF is lost", "0001 ALFA\r\n0002 BETA", "0001 ALFA\r\n"},
        {"last line with LF is taken", "0001 ALFA\r\n0002 BETA\n", "0001 ALFA\r\n0002 BETA\r\n"},
        {"199 characters are still considered", "0002 " + name194 + "\r\n0003 C\r\n",
         "0002 " + name194 + "\r\n0003 C\r\n"},
        {"200 characters end the reading", "0001 A\r\n0002 " + name195 + "\r\n0003 C\r\n", "0001 A\r\n"},
        {"duplicate code: the later name stays", "0005 PRIMA\r\n0005 SECONDA\r\n", "0005 SECONDA\r\n"},
        {"code 0000", "0000 X\r\n", "0000 X\r\n"},
        {"1AB2 is code 1", "1AB2 ALFA\r\n", "0001 ALFA\r\n"},
        {"lines failing the rule are skipped", "titolo\r\n\r\n0001 ALFA\r\n123 NO\r\n", "0001 ALFA\r\n"},
        {"bytes 128-255 kept", "0001 CITT\xc0 \xe8\xff\x80\r\n", "0001 CITT\xc0 \xe8\xff\x80\r\n"},
        {"empty file", "", ""},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const std::string path = folder.File("_sez.cod");
        ASSERT_TRUE(WriteFileAtomically(path, c.bytes)) << c.name;
        SectionTable table;
        ASSERT_TRUE(LoadSectionsFile(path, table)) << c.name;
        EXPECT_EQ(SectionsFileBytes(table), c.tableAfter) << c.name;
    }
}

TEST(SectionsFileLoad, MissingFileChangesNothingAndLeavesOtherCodes) {
    ScratchFolder folder;
    SectionTable table;
    table.SetName(7, "SETTE");
    EXPECT_FALSE(LoadSectionsFile(folder.File("_sez.cod"), table));
    EXPECT_EQ(table.NameOf(7), "SETTE");
    ASSERT_TRUE(WriteFileAtomically(folder.File("_sez.cod"), "0001 ALFA\r\n"));
    EXPECT_TRUE(LoadSectionsFile(folder.File("_sez.cod"), table));
    EXPECT_EQ(SectionsFileBytes(table), "0001 ALFA\r\n0007 SETTE\r\n");
}

TEST(SectionsFileSave, WritesTheTableAndReadsBackTheSame) {
    ScratchFolder folder;
    const std::string path = folder.File("_sez.cod");
    SectionTable table;
    table.SetName(0, "X");
    table.SetName(9999, "ULTIMA");
    table.SetName(130, "BETA \xe0");
    table.SetName(1, "ALFA");
    // A name that does not begin with a letter is written but not read back.
    table.SetName(42, "5 TORRI");
    ASSERT_TRUE(SaveSectionsFile(path, table));
    const std::string expected = "0000 X\r\n0001 ALFA\r\n0042 5 TORRI\r\n0130 BETA \xe0\r\n9999 ULTIMA\r\n";
    EXPECT_EQ(ReadFileBytes(path), expected);

    SectionTable reread;
    ASSERT_TRUE(LoadSectionsFile(path, reread));
    EXPECT_EQ(SectionsFileBytes(reread), "0000 X\r\n0001 ALFA\r\n0130 BETA \xe0\r\n9999 ULTIMA\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"_sez.cod"});
}

TEST(SectionsTable, LooksUpCodesOnlyInRange) {
    SectionTable table;
    table.SetName(0, "ZERO");
    table.SetName(9999, "NOVE");
    table.SetName(10000, "FUORI");
    table.SetName(-1, "FUORI");
    struct Case {
        int32_t code;
        const char* name;
    } cases[] = {{0, "ZERO"},     {9999, "NOVE"},  {10000, ""}, {-1, ""},
                 {INT32_MAX, ""}, {INT32_MIN, ""}, {5, ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(table.NameOf(c.code), c.name) << c.code;
        EXPECT_EQ(table.IsKnown(c.code), c.name[0] != '\0') << c.code;
    }
    EXPECT_EQ(table.NameOfText("0000"), "ZERO");
    EXPECT_EQ(table.NameOfText(" 9999"), "NOVE");
    EXPECT_EQ(table.NameOfText("99999999999"), "");
    EXPECT_EQ(table.KnownCount(), 2u);
    table.SetName(0, "");
    EXPECT_FALSE(table.IsKnown(0));
    table.Clear();
    EXPECT_EQ(table.KnownCount(), 0u);
}
