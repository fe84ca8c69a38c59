#include <gtest/gtest.h>

#include <memory>

#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "app/LogSession.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"

using namespace tarnex;
using tarnex::testing::FaultHookGuard;
using tarnex::testing::PromptRecord;
using tarnex::testing::ScratchFolder;
using tarnex::testing::ScriptedPrompts;

namespace {

const char* const kBase = "TARNEX - Contest delle Sezioni ARI";
const char* const kNewQuestion =
    "ATTENZIONE!\n\nLa creazione di un nuovo log comporta la\ncancellazione di tutti i QSO del log "
    "attualmente "
    "in uso.\n\nSe vuoi conservarli, salva prima il log attuale con\ni comandi 'Salva' oppure 'Salva "
    "come...'\n\nVuoi continuare comunque ?";
const char* const kOpenQuestion =
    "ATTENZIONE!\n\nL'apertura di un log esistente comporta la\ncancellazione di tutti i QSO del log "
    "attualmente in uso.\n\nSe vuoi conservarli, salva prima il log attuale con\ni comandi 'Salva' oppure "
    "'Salva come...'\n\nVuoi continuare?";

const std::string kEmptyQsoJournal =
    "trnx14;qso\r\nIK1XYZ\r\n0130\r\nSINGLE-OP CW\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

class Recorder : public LogSessionListener {
  public:
    std::vector<std::string> titles;
    int replaced = 0;
    void TitleChanged(const std::string& title) override { titles.push_back(title); }
    void LogReplaced() override { ++replaced; }
};

QsoRecord Contact(const std::string& call) {
    return {"12.03.2005", "1423", "14", "CW", call, "599", "579", "5678", "BETA"};
}

// One run of the program over a settings store and a folder that outlive it.
struct ProgramRun {
    Settings settings;
    std::unique_ptr<LogSession> session;
    ProgramRun(MemorySettingsStore& store, SectionTable& sections, ScriptedPrompts& prompts,
               const std::string& folder)
        : settings(store) {
        settings.Load();
        session = std::make_unique<LogSession>(settings, sections, prompts, folder);
    }
};

class LogSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sections.SetName(5678, "BETA");
        store.WriteString("Dati riassuntivi", "Nominativo", "IK1XYZ");
        store.WriteString("Dati riassuntivi", "Sezione", "0130");
        Start();
    }
    // Starts the program (again) and opens the window: loads the journal.
    void Start() {
        run = std::make_unique<ProgramRun>(store, sections, prompts, folder.Folder());
        Session().SetListener(&recorder);
        Session().LoadJournal();
    }
    LogSession& Session() { return *run->session; }
    Settings& Set() { return run->settings; }
    std::string Journal() { return ReadFileBytes(folder.File("_ult.trnx")).value_or("<missing>"); }
    // Adds a contact as the entry form does: the row, then the journal line.
    bool Add(const std::string& call) {
        Session().Log().Append(Contact(call));
        return Session().JournalAppend(QsoLine(Contact(call), Set().station.ownSection));
    }
    std::string Stored(const char* key) { return store.ReadString("Parametri", key, "<none>"); }
    int32_t StoredInt(const char* key) { return store.ReadInt("Parametri", key, -1); }
    std::string Line(const std::string& call) { return QsoLine(Contact(call), "0130"); }

    ScratchFolder folder;
    MemorySettingsStore store;
    SectionTable sections;
    ScriptedPrompts prompts;
    Recorder recorder;
    std::unique_ptr<ProgramRun> run;
};

}  // namespace

TEST_F(LogSessionTest, FirstStartCreatesTheJournalWithTheHeader) {
    EXPECT_EQ(Journal(), kEmptyQsoJournal);
    EXPECT_TRUE(prompts.records.empty());
    EXPECT_EQ(Session().Log().RowCount(), 0u);
    EXPECT_EQ(Session().JournalPath(), folder.File("_ult.trnx"));
    EXPECT_EQ(recorder.titles.back(), kBase);

    ASSERT_TRUE(Add("IK2AAA"));
    ASSERT_TRUE(Add("IK3BBB"));
    EXPECT_EQ(Journal(), kEmptyQsoJournal + Line("IK2AAA") + Line("IK3BBB"));
    EXPECT_TRUE(Set().modified);
    EXPECT_TRUE(Session().Log().Modified());
    EXPECT_EQ(StoredInt("Modificato"), 1);

    // A restart shows the same log, still modified.
    Start();
    EXPECT_EQ(Session().Log().RowCount(), 2u);
    EXPECT_EQ(Session().Log().Text(1, QsoCol::Callsign), "IK3BBB");
    EXPECT_EQ(Session().Log().Text(1, QsoCol::SectionName), "BETA");
    EXPECT_TRUE(Session().Log().Modified());
    EXPECT_TRUE(prompts.records.empty());
}

