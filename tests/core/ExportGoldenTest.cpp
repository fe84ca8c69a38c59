#include <gtest/gtest.h>

#include <string>

#include "export/AdifExport.h"
#include "export/CabrilloExport.h"
#include "export/FastlogExport.h"
#include "log/LogFile.h"
#include "sections/SectionsFile.h"
#include "util/FileIo.h"

using namespace tarnex;

namespace {

std::string DataFile(const std::string& name) {
    std::optional<std::string> bytes = ReadFileBytes(std::string(TARNEX_TEST_DATA) + "/export/" + name);
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes.value_or("");
}

// A log file read as the program reads it, with the sections of the test folder.
struct LoadedLog {
    explicit LoadedLog(const std::string& name) {
        EXPECT_TRUE(LoadSectionsFile(std::string(TARNEX_TEST_DATA) + "/export/sections.cod", sections));
        ReadLogBytes(DataFile(name), sections, log, station);
    }
    SectionTable sections;
    ContestLog log;
    StationSummary station;
};

}  // namespace

TEST(ExportGolden, QsoLogInEveryFormat) {
    LoadedLog loaded("qso_log.trnx");
    ASSERT_EQ(loaded.log.Mode(), LogMode::Qso);
    ASSERT_EQ(loaded.log.RowCount(), 4u);
    EXPECT_EQ(ExportCabrillo(loaded.log, loaded.station, loaded.sections, 40), DataFile("qso.cbr"));
    EXPECT_EQ(ExportAdif(loaded.log, loaded.station), DataFile("qso.adi"));
    EXPECT_EQ(ExportFastlog(loaded.log).value_or("(none)"), DataFile("qso.txt"));
}

TEST(ExportGolden, ListeningLogByBandAndAsAdif) {
    LoadedLog loaded("swl_log.trnx");
    ASSERT_EQ(loaded.log.Mode(), LogMode::Listening);
    ASSERT_EQ(loaded.log.RowCount(), 4u);
    EXPECT_EQ(ExportCabrillo(loaded.log, loaded.station, loaded.sections, 123, {true}),
              DataFile("swl_by_band.cbr"));
    EXPECT_EQ(ExportAdif(loaded.log, loaded.station), DataFile("swl.adi"));
    EXPECT_FALSE(ExportFastlog(loaded.log).has_value());
}
