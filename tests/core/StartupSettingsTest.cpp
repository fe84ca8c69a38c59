#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "app/Startup.h"

using namespace tarnex;
using tarnex::testing::FaultHookGuard;
using tarnex::testing::ScratchFolder;
using tarnex::testing::ScriptedPrompts;

namespace {

// Remembers the keys in the order they were read.
class RecordingStore : public MemorySettingsStore {
  public:
    std::vector<std::string> reads;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) override {
        reads.push_back(section + "/" + key);
        return MemorySettingsStore::ReadString(section, key, fallback);
    }
    int32_t ReadInt(const std::string& section, const std::string& key, int32_t fallback) override {
        reads.push_back(section + "/" + key + " (int)");
        return MemorySettingsStore::ReadInt(section, key, fallback);
    }
};

}  // namespace

TEST(SettingsLoad, EmptyStoreGivesTheDefaultsInStartUpOrder) {
    RecordingStore store;
    Settings settings(store);
    settings.Load();
    EXPECT_EQ(settings.band, "7");
    EXPECT_EQ(settings.mode, "SSB");
    EXPECT_EQ(settings.station.category, "SINGLE-OP CW");
    EXPECT_EQ(settings.station.callsign, "");
    EXPECT_EQ(settings.logMode, LogMode::Qso);
    EXPECT_TRUE(settings.tips);
    EXPECT_FALSE(settings.modified);
    EXPECT_FALSE(settings.listeningCabrilloByBand);
    EXPECT_EQ(settings.score, 0);
    EXPECT_EQ(settings.openLogPath, "");
    EXPECT_EQ(settings.extras, StationExtras{});
    EXPECT_EQ(settings.contestName, "SEZIONI");
    Rgb background = ColourToRgb(settings.backgroundColour);
    EXPECT_EQ((std::vector<int>{background.red, background.green, background.blue}),
              (std::vector<int>{112, 112, 176}));
    Rgb text = ColourToRgb(settings.textColour);
    EXPECT_EQ((std::vector<int>{text.red, text.green, text.blue}), (std::vector<int>{255, 255, 0}));
    EXPECT_EQ(RgbToColour(112, 112, 176), 11563120);
    EXPECT_EQ(settings.radioModel, 0);
    EXPECT_EQ(settings.radioPort, "");
    EXPECT_EQ(settings.radioSpeed, 0);
    EXPECT_EQ(settings.radioIntervalMs, 500);

    const std::vector<std::string> order = {
        "Parametri/Banda",
        "Parametri/Modo",
        "Dati riassuntivi/Nominativo",
        "Dati riassuntivi/Sezione",
        "Dati riassuntivi/Nome",
        "Dati riassuntivi/Operatori",
        "Dati riassuntivi/Categoria",
        "Dati riassuntivi/Indirizzo riga 1",
        "Dati riassuntivi/Indirizzo riga 2",
        "Dati riassuntivi/Indirizzo riga 3",
        "Dati riassuntivi/Commento riga 1",
        "Dati riassuntivi/Commento riga 2",
        "Dati riassuntivi/Potenza",
        "Dati riassuntivi/Overlay",
        "Dati riassuntivi/Email",
        "Parametri/Punteggio (int)",
        "Parametri/Path log aperto",
        "Parametri/Nome log aperto",
        "Parametri/Modificato (int)",
        "Parametri/File Cabrillo SWL separati (int)",
        "Parametri/Consigli (int)",
        "Parametri/Colore sfondo (int)",
        "Parametri/Colore testo (int)",
        "Parametri/Radio modello (int)",
        "Parametri/Radio porta",
        "Parametri/Radio velocit\xE0 (int)",
        "Parametri/Radio intervallo (int)",
        "Parametri/Nome contest Cabrillo",
        "Parametri/Rete server",
        "Parametri/Rete log",
        "Parametri/Rete postazione",
    };
    EXPECT_EQ(store.reads, order);
    EXPECT_EQ(store.Writes(), 0);
}

TEST(SettingsLoad, ListeningModeExactlyForCategorySwl) {
    struct Case {
        const char* category;
        LogMode mode;
    } cases[] = {{"SWL", LogMode::Listening},    {"swl", LogMode::Qso}, {"SWL ", LogMode::Qso},
                 {"SINGLE-OP CW", LogMode::Qso}, {"", LogMode::Qso},    {"Swl", LogMode::Qso}};
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.WriteString("Dati riassuntivi", "Categoria", c.category);
        Settings settings(store);
        settings.Load();
        EXPECT_EQ(settings.logMode, c.mode) << c.category;
        EXPECT_EQ(settings.station.category, c.category);
    }
}