TEST_F(LogSessionTest, ListeningHeaderSwitchesModeAndReplacesTheCategoryInMemoryOnly) {
    ASSERT_TRUE(WriteFileAtomically(folder.File("_ult.trnx"),
                                    "trnx141;hrd\r\nIK9SWL\r\n0001\r\nSWL\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                    "12.03.2005^1423^14^CW^IK1AAA^599^1234^IK2BBB^\r\n"));
    Start();
    EXPECT_EQ(Session().Log().Mode(), LogMode::Listening);
    EXPECT_EQ(Set().logMode, LogMode::Listening);
    EXPECT_EQ(Set().station.category, "SWL");
    EXPECT_EQ(Set().station.callsign, "IK9SWL");
    EXPECT_EQ(store.ReadString("Dati riassuntivi", "Categoria", "<none>"), "<none>");
    EXPECT_EQ(store.ReadString("Dati riassuntivi", "Nominativo", ""), "IK1XYZ");
    EXPECT_EQ(Session().Log().Calls().Find("IK1AAA")->section, 1234);
}

TEST_F(LogSessionTest, JournalThatCannotBeCreatedIsReported) {
    MemorySettingsStore otherStore;
    Settings settings(otherStore);
    settings.Load();
    const std::string missing = folder.File("no-such-folder") + "/";
    LogSession session(settings, sections, prompts, missing);
    EXPECT_FALSE(session.LoadJournal());
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].text, "Impossibile creare file log corrente:\n" + missing + "_ult.trnx\n");
    EXPECT_EQ(prompts.records[0].title, "Errore");
    EXPECT_EQ(prompts.records[0].icon, MessageIcon::Stop);
}

TEST_F(LogSessionTest, UnreadableJournalIsReportedAndLeftAlone) {
    const std::string journal = kEmptyQsoJournal + Line("IK2AAA");
    ASSERT_TRUE(WriteFileAtomically(folder.File("_ult.trnx"), journal));
    const std::string path = folder.File("_ult.trnx");
    {
        FaultHookGuard guard(
            [&](FileStep step, const std::string& p) { return step == FileStep::Read && p == path; });
        Start();
    }
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].title, "Errore");
    EXPECT_EQ(prompts.records[0].icon, MessageIcon::Stop);
    EXPECT_EQ(prompts.records[0].text.rfind("Impossibile leggere il file log corrente:\n" + path + "\n", 0),
              0u);
    EXPECT_TRUE(Session().JournalUnreadable());

    // Nothing the session does afterwards touches it; the person is told each time.
    EXPECT_FALSE(Add("IK3BBB"));
    EXPECT_FALSE(Session().RewriteJournal());
    EXPECT_EQ(Journal(), journal);
    EXPECT_EQ(prompts.records.size(), 3u);
    EXPECT_EQ(Session().Log().RowCount(), 1u);

    // Save as rescues what is in memory; New replaces the journal on purpose.
    prompts.fileAnswers.push_back(folder.File("salvato.trnx"));
    Session().SaveAs();
    EXPECT_EQ(ReadFileBytes(folder.File("salvato.trnx")), kEmptyQsoJournal + Line("IK3BBB"));
    Session().New();
    EXPECT_EQ(Journal(), kEmptyQsoJournal);
    EXPECT_FALSE(Session().JournalUnreadable());
    EXPECT_TRUE(Add("IK4CCC"));
    EXPECT_EQ(Journal(), kEmptyQsoJournal + Line("IK4CCC"));
}

