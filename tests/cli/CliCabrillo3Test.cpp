// The real tarnex-cli program: "export cabrillo3" with the values the window keeps in
// its settings given as options, and "check" with the findings before sending.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "CliTestSupport.h"
#include "export/Cabrillo3Export.h"
#include "log/LogFile.h"
#include "score/ScoreComputation.h"
#include "sections/SectionsFile.h"

using namespace tarnex;
using namespace tarnex::clitest;

namespace {

CliRun RunTool(const std::vector<std::string>& args) {
    TempFolder scratch;
    return RunProgram(CliPath(), args, scratch);
}

// A copy of a test log with another category in its header.
std::string WithCategory(TempFolder& folder, const std::string& log, const std::string& category) {
    std::string bytes = ReadAll(DataFile(log));
    const size_t line4 = bytes.find("\r\n", bytes.find("\r\n", bytes.find("\r\n") + 2) + 2) + 2;
    bytes.replace(line4, bytes.find("\r\n", line4) - line4, category);
    const std::string path = folder.File(category + ".trnx");
    WriteAll(path, bytes);
    return path;
}

}  // namespace

TEST(CliCabrillo3, WritesWhatTheWriterGivesWithTheOptions) {
    TempFolder folder;
    struct Case {
        const char* log;
        std::vector<std::string> options;
        Cabrillo3Options expected;
    } cases[] = {
        {"clean.trnx",
         {"--power", "LOW", "--overlay", "ROOKIE", "--email", "iz2xyz@example.org", "--contest", "ARI-SEZ"},
         {"ARI-SEZ", {"LOW", "ROOKIE", "iz2xyz@example.org"}, kProgramVersion}},
        {"clean.trnx", {}, {}},
        {"swl.trnx", {"--power", "HIGH"}, {kDefaultContestName, {"HIGH", "", ""}, kProgramVersion}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log);
        const std::string out = folder.File("out.cbr");
        std::vector<std::string> args = {"export", "cabrillo3",  DataFile(c.log),    "-o",
                                         out,      "--sections", DataFile("sez.cod")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        CliRun run = RunTool(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");

        auto sections = std::make_unique<SectionTable>();
        LoadSectionsFile(DataFile("sez.cod"), *sections);
        ContestLog log;
        StationSummary station;
        ReadLogBytes(ReadAll(DataFile(c.log)), *sections, log, station);
        EXPECT_EQ(ReadAll(out),
                  ExportCabrillo3(log, station, *sections, ComputeScore(log).claimedScore, c.expected));
    }
}

TEST(CliCabrillo3, RefusesBadValuesWithOneLineAndWritesNothing) {
    TempFolder folder;
    const std::string multi = WithCategory(folder, "clean.trnx", "MULTI-ONE");
    const std::string odd = WithCategory(folder, "clean.trnx", "SINGLE-OP");
    std::string tab = ReadAll(DataFile("clean.trnx"));
    tab.replace(tab.find("Mario Rossi"), 11, "Mario\tRossi");
    WriteAll(folder.File("tab.trnx"), tab);
    struct Case {
        const char* name;
        std::vector<std::string> args;  // the log and the options
        const char* says;
    } cases[] = {
        {"power", {DataFile("clean.trnx"), "--power", "MEDIUM"}, "--power takes HIGH or LOW"},
        {"power in small letters", {DataFile("clean.trnx"), "--power", "low"}, "--power takes HIGH or LOW"},
        {"overlay", {DataFile("clean.trnx"), "--overlay", "OVER-50"}, "--overlay takes ROOKIE or YOUTH"},
        {"contest", {DataFile("clean.trnx"), "--contest", "ari sezioni"}, "--contest takes"},
        {"e-mail with a line break", {DataFile("clean.trnx"), "--email", "a@b.it\nQSO: x"}, "--email holds"},
        {"power twice", {DataFile("clean.trnx"), "--power", "LOW", "--power", "LOW"}, "--power given twice"},
        {"no value", {DataFile("clean.trnx"), "--power"}, "--power needs HIGH or LOW"},
        {"low power, multi-operator", {multi, "--power", "LOW"}, "is always HIGH power"},
        {"overlay, multi-operator", {multi, "--overlay", "YOUTH"}, "--overlay applies to the SINGLE-OP"},
        {"overlay, listener",
         {DataFile("swl.trnx"), "--overlay", "YOUTH"},
         "--overlay applies to the SINGLE-OP"},
        {"category not in the list", {odd}, "is not one of the contest's categories"},
        {"no header", {DataFile("noheader.trnx")}, "is not one of the contest's categories"},
        {"control character in the header", {folder.File("tab.trnx")}, "the log's name holds a control"},
        {"missing log", {folder.File("none.trnx")}, "cannot read log"},
        {"unreadable log", {folder.Path().string()}, "cannot read log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string out = folder.File("out.cbr");
        std::vector<std::string> args = {"export", "cabrillo3", "-o", out, "--sections", DataFile("sez.cod")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind("tarnex-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // The options of the 3.0 file belong to it.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", "cabrillo", DataFile("clean.trnx"), "-o", folder.File("x"),
                                   "--email", "a"},
          std::vector<std::string>{"check", DataFile("clean.trnx"), "--power", "LOW"},
          std::vector<std::string>{"check", DataFile("clean.trnx"), "--for", "fastlog"},
          std::vector<std::string>{"score", DataFile("clean.trnx"), "--for", "adif"}}) {
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(CliCheck, FindingsBeforeSending) {
    const std::vector<std::string> check = {"check", DataFile("findings.trnx"), "--sections",
                                            DataFile("sez.cod")};
    const std::string rows =
        "row 1: 09.06.2007 1159 is outside the contest period (09.06.2007 1200 to 10.06.2007 1159 UTC)\n"
        "row 2: duplicate of row 1 (IZ2AAA on 7 CW)\n"
        "row 3: category SINGLE-OP CW takes no SSB contacts (2 in the log, the first here)\n"
        "row 4: RTTY is not worked on 1,8\n"
        "row 4: category SINGLE-OP CW takes no RTTY contacts (1 in the log, the first here)\n"
        "row 6: 10.06.2007 1200 is outside the contest period (09.06.2007 1200 to 10.06.2007 1159 UTC)\n";
    struct Case {
        std::vector<std::string> extra;
        std::string out;
    } cases[] = {
        {{}, "header: own name missing\n" + rows},
        {{"--for", "adif"}, "header: own name missing\n" + rows},
        {{"--for", "cabrillo3"}, "header: own name missing\nheader: power not chosen (HIGH or LOW)\n" + rows},
        {{"--for", "cabrillo3", "--power", "HIGH"}, "header: own name missing\n" + rows},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = check;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
    // A clean log with its power is clean for the 3.0 file too.
    CliRun clean = RunTool({"check", DataFile("clean.trnx"), "--sections", DataFile("sez.cod"), "--for",
                            "cabrillo3", "--power", "LOW"});
    EXPECT_EQ(clean.status, 0) << clean.out;
    EXPECT_EQ(clean.out, "");
}