TEST(SettingsWrite, EverySetterWritesItsKeyAtOnce) {
    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    settings.SetBand("1,8");
    settings.SetMode("RTTY");
    settings.SetOwnSection("0130");
    settings.SetScore(123456);
    settings.SetOpenLog("/x/gara.trnx", "gara.trnx");
    settings.SetModified(true);
    settings.SetListeningCabrilloByBand(true);
    settings.SetTips(false);
    settings.SetBackgroundColour(RgbToColour(1, 2, 3));
    settings.SetTextColour(0);
    settings.SetRadio(2, "127.0.0.1:4532", 38400, 100);
    StationSummary station{"IK1XYZ", "0130", "SWL", "OPS", "Mario", "A1", "A2", "A3", "C1", "C2", "C3"};
    settings.SetStation(station);
    settings.SetStationExtras({"LOW", "YOUTH", "ik1xyz@example.org"});
    settings.SetContestName("ARI-SEZIONI");

    Settings reread(store);
    reread.Load();
    EXPECT_EQ(reread.band, "1,8");
    EXPECT_EQ(reread.mode, "RTTY");
    EXPECT_EQ(reread.score, 123456);
    EXPECT_EQ(reread.openLogPath, "/x/gara.trnx");
    EXPECT_EQ(reread.openLogName, "gara.trnx");
    EXPECT_TRUE(reread.modified);
    EXPECT_TRUE(reread.listeningCabrilloByBand);
    EXPECT_FALSE(reread.tips);
    EXPECT_EQ(reread.backgroundColour, 0x030201);
    EXPECT_EQ(reread.textColour, 0);
    EXPECT_EQ(reread.logMode, LogMode::Listening);
    // The third comment line is not a setting.
    station.comment3.clear();
    EXPECT_EQ(reread.station, station);
    EXPECT_EQ(reread.extras, (StationExtras{"LOW", "YOUTH", "ik1xyz@example.org"}));
    EXPECT_EQ(reread.contestName, "ARI-SEZIONI");
    EXPECT_EQ(store.ReadString("Dati riassuntivi", "Potenza", ""), "LOW");
    EXPECT_EQ(store.ReadString("Parametri", "Nome contest Cabrillo", ""), "ARI-SEZIONI");
    EXPECT_EQ(store.ReadInt("Parametri", "Modificato", -1), 1);
    EXPECT_EQ(store.ReadString("Dati riassuntivi", "Commento riga 2", ""), "C2");
    EXPECT_EQ((std::vector<int>{reread.radioModel, reread.radioSpeed, reread.radioIntervalMs}),
              (std::vector<int>{2, 38400, 100}));
    EXPECT_EQ(reread.radioPort, "127.0.0.1:4532");
    EXPECT_EQ(store.ReadInt("Parametri", "Radio velocit\xE0", -1), 38400);
}

TEST(StartupFolder, OwnFolderWhenWritableElseTheDataFolder) {
    ScratchFolder scratch;
    const std::string program = scratch.File("programma");
    const std::string data = scratch.File("dati/KORVAL/Tarnex");
    std::filesystem::create_directories(program);
    struct Case {
        const char* name;
        std::string programFolder;
        bool programWritable;
        std::string dataFolder;
        std::string expected;
    } cases[] = {
        {"writable program folder", program, true, data, program + "/"},
        {"separator kept", program + "/", true, data, program + "/"},
        {"read-only program folder", program, false, data, data + "/"},
        {"unknown program folder", "", true, data, data + "/"},
        {"no data folder either", program, false, "", program + "/"},
    };
    for (const Case& c : cases) {
        FolderChoice choice{c.programFolder, c.dataFolder, [&](const std::string& folder) {
                                return c.programWritable && folder == c.programFolder;
                            }};
        EXPECT_EQ(ChooseProgramFolder(choice), c.expected) << c.name;
    }
    // The data folder is created when it is chosen.
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_TRUE(IsFolderWritable(program));
    EXPECT_FALSE(IsFolderWritable(scratch.File("manca")));
    EXPECT_FALSE(IsFolderWritable(""));
}

TEST(StartupFolder, AnInstalledProgramNeverWritesBesideItself) {
    // Run by root, /usr/bin is writable: the installed program still keeps its files
    // in the data folder, and only a build folder keeps them beside the program.
    ScratchFolder scratch;
    const std::string bin = scratch.File("usr/bin");
    const std::string data = scratch.File("home/.local/share/KORVAL/Tarnex");
    std::filesystem::create_directories(bin);
    EXPECT_FALSE(IsInstalledProgramFolder(bin));
    std::filesystem::create_directories(scratch.File("usr/share/applications"));
    ASSERT_TRUE(WriteFileAtomically(scratch.File("usr/share/applications/it.korval.Tarnex.desktop"), "x"));
    EXPECT_TRUE(IsInstalledProgramFolder(bin));
    EXPECT_TRUE(IsInstalledProgramFolder(bin + "/"));
    EXPECT_FALSE(IsInstalledProgramFolder(scratch.File("usr")));
    EXPECT_FALSE(IsInstalledProgramFolder(""));

    FolderChoice choice{bin, data, nullptr, IsInstalledProgramFolder(bin)};
    EXPECT_TRUE(IsFolderWritable(bin));
    EXPECT_EQ(ChooseProgramFolder(choice), data + "/");
    choice.installed = false;
    EXPECT_EQ(ChooseProgramFolder(choice), bin + "/");
}