TEST_F(LogSessionTest, NewAsksOnlyWhenModified) {
    Session().New();
    EXPECT_TRUE(prompts.Boxes().empty());

    ASSERT_TRUE(Add("IK2AAA"));
    prompts.yesNoAnswers = {false};
    Session().New();
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].kind, PromptRecord::Question);
    EXPECT_EQ(prompts.Boxes()[0].text, kNewQuestion);
    EXPECT_EQ(prompts.Boxes()[0].title, "Richiesta di conferma");
    EXPECT_EQ(Session().Log().RowCount(), 1u);
    EXPECT_EQ(Journal(), kEmptyQsoJournal + Line("IK2AAA"));

    prompts.fileAnswers.push_back(folder.File("gara.trnx"));
    Session().SaveAs();
    ASSERT_TRUE(Add("IK3BBB"));
    prompts.yesNoAnswers = {true};
    int replacedBefore = recorder.replaced;
    Session().New();
    EXPECT_EQ(Session().Log().RowCount(), 0u);
    EXPECT_TRUE(Session().Log().Worked().IsEmpty());
    EXPECT_GT(recorder.replaced, replacedBefore);
    EXPECT_EQ(Journal(), kEmptyQsoJournal);
    EXPECT_FALSE(Set().modified);
    EXPECT_EQ(StoredInt("Modificato"), 0);
    EXPECT_EQ(Stored("Path log aperto"), "");
    EXPECT_EQ(Stored("Nome log aperto"), "");
    EXPECT_EQ(recorder.titles.back(), kBase);
    EXPECT_EQ(Set().station.category, "SINGLE-OP CW");
}

TEST_F(LogSessionTest, SaveWithoutAFileIsSaveAs) {
    ASSERT_TRUE(Add("IK2AAA"));
    Session().Save();
    ASSERT_EQ(prompts.records.size(), 1u);
    const PromptRecord& dialog = prompts.records[0];
    EXPECT_EQ(dialog.kind, PromptRecord::SaveFile);
    EXPECT_EQ(dialog.file.title, "Salva il log corrente");
    EXPECT_EQ(dialog.file.filterText, "File log Tarnex (*.trnx)");
    EXPECT_EQ(dialog.file.filterPattern, "*.trnx");
    EXPECT_EQ(dialog.file.defaultExtension, "trnx");
    EXPECT_TRUE(dialog.file.confirmOverwrite);
    EXPECT_TRUE(dialog.file.folderMustExist);
    // Cancel changes nothing.
    EXPECT_TRUE(Set().modified);
    EXPECT_EQ(recorder.titles.back(), kBase);

    prompts.fileAnswers.push_back(folder.File("gara.trnx"));
    Session().Save();
    EXPECT_EQ(ReadFileBytes(folder.File("gara.trnx")), Journal());
    EXPECT_FALSE(Set().modified);
    EXPECT_EQ(Stored("Path log aperto"), folder.File("gara.trnx"));
    EXPECT_EQ(Stored("Nome log aperto"), "gara.trnx");
    EXPECT_EQ(recorder.titles.back(), std::string(kBase) + " - gara.trnx");

    // With a file, Save copies without a dialog and keeps the title.
    ASSERT_TRUE(Add("IK3BBB"));
    size_t titles = recorder.titles.size();
    Session().Save();
    EXPECT_EQ(prompts.records.size(), 2u);
    EXPECT_EQ(ReadFileBytes(folder.File("gara.trnx")), kEmptyQsoJournal + Line("IK2AAA") + Line("IK3BBB"));
    EXPECT_FALSE(Set().modified);
    EXPECT_EQ(StoredInt("Modificato"), 0);
    EXPECT_EQ(recorder.titles.size(), titles);
}

