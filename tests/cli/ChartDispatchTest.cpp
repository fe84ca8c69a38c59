// The chart command's side in the tool's own code, which has no drawing library: it
// hands the writer the log's hourly figures, and refuses when there is no writer.

#include <gtest/gtest.h>

#include <sstream>

#include "CliTestSupport.h"
#include "cli/CliMain.h"
#include "score/HourlyActivity.h"

using namespace tarnex;
using namespace tarnex::clitest;

TEST(ChartDispatch, GivesTheWriterTheLogsHoursOrRefusesWithoutOne) {
    TempFolder folder;
    const std::string log = folder.File("log.trnx");
    WriteAll(log,
             "08.06.2024^1230^14^CW^I1ABC^599^1201^599^1201^\r\n08.06.2024^1330^14^XX^I1ABD^599^1201^599^"
             "1202^\r\n");
    std::ostringstream out, err;
    std::optional<HourlyActivity> given;
    std::string path;
    ChartWriter writer = [&](const HourlyActivity& activity, const std::string& file) {
        given = activity;
        path = file;
        return std::string();
    };
    EXPECT_EQ(
        RunCli({"chart", log, "-o", folder.File("c.svg")}, out, err, folder.Path().string() + "/", writer),
        0);
    ASSERT_TRUE(given.has_value());
    EXPECT_EQ(path, folder.File("c.svg"));
    EXPECT_EQ(given->entries[0][3], 1);
    EXPECT_EQ(err.str(), "Ignorato QSO n. 2 per MODO errato.\n");

    std::ostringstream err2;
    EXPECT_EQ(RunCli({"chart", log, "-o", folder.File("c.png")}, out, err2, folder.Path().string() + "/"), 2);
    EXPECT_EQ(err2.str(), "tarnex-cli: this tarnex-cli was built without charts\n");
    EXPECT_EQ(out.str(), "");
}