TEST(StartupSections, MissingFileIsToldWithItsFullPathAndStartUpGoesOn) {
    ScratchFolder folder;
    MemorySettingsStore store;
    store.WriteString("Parametri", "Banda", "21");
    ScriptedPrompts prompts;
    Startup startup(store, prompts);
    startup.Run(folder.Folder());
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].text, "Errore apertura file sezioni:\n" + folder.File("_sez.cod") +
                                           "\n\nImportare elenco sezioni dal menu Strumenti");
    EXPECT_EQ(prompts.records[0].title, "Tarnex");
    EXPECT_EQ(prompts.records[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(startup.SectionsLoaded());
    EXPECT_EQ(startup.Sections().KnownCount(), 0u);
    EXPECT_EQ(startup.GetSettings().band, "21");
    EXPECT_EQ(startup.ProgramFolder(), folder.Folder());
}

TEST(StartupSections, FileBesideTheProgramIsLoadedWithoutAWord) {
    ScratchFolder folder;
    ASSERT_TRUE(WriteFileAtomically(folder.File("_sez.cod"), "0001 ALFA\r\n0130 BETA\r\n"));
    MemorySettingsStore store;
    ScriptedPrompts prompts;
    Startup startup(store, prompts);
    startup.Run(FolderChoice{folder.File(""), "", nullptr});
    EXPECT_TRUE(prompts.records.empty());
    EXPECT_TRUE(startup.SectionsLoaded());
    EXPECT_EQ(startup.Sections().NameOf(130), "BETA");
    EXPECT_EQ(startup.ProgramFolder(), folder.Folder());

    // An empty file is no error either.
    ASSERT_TRUE(WriteFileAtomically(folder.File("_sez.cod"), ""));
    Startup again(store, prompts);
    again.Run(folder.Folder());
    EXPECT_TRUE(prompts.records.empty());
    EXPECT_EQ(again.Sections().KnownCount(), 0u);
}

TEST(StartupStaleFiles, WhatAKilledReplaceLeftIsRemovedAndNothingElse) {
    ScratchFolder folder;
    const std::vector<std::string> stale = {"_ult.trnx.tmp-Ab12Cd", "_sez.cod.tmp-000000",
                                            "_storico.csv.tmp-x9Y8z7"};
    const std::vector<std::string> kept = {
        "_ult.trnx",           "_ult.trnx.tmp-Ab12C",  "_ult.trnx.tmp-Ab12Cd7",   "_ult.trnx.tmp-Ab-2Cd",
        "log.trnx.tmp-Ab12Cd", "x_sez.cod.tmp-Ab12Cd", "_sez.cod.tmp-Ab12Cd.bak", "_storico.csv"};
    for (const auto& name : stale) {
        ASSERT_TRUE(WriteFileAtomically(folder.File(name), "x"));
    }
    for (const auto& name : kept) {
        ASSERT_TRUE(WriteFileAtomically(folder.File(name), "x"));
    }
    // A folder with such a name is not a file the program made.
    std::filesystem::create_directory(folder.File("_ult.trnx.tmp-DIRDIR"));

    MemorySettingsStore store;
    ScriptedPrompts prompts;
    ASSERT_TRUE(WriteFileAtomically(folder.File("_sez.cod"), "0130 BARI\r\n"));
    Startup startup(store, prompts);
    startup.Run(folder.Folder());
    EXPECT_TRUE(prompts.records.empty());
    for (const auto& name : stale) {
        EXPECT_FALSE(FileExists(folder.File(name))) << name;
    }
    for (const auto& name : kept) {
        EXPECT_TRUE(FileExists(folder.File(name))) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("_ult.trnx.tmp-DIRDIR")));

    // One that cannot be removed is named in a message, and start-up goes on.
    ASSERT_TRUE(WriteFileAtomically(folder.File("_ult.trnx.tmp-zzzzzz"), "x"));
    FaultHookGuard fail([](FileStep step, const std::string&) { return step == FileStep::Remove; });
    Startup again(store, prompts);
    again.Run(folder.Folder());
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].text,
              "Impossibile eliminare i file temporanei lasciati da un salvataggio interrotto:\n" +
                  folder.File("_ult.trnx.tmp-zzzzzz"));
    EXPECT_EQ(prompts.records[0].title, "Avviso");
    EXPECT_EQ(prompts.records[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(again.SectionsLoaded());
}
