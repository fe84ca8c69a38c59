// The real tarnex-cli program on real files.

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "CliTestSupport.h"
#include "export/AdifExport.h"
#include "export/CabrilloExport.h"
#include "export/FastlogExport.h"
#include "log/LogFile.h"
#include "sections/SectionsFile.h"

using namespace tarnex;
using namespace tarnex::clitest;

namespace {

const char* const kExampleReport =
    "   Punteggio (finale o parziale)\n"
    "\n"
    "   Banda    N.Qso    Punti   Molt.   Tot. banda\n"
    "   -----   ------   ------   -----   ----------\n"
    "   160m         3        6       3           18\n"
    "    80m        40       80      25        2.000\n"
    "    40m       120      120      60        7.200\n"
    "    20m        30       90      20        1.800\n"
    "    15m         2       10       2           20\n"
    "    10m         0        0       0            0\n"
    "   --------------------------------------------\n"
    "   TOT.       195      306     110   \n"
    "\n"
    "   PUNTEGGIO TOTALE = 33.660\n";

CliRun RunCliProgram(const std::vector<std::string>& args) {
    TempFolder scratch;
    return RunProgram(CliPath(), args, scratch);
}

// The log as the program reads it, for comparing with the writers called directly.
struct ReadBack {
    std::unique_ptr<SectionTable> sections = std::make_unique<SectionTable>();
    ContestLog log;
    StationSummary station;
    explicit ReadBack(const std::string& logFile) {
        LoadSectionsFile(DataFile("sez.cod"), *sections);
        ReadLogBytes(ReadAll(logFile), *sections, log, station);
    }
};

}  // namespace