TEST_F(LogSessionTest, OpenCopiesTheFileOverTheJournalAndNamesTheTitle) {
    // Made on Windows: CR LF, no own section in the lines, bytes 128-255, a header
    // that differs from ours. It must load and save unchanged.
    const std::string windowsFile =
        "trnx14;qso\r\nIK1W\xc8\r\n5678\r\nSINGLE-OP SSB\r\n\r\nNicol\xf2\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
        "12.03.2005^1423^14^SSB^IK2\xc0\xff^59^^59^5678^\r\n01.04.2005^09:05^7^SSB^IK3\x81^59^^59^0001^\r\n";
    ASSERT_TRUE(WriteFileAtomically(folder.File("vecchio.trnx"), windowsFile));
    ASSERT_TRUE(Add("IK2AAA"));

    prompts.yesNoAnswers = {true};
    prompts.fileAnswers.push_back(folder.File("vecchio.trnx"));
    Session().Open();
    ASSERT_EQ(prompts.records.size(), 2u);
    EXPECT_EQ(prompts.records[0].text, kOpenQuestion);
    EXPECT_EQ(prompts.records[0].title, "Richiesta di conferma");
    EXPECT_EQ(prompts.records[1].kind, PromptRecord::OpenFile);
    EXPECT_EQ(prompts.records[1].file.title, "Apri log");
    EXPECT_EQ(prompts.records[1].file.filterText, "File log Tarnex (*.trnx)");
    EXPECT_EQ(prompts.records[1].file.filterPattern, "*.trnx");
    EXPECT_TRUE(prompts.records[1].file.mustExist);

    EXPECT_EQ(Journal(), windowsFile);
    EXPECT_EQ(Session().Log().RowCount(), 2u);
    EXPECT_EQ(Session().Log().Text(0, QsoCol::Callsign), "IK2\xc0\xff");
    EXPECT_EQ(Session().Log().Text(1, QsoCol::Time), "0905");
    EXPECT_EQ(Set().station.name, "Nicol\xf2");
    EXPECT_FALSE(Set().modified);
    EXPECT_EQ(StoredInt("Modificato"), 0);
    EXPECT_EQ(Stored("Path log aperto"), folder.File("vecchio.trnx"));
    EXPECT_EQ(Stored("Nome log aperto"), "vecchio.trnx");
    const std::string titled = std::string(kBase) + " - vecchio.trnx";
    EXPECT_EQ(recorder.titles.back(), titled);
    EXPECT_EQ(Session().Title(), titled);
    EXPECT_EQ(store.ReadString("Recent File List", "File1", ""), folder.File("vecchio.trnx"));

    // Saved unchanged, byte for byte.
    Session().Save();
    EXPECT_EQ(ReadFileBytes(folder.File("vecchio.trnx")), windowsFile);

    // The next start shows the same title and log.
    Start();
    EXPECT_EQ(Session().Title(), titled);
    EXPECT_EQ(recorder.titles.back(), titled);
    EXPECT_EQ(Session().Log().RowCount(), 2u);
}

TEST_F(LogSessionTest, OpenOnAnUnmodifiedLogAsksNothingAndCancelKeepsAll) {
    Session().Open();
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].kind, PromptRecord::OpenFile);
    EXPECT_EQ(Journal(), kEmptyQsoJournal);
    EXPECT_EQ(Stored("Path log aperto"), "<none>");
}

TEST_F(LogSessionTest, OpenThatCannotCopyKeepsTheCurrentLog) {
    ASSERT_TRUE(Add("IK2AAA"));
    prompts.fileAnswers.push_back(folder.File("gara.trnx"));
    Session().SaveAs();
    ASSERT_TRUE(Add("IK3BBB"));
    const std::string journal = Journal();
    ASSERT_TRUE(WriteFileAtomically(folder.File("altro.trnx"), kEmptyQsoJournal));
    const std::string journalPath = folder.File("_ult.trnx");

    struct Case {
        const char* name;
        std::string chosen;
        FileFaultHook hook;
        std::string messageStart;
    } cases[] = {
        {"chosen file missing", folder.File("manca.trnx"), nullptr,
         "Impossibile leggere il log:\n" + folder.File("manca.trnx") + "\n"},
        {"chosen file unreadable", folder.File("altro.trnx"),
         [&](FileStep step, const std::string& p) { return step == FileStep::Read && p != journalPath; },
         "Impossibile leggere il log:\n" + folder.File("altro.trnx") + "\n"},
        {"journal cannot be written", folder.File("altro.trnx"),
         [&](FileStep step, const std::string& p) { return step == FileStep::Write && p == journalPath; },
         "Impossibile scrivere il file log corrente:\n" + journalPath + "\n"},
        {"journal cannot be renamed over", folder.File("altro.trnx"),
         [&](FileStep step, const std::string& p) { return step == FileStep::Rename && p == journalPath; },
         "Impossibile scrivere il file log corrente:\n" + journalPath + "\n"},
    };
    for (Case& c : cases) {
        prompts.records.clear();
        prompts.yesNoAnswers = {true};
        prompts.fileAnswers = {c.chosen};
        size_t titles = recorder.titles.size();
        {
            FaultHookGuard guard(c.hook);
            Session().Open();
        }
        ASSERT_EQ(prompts.records.size(), 3u) << c.name;
        EXPECT_EQ(prompts.records[2].title, "Errore") << c.name;
        EXPECT_EQ(prompts.records[2].icon, MessageIcon::Stop) << c.name;
        EXPECT_EQ(prompts.records[2].text.rfind(c.messageStart, 0), 0u) << c.name << prompts.records[2].text;
        EXPECT_EQ(Session().Log().RowCount(), 2u) << c.name;
        EXPECT_EQ(Journal(), journal) << c.name;
        EXPECT_TRUE(Set().modified) << c.name;
        EXPECT_EQ(StoredInt("Modificato"), 1) << c.name;
        EXPECT_EQ(Stored("Path log aperto"), folder.File("gara.trnx")) << c.name;
        EXPECT_EQ(recorder.titles.size(), titles) << c.name;
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"_ult.trnx", "altro.trnx", "gara.trnx"}))
            << c.name;
    }
}

