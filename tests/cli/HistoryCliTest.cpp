// tarnex-cli history add and scp, run as the real program on real files.

#include <gtest/gtest.h>

#include "CliTestSupport.h"

using namespace tarnex::clitest;

namespace {

CliRun RunTool(const std::vector<std::string>& args, const TempFolder& folder) {
    return RunProgram(CliPath(), args, folder);
}

const std::string kLog =
    "trnx14;qso\r\nIK1XYZ\r\n0130\r\nSINGLE-OP\r\n\r\nMario\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "10.06.2023^1400^7^SSB^IZ2ABC^59^0130^59^1201^\r\n"
    "10.06.2023^1401^14^CW^IZ2ABD^599^0130^599^0505^\r\n"
    "10.06.2023^1402^7^SSB^IZ2XYZ^59^0130^59^12^\r\n";

}  // namespace

TEST(CliHistoryAdd, MergesTheFilesIntoTheHistoryAndTellsTheCounts) {
    TempFolder folder;
    const std::string history = folder.File("_storico.csv");
    WriteAll(folder.File("2023.trnx"), kLog);
    WriteAll(folder.File("old.csv"), "!!Order!!,Call,Sect\r\nIZ2ABC,9999\r\nIZ2OLD,0001\r\nIZ2BAD,1\r\n");

    CliRun first =
        RunTool({"history", "add", folder.File("2023.trnx"), folder.File("old.csv"), "-o", history}, folder);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "3 stations added, 0 updated, 2 damaged lines skipped; " + history +
                             " holds 3 stations (0 before)\n");
    EXPECT_EQ(ReadAll(history),
              "!!Order!!,Call,Sect,LastQsoUtc\r\n"
              "IZ2ABC,1201,2023-06-10 14:00\r\n"
              "IZ2ABD,0505,2023-06-10 14:01\r\n"
              "IZ2OLD,0001\r\n");

    WriteAll(folder.File("2024.log"),
             "START-OF-LOG: 3.0\r\n"
             "QSO:  7000 PH 2024-06-08 1200 IK1XYZ 59 0130 IZ2ABC 59 1301\r\n"
             "END-OF-LOG:\r\n");
    CliRun second = RunTool({"history", "-o", history, "add", folder.File("2024.log")}, folder);
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "0 stations added, 1 updated, 0 damaged lines skipped; " + history +
                              " holds 3 stations (3 before)\n");
    EXPECT_NE(ReadAll(history).find("IZ2ABC,1301,2024-06-08 12:00\r\n"), std::string::npos);
}

TEST(CliHistoryAdd, RefusesWithoutWritingAnything) {
    TempFolder folder;
    const std::string history = folder.File("h.csv");
    WriteAll(folder.File("log.trnx"), kLog);
    WriteAll(folder.File("words.txt"), "nothing to see\r\n");
    const std::string foreign = "!!Order!!,Call,Name,Sect\r\nIZ2ABC,Aldo,1201\r\n";
    struct Case {
        std::vector<std::string> args;
        std::string existing;  // the history before ("" none)
        std::string error;
    } cases[] = {
        {{"history", "add", folder.File("log.trnx")}, "", "history add needs -o HISTORY"},
        {{"history", "add", "-o", history}, "", "history add needs at least one file to read"},
        {{"history", "remove", folder.File("log.trnx"), "-o", history}, "", "history needs a subcommand"},
        {{"history", "add", folder.File("missing.adi"), "-o", history},
         "",
         "cannot read " + folder.File("missing.adi")},
        {{"history", "add", folder.File("log.trnx"), folder.File("words.txt"), "-o", history},
         "",
         folder.File("words.txt") + " is not a log, ADIF, Cabrillo or call history file"},
        {{"history", "add", folder.File("log.trnx"), "-o", history},
         foreign,
         "will not write over " + history + ": it has columns this program does not keep (Name)"},
        {{"history", "add", folder.File("log.trnx"), "-o", history},
         "a letter\r\nnot a history\r\n",
         "will not write over " + history + ": it is not a call history"},
        {{"history", "add", folder.File("log.trnx"), "-o", history, "--master", "x"},
         "",
         "takes no --master"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(history);
        if (!c.existing.empty()) {
            WriteAll(history, c.existing);
        }
        CliRun run = RunTool(c.args, folder);
        EXPECT_EQ(run.status, 2) << c.error;
        EXPECT_EQ(run.out, "") << c.error;
        EXPECT_EQ(run.err.rfind("tarnex-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(std::filesystem::exists(history), !c.existing.empty()) << c.error;
        if (!c.existing.empty()) {
            EXPECT_EQ(ReadAll(history), c.existing);
        }
    }
}

TEST(CliScp, PrintsTheLookupsRowsInOrderWithTheirMarks) {
    TempFolder folder;
    WriteAll(folder.File("log.trnx"), kLog);
    WriteAll(folder.File("h.csv"), "!!Order!!,Call,Sect\r\nIZ2ABE,0202\r\nIZ2XYZ,0303\r\n");
    WriteAll(folder.File("MASTER.SCP"), "# list\nIZ2ABC\nIZ2ABF\nDL2ABG\n");
    const std::vector<std::string> sources = {"--log",     folder.File("log.trnx"),
                                              "--history", folder.File("h.csv"),
                                              "--master",  folder.File("MASTER.SCP")};
    auto scp = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "scp");
        args.insert(args.end(), sources.begin(), sources.end());
        return RunTool(args, folder);
    };
    CliRun holding = scp({"z2ab", "--band", "7", "--mode", "SSB"});
    EXPECT_EQ(holding.status, 0) << holding.err;
    EXPECT_EQ(holding.out,
              "+ IZ2ABC log 1201 worked\n"
              "+ IZ2ABD log 0505\n"
              "+ IZ2ABE history 0202\n"
              "+ IZ2ABF master -\n");
    CliRun exact = scp({"IZ2ABD"});
    EXPECT_EQ(exact.out,
              "= IZ2ABD log 0505\n"
              "~ IZ2ABC log 1201\n"
              "~ IZ2ABE history 0202\n");
    // The log's damaged section "12" is shown as the log has it.
    EXPECT_EQ(scp({"XYZ"}).out, "+ IZ2XYZ log 12\n");
    EXPECT_EQ(scp({"I"}).out, "");
    EXPECT_EQ(scp({"QQ"}).out, "");

    CliRun noMaster = RunTool({"scp", "ABF", "--master", folder.File("none.scp")}, folder);
    EXPECT_EQ(noMaster.status, 2);
    EXPECT_NE(noMaster.err.find("cannot read master list"), std::string::npos);
    CliRun badBand = scp({"ABF", "--band", "40", "--mode", "SSB"});
    EXPECT_EQ(badBand.status, 2);
    EXPECT_NE(badBand.err.find("unknown band 40"), std::string::npos);
    EXPECT_EQ(scp({"ABF", "--band", "7"}).status, 2);
}
