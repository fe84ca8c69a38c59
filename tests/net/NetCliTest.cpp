// tarnex-cli on a shared log: "net create" makes it, "net export" writes from the
// server's copy the same files the positions write from theirs.

#include <gtest/gtest.h>

#include <cstdlib>

#include "NatsServer.h"
#include "NetPosition.h"
#include "export/AdifExport.h"
#include "export/Cabrillo3Export.h"
#include "export/CabrilloExport.h"
#include "score/ScoreComputation.h"
#include "sections/SectionsFile.h"
#include "util/FileIo.h"

using namespace tarnex;
using namespace tarnex::testing;
using namespace std::chrono_literals;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun Cli(const std::string& folder, const std::vector<std::string>& args) {
    std::string command = TARNEX_CLI_PATH;
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    command += " >" + folder + "out.txt 2>" + folder + "err.txt";
    CliRun run;
    int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFileBytes(folder + "out.txt").value_or("");
    run.err = ReadFileBytes(folder + "err.txt").value_or("");
    return run;
}

}  // namespace

TEST(NetCli, CreatesTheLogAndExportsWhatThePositionsExport) {
    if (NatsServerProgram().empty()) {
        GTEST_SKIP() << "no nats-server";
    }
    NetScratch scratch;
    NatsServer server("s1", scratch.Sub("store"));
    ASSERT_TRUE(server.Start());
    const std::string folder = scratch.Sub("cli");

    CliRun created = Cli(folder, {"net", "create", "--server", server.Url(), "--log", "ARI2021"});
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.out, "log ARI2021 ready on " + server.Url() + " (1 copy)\n");

    NetPosition run(scratch.Sub("run"));
    NetPosition mult(scratch.Sub("mult"));
    ASSERT_TRUE(run.Start(server.Url(), "ARI2021", "RUN"));
    ASSERT_TRUE(mult.Start(server.Url(), "ARI2021", "MULT"));
    for (int i = 0; i < 20; ++i) {
        run.AddQso("I1A" + std::string(1, static_cast<char>('A' + i)), "1200", "1234");
        mult.AddQso("I2B" + std::string(1, static_cast<char>('A' + i)), "1201", i % 2 ? "5678" : "9999");
    }
    mult.Log().Replace(3, QsoRecord{"12.06.2021", "1159", "14", "SSB", "I2ZZZ", "59", "59", "5678", "BETA"});
    mult.session->EntryEdited(3);
    ASSERT_TRUE(run.PollUntil([&] {
        mult.net->Poll();
        return run.Log().RowCount() == 40 && mult.Log().RowCount() == 40 && run.net->Status().unsent == 0 &&
               mult.net->Status().unsent == 0 && run.net->LastApplied() == mult.net->LastApplied();
    }));
    ASSERT_TRUE(WriteFileAtomically(folder + "_sez.cod", SectionsFileBytes(*run.sections)));

    CliRun cabrillo = Cli(folder, {"net", "export", "cabrillo", "--server", server.Url(), "--log", "ARI2021",
                                   "-o", folder + "log.cbr", "--sections", folder + "_sez.cod"});
    ASSERT_EQ(cabrillo.status, 0) << cabrillo.err;
    EXPECT_EQ(
        ReadFileBytes(folder + "log.cbr").value_or(""),
        ExportCabrillo(run.Log(), run.settings.station, *run.sections, ComputeScore(run.Log()).claimedScore));
    CliRun cabrillo3 =
        Cli(folder, {"net", "export", "cabrillo3", "--server", server.Url(), "--log", "ARI2021", "-o",
                     folder + "log3.cbr", "--sections", folder + "_sez.cod", "--power", "HIGH"});
    ASSERT_EQ(cabrillo3.status, 0) << cabrillo3.err;
    Cabrillo3Options options3;
    options3.extras.power = "HIGH";
    EXPECT_EQ(ReadFileBytes(folder + "log3.cbr").value_or(""),
              ExportCabrillo3(mult.Log(), mult.settings.station, *mult.sections,
                              ComputeScore(mult.Log()).claimedScore, options3));
    CliRun adif = Cli(folder, {"net", "export", "adif", "--server", server.Url(), "--log", "ARI2021", "-o",
                               folder + "log.adi"});
    ASSERT_EQ(adif.status, 0) << adif.err;
    EXPECT_EQ(ReadFileBytes(folder + "log.adi").value_or(""), ExportAdif(mult.Log(), mult.settings.station));

    // What cannot be done is one line and exit status 2, with no file written.
    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"net", "export", "adif", "--server", server.Url(), "--log", "ARI2012", "-o", folder + "x.adi"},
         "tarnex-cli: no log \"ARI2012\" on " + server.Url() + "\n"},
        {{"net", "export", "adif", "--server", server.Url(), "-o", folder + "x.adi"},
         "tarnex-cli: net export needs --log NAME\n"},
        {{"net", "export", "word", "--server", server.Url(), "--log", "ARI2021", "-o", folder + "x.adi"},
         "tarnex-cli: net export needs a format: cabrillo, cabrillo3, adif or fastlog\n"},
        {{"net", "create", "--server", server.Url(), "--log", "ARI 2021"},
         "tarnex-cli: invalid log name \"ARI 2021\" (1 to 32 letters, digits, - or _)\n"},
        {{"export", "adif", "x.trnx", "-o", folder + "x.adi", "--server", server.Url()},
         "tarnex-cli: --server, --log and --replicas belong to the net commands\n"},
    };
    for (const Case& c : cases) {
        CliRun failed = Cli(folder, c.args);
        EXPECT_EQ(failed.status, 2) << c.err;
        EXPECT_EQ(failed.err, c.err);
        EXPECT_FALSE(FileExists(folder + "x.adi"));
    }
}