TEST_F(LogSessionTest, SaveThatCannotCopyChangesNothing) {
    ASSERT_TRUE(Add("IK2AAA"));
    prompts.fileAnswers.push_back(folder.File("gara.trnx"));
    Session().SaveAs();
    const std::string saved = ReadFileBytes(folder.File("gara.trnx")).value();
    ASSERT_TRUE(Add("IK3BBB"));
    const std::string target = folder.File("gara.trnx");
    const std::string journalPath = folder.File("_ult.trnx");

    {
        FaultHookGuard guard(
            [&](FileStep step, const std::string& p) { return step == FileStep::Flush && p == target; });
        Session().Save();
    }
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].text.rfind("Impossibile salvare il log nel file:\n" + target + "\n", 0), 0u);
    EXPECT_EQ(prompts.Boxes()[0].title, "Errore");
    EXPECT_EQ(ReadFileBytes(target), saved);
    EXPECT_TRUE(Set().modified);
    EXPECT_EQ(StoredInt("Modificato"), 1);

    // Save as to a new name that fails: the old name and title stay.
    prompts.fileAnswers.push_back(folder.File("nuovo.trnx"));
    size_t titles = recorder.titles.size();
    {
        FaultHookGuard guard(
            [&](FileStep step, const std::string& p) { return step == FileStep::Read && p == journalPath; });
        Session().SaveAs();
    }
    EXPECT_EQ(prompts.Boxes().size(), 2u);
    EXPECT_FALSE(FileExists(folder.File("nuovo.trnx")));
    EXPECT_EQ(Stored("Path log aperto"), target);
    EXPECT_EQ(Stored("Nome log aperto"), "gara.trnx");
    EXPECT_EQ(recorder.titles.size(), titles);
    EXPECT_TRUE(Set().modified);
}

TEST_F(LogSessionTest, FailedAppendIsToldAndCaughtUpByTheNextWrite) {
    ASSERT_TRUE(Add("IK2AAA"));
    const std::string journalPath = folder.File("_ult.trnx");
    {
        FaultHookGuard guard(
            [&](FileStep step, const std::string& p) { return step == FileStep::Write && p == journalPath; });
        EXPECT_FALSE(Add("IK3BBB"));
    }
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].title, "Errore");
    EXPECT_EQ(prompts.Boxes()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(prompts.Boxes()[0].text.rfind("Impossibile scrivere nel file log corrente:\n" + journalPath, 0),
              0u);
    EXPECT_EQ(Session().Log().RowCount(), 2u);
    EXPECT_TRUE(Session().JournalBehind());
    EXPECT_EQ(Journal(), kEmptyQsoJournal + Line("IK2AAA"));
    EXPECT_TRUE(Set().modified);

    // The next append writes the whole log, not only its own line.
    EXPECT_TRUE(Add("IK4CCC"));
    EXPECT_FALSE(Session().JournalBehind());
    EXPECT_EQ(Journal(), kEmptyQsoJournal + Line("IK2AAA") + Line("IK3BBB") + Line("IK4CCC"));

    // Likewise a failed rewrite: the following append rewrites.
    {
        FaultHookGuard guard([&](FileStep step, const std::string& p) {
            return step == FileStep::Rename && p == journalPath;
        });
        Session().Log().RemoveRows({0});
        EXPECT_FALSE(Session().RewriteJournal());
    }
    EXPECT_EQ(Journal(), kEmptyQsoJournal + Line("IK2AAA") + Line("IK3BBB") + Line("IK4CCC"));
    EXPECT_TRUE(Add("IK5DDD"));
    EXPECT_EQ(Journal(), kEmptyQsoJournal + Line("IK3BBB") + Line("IK4CCC") + Line("IK5DDD"));
    EXPECT_EQ(prompts.Boxes().size(), 2u);
}