TEST(CliProgramScore, PrintsTheReportWithLineFeeds) {
    CliRun run = RunCliProgram({"score", DataFile("example.trnx")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kExampleReport);
    EXPECT_EQ(run.err, "");
}

TEST(CliProgramScore, NamesSkippedEntriesOnTheErrorStream) {
    CliRun run = RunCliProgram({"score", DataFile("problems.trnx"), "--sections", DataFile("sez.cod")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "Ignorato QSO n. 4 per BANDA errata.\n"
              "Ignorato QSO n. 5 per MODO errato.\n"
              "Ignorato QSO n. 8 per MODO errato.\n"
              "Ignorato QSO n. 13 per BANDA errata.\n");
    EXPECT_NE(run.out.find("   PUNTEGGIO TOTALE = "), std::string::npos);
}

TEST(CliProgramScore, ListeningLogHeading) {
    CliRun run = RunCliProgram({"score", DataFile("swl.trnx")});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("   Banda    N.Hrd    Punti"), std::string::npos);
    // 7 SSB: 7 entries, 3 calling sections (1201, 0130, 0500); 14 CW and 21 RTTY: one each.
    EXPECT_NE(run.out.find("    40m         7        7       3           21\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("   PUNTEGGIO TOTALE = 75\n"), std::string::npos) << run.out;
}

TEST(CliProgramExport, WritesWhatTheWritersGive) {
    TempFolder folder;
    struct Case {
        const char* format;
        const char* log;
        bool byBand;
    } cases[] = {{"cabrillo", "example.trnx", false}, {"cabrillo", "swl.trnx", false},
                 {"cabrillo", "swl.trnx", true},      {"adif", "problems.trnx", false},
                 {"adif", "swl.trnx", false},         {"fastlog", "clean.trnx", false}};
    for (const Case& c : cases) {
        std::string out = folder.File(std::string(c.format) + "-" + c.log + (c.byBand ? "-byband" : ""));
        std::vector<std::string> args = {"export", c.format,     DataFile(c.log),    "-o",
                                         out,      "--sections", DataFile("sez.cod")};
        if (c.byBand) {
            args.push_back("--swl-by-band");
        }
        CliRun run = RunCliProgram(args);
        EXPECT_EQ(run.status, 0) << c.format << " " << c.log << run.err;
        EXPECT_EQ(run.out, "");

        ReadBack source(DataFile(c.log));
        std::string expected;
        if (std::string(c.format) == "cabrillo") {
            CabrilloOptions options;
            options.listeningByBand = c.byBand;
            int64_t score = std::string(c.log) == "example.trnx" ? 33660 : 75;
            expected = ExportCabrillo(source.log, source.station, *source.sections, score, options);
            EXPECT_NE(expected.find("CLAIMED-SCORE: " + std::to_string(score) + "\r\n"), std::string::npos);
        } else if (std::string(c.format) == "adif") {
            expected = ExportAdif(source.log, source.station);
        } else {
            expected = *ExportFastlog(source.log);
        }
        EXPECT_EQ(ReadAll(out), expected) << c.format << " " << c.log;
    }
    // The band order moves the 14 MHz entry of the listening log after the 7 MHz ones.
    EXPECT_NE(ReadAll(folder.File("cabrillo-swl.trnx")), ReadAll(folder.File("cabrillo-swl.trnx-byband")));
}

TEST(CliProgramExport, CabrilloNamesSkippedEntriesAndUsesTheHeaderStation) {
    TempFolder folder;
    std::string out = folder.File("log.cbr");
    CliRun run = RunCliProgram(
        {"export", "cabrillo", DataFile("problems.trnx"), "-o", out, "--sections", DataFile("sez.cod")});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("Ignorato QSO n. 4 per BANDA errata.\n"), std::string::npos);
    std::string file = ReadAll(out);
    EXPECT_NE(file.find("IZ2XYZ"), std::string::npos);
    EXPECT_NE(file.find("MILANO"), std::string::npos);
}

TEST(CliProgramExport, FastlogRefusesAListeningLogAndWritesNothing) {
    TempFolder folder;
    std::string out = folder.File("out.txt");
    CliRun run = RunCliProgram({"export", "fastlog", DataFile("swl.trnx"), "-o", out});
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run.err.rfind("tarnex-cli: ", 0), 0u);
}

TEST(CliProgramCheck, ListsEveryProblemByRow) {
    CliRun run = RunCliProgram({"check", DataFile("problems.trnx"), "--sections", DataFile("sez.cod")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "row 2: duplicate of row 1 (IZ2AAA on 7 CW)\n"
              "row 4: left out of the score: band \"50\" is not a contest band\n"
              "row 5: left out of the score: mode \"FM\" is not SSB, CW or RTTY\n"
              "row 6: section code \"9999\" is not a known four-digit code\n"
              "row 7: callsign \"K1ABC\" is not a valid callsign\n"
              // A "^" inside the date shifts every later field of the line.
              "row 8: left out of the score: mode \"7\" is not SSB, CW or RTTY\n"
              "row 8: date \"1\" is not a valid dd.mm.yyyy date from 2005\n"
              "row 8: time \".007\" is not a valid HHMM time\n"
              "row 8: callsign \"SSB\" is not a valid callsign\n"
              "row 8: report sent \"IZ2EEE\" is not valid in \"7\"\n"
              "row 8: report received \"1201\" is not valid in \"7\"\n"
              "row 8: section code \"57\" is not a known four-digit code\n"
              "row 9: time \"2460\" is not a valid HHMM time\n"
              "row 10: report sent \"59\" is not valid in \"CW\"\n"
              "row 10: report received \"057\" is not valid in \"CW\"\n"
              "row 11: RTTY is not worked on 1,8\n"
              "row 12: band \"10\" is not one of 1,8 3,5 7 14 21 28\n"
              "row 12: mode \"C\" is not one of SSB CW RTTY\n"
              "row 12: callsign \"iz2iii\" is not a valid callsign\n"
              "row 13: left out of the score: band \"\" is not a contest band\n"
              "row 13: date \"\" is not a valid dd.mm.yyyy date from 2005\n"
              "row 13: time \"\" is not a valid HHMM time\n"
              "row 13: callsign \"\" is not a valid callsign\n"
              "row 13: report sent \"\" is not valid in \"\"\n"
              "row 13: report received \"\" is not valid in \"\"\n"
              "row 13: section code \"\" is not a known four-digit code\n");
    EXPECT_EQ(run.err, "");
}

TEST(CliProgramCheck, ListeningLimits) {
    CliRun run = RunCliProgram({"check", DataFile("swl.trnx"), "--sections", DataFile("sez.cod")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "row 3: IZ2AAA already heard calling on 7 SSB in row 1\n"
              "row 8: IZ2ZZZ heard answering more than 3 times on 7 SSB\n");
}

TEST(CliProgramCheck, CleanLogsPassQuietly) {
    for (const char* log : {"clean.trnx", "noheader.trnx"}) {
        CliRun run = RunCliProgram({"check", DataFile(log), "--sections", DataFile("sez.cod")});
        EXPECT_EQ(run.status, 0) << log << run.out;
        EXPECT_EQ(run.out, "") << log;
    }
}

TEST(CliProgramCheck, AnUnknownOwnSectionInTheHeaderIsListed) {
    TempFolder folder;
    std::string log = ReadAll(DataFile("clean.trnx"));
    log.replace(log.find("\r\n1201\r\n"), 8, "\r\n12a4\r\n");
    WriteAll(folder.File("own.trnx"), log);
    CliRun run = RunCliProgram({"check", folder.File("own.trnx"), "--sections", DataFile("sez.cod")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "header: own section code \"12a4\" is not a known four-digit code\n");
}

TEST(CliProgramSections, DefaultIsTheSectionsFileBesideTheProgram) {
    TempFolder folder;
    std::filesystem::path program = folder.Path() / "tarnex-cli";
    std::filesystem::copy_file(CliPath(), program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);

    // Without "_sez.cod" beside it the checks cannot name sections.
    CliRun missing = RunProgram(program.string(), {"check", DataFile("clean.trnx")}, folder);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("_sez.cod"), std::string::npos);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);
    // The score needs none.
    EXPECT_EQ(RunProgram(program.string(), {"score", DataFile("clean.trnx")}, folder).status, 0);

    std::filesystem::copy_file(DataFile("sez.cod"), folder.Path() / "_sez.cod");
    CliRun found = RunProgram(program.string(), {"check", DataFile("clean.trnx")}, folder);
    EXPECT_EQ(found.status, 0) << found.out << found.err;
}

TEST(CliProgramSections, AnInstalledToolReadsTheWindowProgramsDataFolder) {
    // An installed tree: <root>/usr/bin/tarnex-cli beside the desktop entry, run as a
    // person whose home is in the scratch folder. A "_sez.cod" beside the program
    // (which root could write) is never the default.
    TempFolder folder;
    const std::filesystem::path root = folder.Path();
    std::filesystem::create_directories(root / "usr/bin");
    std::filesystem::create_directories(root / "usr/share/applications");
    const std::filesystem::path program = root / "usr/bin/tarnex-cli";
    std::filesystem::copy_file(CliPath(), program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    std::filesystem::copy_file(DataFile("nosections.cod"), root / "usr/bin/_sez.cod");
    WriteAll(root / "usr/share/applications/it.korval.Tarnex.desktop", "[Desktop Entry]\n");

    const std::string home = (root / "home").string();
    const std::string elsewhere = (root / "dati").string();
    struct Case {
        const char* name;
        const char* dataHome;        // XDG_DATA_HOME; null: unset
        std::string sectionsFolder;  // where the window program keeps "_sez.cod"
    } cases[] = {
        {"default data folder", nullptr, home + "/.local/share/KORVAL/Tarnex"},
        {"XDG_DATA_HOME", elsewhere.c_str(), elsewhere + "/KORVAL/Tarnex"},
        {"relative XDG_DATA_HOME is ignored", "dati", home + "/.local/share/KORVAL/Tarnex"},
    };
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    ::setenv("HOME", home.c_str(), 1);
    for (const Case& c : cases) {
        if (c.dataHome) {
            ::setenv("XDG_DATA_HOME", c.dataHome, 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
        std::filesystem::remove_all(root / "home");
        std::filesystem::remove_all(elsewhere);
        CliRun missing = RunProgram(program.string(), {"check", DataFile("clean.trnx")}, folder);
        EXPECT_EQ(missing.status, 2) << c.name;
        EXPECT_NE(missing.err.find(c.sectionsFolder + "/_sez.cod"), std::string::npos)
            << c.name << missing.err;

        std::filesystem::create_directories(c.sectionsFolder);
        std::filesystem::copy_file(DataFile("sez.cod"), c.sectionsFolder + "/_sez.cod");
        CliRun found = RunProgram(program.string(), {"check", DataFile("clean.trnx")}, folder);
        EXPECT_EQ(found.status, 0) << c.name << found.out << found.err;
    }
    ::unsetenv("XDG_DATA_HOME");
    // Without the desktop entry the same tree is a build folder: the file beside the
    // program is read (and it holds no section).
    std::filesystem::remove(root / "usr/share/applications/it.korval.Tarnex.desktop");
    CliRun beside = RunProgram(program.string(), {"check", DataFile("clean.trnx")}, folder);
    EXPECT_EQ(beside.status, 2);
    EXPECT_NE(beside.err.find((root / "usr/bin/_sez.cod").string()), std::string::npos) << beside.err;
    ::setenv("HOME", savedHome.c_str(), 1);
}

TEST(CliProgramImport, MergesIntoTheSectionsFile) {
    TempFolder folder;
    std::string target = folder.File("_sez.cod");
    std::filesystem::copy_file(DataFile("sez.cod"), target);
    CliRun run = RunCliProgram({"import-sections", DataFile("sezioni.txt"), "-o", target});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "3 section lines imported; " + target + " holds 6 sections\n");
    EXPECT_EQ(ReadAll(target),
              "0130 BETA NUOVA\r\n0500 VARESE\r\n1201 MILANO\r\n1234 ALFA\r\n2000 GAMMA\r\n2001 DELTA\r\n");

    // A new sections file holds just the list.
    std::string fresh = folder.File("new.cod");
    EXPECT_EQ(RunCliProgram({"import-sections", DataFile("sezioni.txt"), "-o", fresh}).status, 0);
    EXPECT_EQ(ReadAll(fresh), "0130 BETA NUOVA\r\n2000 GAMMA\r\n2001 DELTA\r\n");
}

TEST(CliProgramImport, AListWithoutSectionsChangesNothing) {
    TempFolder folder;
    std::string target = folder.File("_sez.cod");
    std::filesystem::copy_file(DataFile("sez.cod"), target);
    for (const char* text : {"sezioni-vuoto.txt", "binary.trnx", "missing.txt"}) {
        CliRun run = RunCliProgram({"import-sections", DataFile(text), "-o", target});
        EXPECT_EQ(run.status, 2) << text;
        EXPECT_EQ(ReadAll(target), ReadAll(DataFile("sez.cod"))) << text;
    }
}

TEST(CliProgramErrors, OneLineAndStatusTwoAndNoOutputFile) {
    TempFolder folder;
    const std::string out = folder.File("out.file");
    const std::string log = DataFile("clean.trnx");
    const std::string sez = DataFile("sez.cod");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate", log},
        {"score"},
        {"score", log, "extra"},
        {"score", log, "-o", out},
        {"score", log, "--colour"},
        {"score", log, "--sections"},
        {"export", log, "-o", out},
        {"export", "pdf", log, "-o", out},
        {"export", "adif", log},
        {"export", "adif", log, "-o", out, "--swl-by-band"},
        {"export", "adif", DataFile("missing.trnx"), "-o", out},
        {"export", "adif", DataFile("binary.trnx"), "-o", out},
        {"export", "adif", DataFile("truncated.trnx"), "-o", out},
        {"export", "adif", DataFile("notalog.txt"), "-o", out},
        {"export", "adif", DataFile("empty.trnx"), "-o", out},
        {"export", "cabrillo", log, "-o", out, "--sections", DataFile("nosections.cod")},
        {"export", "cabrillo", log, "-o", out, "--sections", DataFile("missing.cod")},
        {"export", "adif", log, "-o", folder.File("no/such/folder/out.adi")},
        {"check", DataFile("binary.trnx"), "--sections", sez},
        {"import-sections", DataFile("sezioni.txt")},
        {"import-sections", DataFile("sezioni.txt"), "-o", out, "--sections", sez},
    };
    for (const std::vector<std::string>& args : cases) {
        std::string shown;
        for (const std::string& a : args) {
            shown += a + " ";
        }
        CliRun run = RunCliProgram(args);
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(run.err.rfind("tarnex-cli: ", 0), 0u) << shown << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << shown << run.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << shown;
    }
}

TEST(CliProgramErrors, AFailedExportLeavesTheOldFile) {
    TempFolder folder;
    const std::string out = folder.File("old.adi");
    WriteAll(out, "old bytes");
    CliRun run = RunCliProgram({"export", "adif", DataFile("truncated.trnx"), "-o", out});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(ReadAll(out), "old bytes");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(CliProgramHelp, PrintsUsage) {
    for (const char* flag : {"--help", "-h"}) {
        CliRun run = RunCliProgram({flag});
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("tarnex-cli score LOG [--sections FILE]"), std::string::npos);
        EXPECT_NE(run.out.find("tarnex-cli import-sections TEXT -o SEZCOD"), std::string::npos);
    }
}