TEST_F(LogSessionTest, SaveWhileTheJournalIsBehindSavesTheWholeLog) {
    const std::string journalPath = folder.File("_ult.trnx");
    {
        FaultHookGuard guard(
            [&](FileStep step, const std::string& p) { return step == FileStep::Open && p == journalPath; });
        EXPECT_FALSE(Add("IK2AAA"));
        prompts.fileAnswers.push_back(folder.File("gara.trnx"));
        Session().SaveAs();
    }
    EXPECT_EQ(ReadFileBytes(folder.File("gara.trnx")), kEmptyQsoJournal + Line("IK2AAA"));
    EXPECT_EQ(Stored("Nome log aperto"), "gara.trnx");
    EXPECT_FALSE(Set().modified);
    // Once the journal can be written again, Save brings it up to date first.
    Session().Save();
    EXPECT_EQ(Journal(), kEmptyQsoJournal + Line("IK2AAA"));
    EXPECT_FALSE(Session().JournalBehind());
}

TEST_F(LogSessionTest, ModeSwitchEmptiesTheLogAndForgetsTheFile) {
    ASSERT_TRUE(Add("IK2AAA"));
    prompts.fileAnswers.push_back(folder.File("gara.trnx"));
    Session().SaveAs();
    ASSERT_TRUE(Add("IK3BBB"));
    Set().station.category = "SWL";
    Session().SwitchMode(LogMode::Listening);
    EXPECT_EQ(Session().Log().Mode(), LogMode::Listening);
    EXPECT_EQ(Session().Log().RowCount(), 0u);
    EXPECT_FALSE(Set().modified);
    EXPECT_EQ(StoredInt("Modificato"), 0);
    EXPECT_EQ(Stored("Path log aperto"), "");
    EXPECT_EQ(Stored("Nome log aperto"), "");
    EXPECT_EQ(recorder.titles.back(), kBase);
    EXPECT_EQ(Journal(), "trnx141;hrd\r\nIK1XYZ\r\n0130\r\nSWL\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(LogSessionTest, RestartAfterSortingShowsTheJournalOrder) {
    Session().Log().Append(QsoRecord{"13.03.2005", "1000", "14", "CW", "B", "599", "599", "5678", "BETA"});
    ASSERT_TRUE(Session().JournalAppend(
        QsoLine(QsoRecord{"13.03.2005", "1000", "14", "CW", "B", "599", "599", "5678", ""}, "0130")));
    Session().Log().Append(QsoRecord{"12.03.2005", "1000", "14", "CW", "A", "599", "599", "5678", "BETA"});
    ASSERT_TRUE(Session().JournalAppend(
        QsoLine(QsoRecord{"12.03.2005", "1000", "14", "CW", "A", "599", "599", "5678", ""}, "0130")));
    Session().Log().SortByDateTime();
    EXPECT_EQ(Session().Log().Text(0, QsoCol::Callsign), "A");
    Start();
    EXPECT_EQ(Session().Log().Text(0, QsoCol::Callsign), "B");
}

TEST_F(LogSessionTest, RecentFilesKeepFiveNewestFirst) {
    for (const char* name : {"a", "b", "c", "d", "e", "f", "c"}) {
        ASSERT_TRUE(WriteFileAtomically(folder.File(std::string(name) + ".trnx"), kEmptyQsoJournal));
        prompts.fileAnswers.push_back(folder.File(std::string(name) + ".trnx"));
        Session().Open();
    }
    std::vector<std::string> expected;
    for (const char* name : {"c", "f", "e", "d", "b"}) {
        expected.push_back(folder.File(std::string(name) + ".trnx"));
    }
    EXPECT_EQ(Session().RecentFiles().Entries(), expected);
    Start();
    EXPECT_EQ(Session().RecentFiles().Entries(), expected);
    EXPECT_EQ(store.ReadString("Recent File List", "File5", ""), folder.File("b.trnx"));
}
