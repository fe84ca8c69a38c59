// Every command that replaces a file — the journal rewrite, Save, Save as, Open, the
// Cabrillo exports (written while they are made) and the sections file's save — taken
// through every step it asks the file layer for:
// - made to fail at that step (full disk, I/O error): the file it was replacing is
//   exactly as before, no temporary file is left, the person is told what failed in
//   an "Errore" box, and the log, the flag and the title stay as they were;
// - killed at that step in a child process: the file is the previous one, whole;
// - left to finish: the file is the new one, whole;
// - run against a real size limit that stops the writing half-way: as a failure.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FaultInjector.h"
#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "app/AppTexts.h"
#include "app/ExportCommands.h"
#include "app/LogSession.h"
#include "app/ScoreCommand.h"
#include "export/Cabrillo3Export.h"
#include "export/CabrilloExport.h"
#include "log/LogFile.h"
#include "score/ScoreComputation.h"
#include "sections/SectionTable.h"
#include "sections/SectionsFile.h"

using namespace tarnex;
using tarnex::testing::FaultInjector;
using tarnex::testing::PromptRecord;
using tarnex::testing::ScratchFolder;
using tarnex::testing::ScriptedPrompts;
using tarnex::testing::StepName;

namespace {

QsoRecord Contact(const std::string& call, int minute) {
    char time[8];
    std::snprintf(time, sizeof time, "14%02d", minute % 60);
    return {"12.03.2005", time, "14", "CW", call, "599", "579", "5678", "ROMA"};
}

// A program run over a folder of its own: settings, sections, prompts and the session
// with its journal loaded.
struct World {
    World() : settings(store) {
        store.WriteString("Dati riassuntivi", "Nominativo", "IK1XYZ");
        store.WriteString("Dati riassuntivi", "Sezione", "0130");
        settings.Load();
        sections->SetName(130, "BARI");
        sections->SetName(5678, "ROMA");
        session = std::make_unique<LogSession>(settings, *sections, prompts, folder.Folder());
        session->LoadJournal();
    }
    void Add(const std::string& call, int count) {
        for (int i = 0; i < count; ++i) {
            QsoRecord r = Contact(call + std::to_string(i), i);
            session->Log().Append(r);
            session->JournalAppend(QsoLine(r, settings.station.ownSection));
        }
    }
    // Rows in the log only (no journal lines), for a file of many blocks.
    void AddUnjournaled(const std::string& call, int count) {
        for (int i = 0; i < count; ++i) {
            session->Log().Append(Contact(call + std::to_string(i), i));
        }
    }
    std::string Journal() const { return folder.File(kJournalFileName); }

    ScratchFolder folder;
    MemorySettingsStore store;
    Settings settings;
    std::unique_ptr<SectionTable> sections = std::make_unique<SectionTable>();
    ScriptedPrompts prompts;
    std::unique_ptr<LogSession> session;
};

// What the person sees and what the commands keep, to compare before and after.
struct Visible {
    size_t rows = 0;
    bool modified = false;
    std::string openLogPath;
    std::string title;
    bool operator==(const Visible&) const = default;
};
Visible SeenIn(World& w) {
    return {w.session->Log().RowCount(), w.settings.modified, w.settings.openLogPath, w.session->Title()};
}

struct Scenario {
    const char* name;
    // Builds the world's files and state before the command.
    std::function<void(World&)> prepare;
    // The command.
    std::function<void(World&)> run;
    // The file the command replaces, and the bytes it holds when the command is done.
    std::function<std::string(World&)> target;
    std::function<std::string(World&)> newBytes;
    // How the message about a failure begins, for a failure at a step on `path`.
    std::function<std::string(World&, const std::string& path)> messageStart;
};

std::string Bytes(const std::string& path) {
    return ReadFileBytes(path).value_or("<missing>");
}

const char* kCannotWriteJournal = "Impossibile scrivere nel file log corrente:\n";
const char* kCannotSave = "Impossibile salvare il log nel file:\n";
const char* kCannotReadLog = "Impossibile leggere il log:\n";
const char* kCannotReplaceJournal = "Impossibile scrivere il file log corrente:\n";

std::vector<Scenario> Scenarios() {
    std::vector<Scenario> all;
    all.push_back({"journal rewrite after a delete",
                   [](World& w) {
                       w.Add("IK2AA", 12);
                       w.session->Log().RemoveRows({0, 5});
                   },
                   [](World& w) { w.session->RewriteJournal(); }, [](World& w) { return w.Journal(); },
                   [](World& w) { return LogFileBytes(w.session->Log(), w.settings.station); },
                   [](World& w, const std::string&) { return kCannotWriteJournal + w.Journal(); }});
    all.push_back({"save",
                   [](World& w) {
                       w.Add("IK2AA", 6);
                       w.prompts.fileAnswers = {w.folder.File("gara.trnx")};
                       w.session->SaveAs();
                       w.Add("IK3BB", 6);
                   },
                   [](World& w) { w.session->Save(); }, [](World& w) { return w.folder.File("gara.trnx"); },
                   [](World& w) { return Bytes(w.Journal()); },
                   [](World& w, const std::string&) { return kCannotSave + w.folder.File("gara.trnx"); }});
    all.push_back({"save as over an existing file",
                   [](World& w) {
                       w.Add("IK2AA", 8);
                       ASSERT_TRUE(WriteFileAtomically(w.folder.File("altro.trnx"), "un altro file\r\n"));
                       w.prompts.fileAnswers = {w.folder.File("altro.trnx")};
                   },
                   [](World& w) { w.session->SaveAs(); },
                   [](World& w) { return w.folder.File("altro.trnx"); },
                   [](World& w) { return Bytes(w.Journal()); },
                   [](World& w, const std::string&) { return kCannotSave + w.folder.File("altro.trnx"); }});
    all.push_back({"open",
                   [](World& w) {
                       w.Add("IK2AA", 4);
                       World other;
                       other.Add("IZ9ZZ", 9);
                       ASSERT_TRUE(WriteFileAtomically(w.folder.File("gara.trnx"), Bytes(other.Journal())));
                       w.prompts.yesNoAnswers = {true};
                       w.prompts.fileAnswers = {w.folder.File("gara.trnx")};
                   },
                   [](World& w) { w.session->Open(); }, [](World& w) { return w.Journal(); },
                   [](World& w) { return Bytes(w.folder.File("gara.trnx")); },
                   [](World& w, const std::string& path) {
                       return FileNameOf(path) == kJournalFileName
                                  ? kCannotReplaceJournal + w.Journal()
                                  : kCannotReadLog + w.folder.File("gara.trnx");
                   }});
    // The Cabrillo files go into the file a block at a time while they are made: a file
    // of some 1.3 MB takes several writes, and a full disk may strike at any of them.
    const char* kExportOpenError = "Errore apertura file:\n";
    auto prepareExport = [](World& w) {
        w.AddUnjournaled("IK2AA", 16000);
        ASSERT_TRUE(WriteFileAtomically(w.folder.File("gara.log"), "un export precedente\r\n"));
        w.prompts.yesNoAnswers = {true};
        w.prompts.fileAnswers = {w.folder.File("gara.log")};
    };
    auto exportTarget = [](World& w) { return w.folder.File("gara.log"); };
    auto exportMessage = [kExportOpenError](World& w, const std::string&) {
        return kExportOpenError + w.folder.File("gara.log");
    };
    all.push_back({"Cabrillo export over an existing file", prepareExport,
                   [](World& w) { ExportCommands(*w.session).ExportCabrillo(); }, exportTarget,
                   [](World& w) {
                       return ExportCabrillo(w.session->Log(), w.settings.station, *w.sections,
                                             ComputeScore(w.session->Log()).claimedScore);
                   },
                   exportMessage});
    all.push_back({"Cabrillo 3.0 export over an existing file", prepareExport,
                   [](World& w) { ExportCommands(*w.session).ExportCabrillo3(); }, exportTarget,
                   [](World& w) {
                       return ExportCabrillo3(w.session->Log(), w.settings.station, *w.sections,
                                              ComputeScore(w.session->Log()).claimedScore);
                   },
                   exportMessage});
    return all;
}

// The answers scripted for a command that a child process ran: the child was asked,
// not this process.
void ForgetTheChildsAnswers(World& w) {
    w.prompts.yesNoAnswers.clear();
    w.prompts.fileAnswers.clear();
}

// The command's steps, learnt from a run that fails nothing.
std::vector<std::pair<FileStep, std::string>> StepsOf(const Scenario& s) {
    World w;
    s.prepare(w);
    FaultInjector recorder;
    s.run(w);
    return recorder.Steps();
}

}  // namespace

TEST(FaultFileCommands, FailureAtEveryStepKeepsThePreviousFileAndIsTold) {
    for (const Scenario& s : Scenarios()) {
        const auto steps = StepsOf(s);
        ASSERT_GE(steps.size(), 5u) << s.name;  // at least open, write, flush, close, rename
        for (size_t k = 0; k < steps.size(); ++k) {
            const std::string where = std::string(s.name) + ", step " + std::to_string(k) + " (" +
                                      StepName(steps[k].first) + " " + steps[k].second + ")";
            World w;
            s.prepare(w);
            const std::string target = s.target(w);
            const std::optional<std::string> before = ReadFileBytes(target);
            const auto namesBefore = w.folder.Names();
            const Visible seenBefore = SeenIn(w);
            w.prompts.records.clear();
            {
                FaultInjector injector(FaultInjector::Action::Fail, k);
                s.run(w);
                EXPECT_TRUE(injector.Struck()) << where;
            }
            EXPECT_EQ(ReadFileBytes(target), before) << where;
            EXPECT_EQ(w.folder.Names(), namesBefore) << where << ": a temporary file was left";
            EXPECT_EQ(SeenIn(w), seenBefore) << where;
            const std::vector<PromptRecord> boxes = w.prompts.Boxes();
            const auto errors = std::count_if(boxes.begin(), boxes.end(), [](const PromptRecord& r) {
                return r.kind == PromptRecord::Message;
            });
            ASSERT_EQ(errors, 1) << where;
            const PromptRecord& told = boxes.back();
            EXPECT_EQ(told.title, "Errore") << where;
            EXPECT_EQ(told.icon, MessageIcon::Stop) << where;
            EXPECT_EQ(told.text.rfind(s.messageStart(w, steps[k].second), 0), 0u)
                << where << ": " << told.text;
        }
        // Left alone, the command writes the new file whole.
        World w;
        s.prepare(w);
        const std::string expected = s.newBytes(w);
        s.run(w);
        EXPECT_EQ(ReadFileBytes(s.target(w)), expected) << s.name;
        EXPECT_TRUE(w.prompts.Boxes().empty() || w.prompts.Boxes().back().kind == PromptRecord::Question)
            << s.name;
    }
}

TEST(FaultFileCommands, CabrilloExportsAreWrittenBlockByBlockWhileMade) {
    // Each block is its own write, so that the failures above strike in the middle of
    // the file as well as at its start and end.
    for (const Scenario& s : Scenarios()) {
        if (std::string(s.name).rfind("Cabrillo", 0) != 0) {
            continue;
        }
        const auto steps = StepsOf(s);
        const auto writes = std::count_if(steps.begin(), steps.end(), [](const auto& step) {
            return step.first == FileStep::Write && FileNameOf(step.second) == "gara.log";
        });
        EXPECT_GE(writes, 4) << s.name;
    }
}

TEST(FaultFileCommands, ProcessKilledAtEveryStepLeavesThePreviousFileWhole) {
    for (const Scenario& s : Scenarios()) {
        const size_t count = StepsOf(s).size();
        for (size_t k = 0; k <= count; ++k) {
            const std::string where = std::string(s.name) + ", step " + std::to_string(k);
            World w;
            s.prepare(w);
            const std::string target = s.target(w);
            const std::optional<std::string> before = ReadFileBytes(target);
            const std::string after = s.newBytes(w);

            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                FaultInjector stopper(FaultInjector::Action::Stop, k);
                s.run(w);
                ::_exit(0);
            }
            ForgetTheChildsAnswers(w);
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, WUNTRACED), child) << where;
            if (WIFSTOPPED(status)) {
                ::kill(child, SIGKILL);
                ASSERT_EQ(::waitpid(child, &status, 0), child) << where;
                ASSERT_TRUE(WIFSIGNALED(status)) << where;
                EXPECT_EQ(ReadFileBytes(target), before)
                    << where << ": killed before the new file was in place";
            } else {
                // Past the last step: the command ran to its end.
                ASSERT_EQ(k, count) << where << ": the command ended before its last step";
                ASSERT_TRUE(WIFEXITED(status)) << where;
                EXPECT_EQ(ReadFileBytes(target), after) << where;
            }
        }
    }
}

TEST(FaultFileCommands, RealSizeLimitHalfWayIsAFailureThatKeepsThePreviousFile) {
    // The kernel stops the writing part-way (a file size limit stands in for a disk
    // that fills up): the partial temporary file goes, the previous file stays, and
    // the child reports through its exit status whether the person was told.
    for (const Scenario& s : Scenarios()) {
        World w;
        s.prepare(w);
        const std::string target = s.target(w);
        const std::optional<std::string> before = ReadFileBytes(target);
        const std::string after = s.newBytes(w);
        ASSERT_GT(after.size(), 64u) << s.name;
        const auto namesBefore = w.folder.Names();

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit {};
            limit.rlim_cur = after.size() / 2;
            limit.rlim_max = RLIM_INFINITY;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            w.prompts.records.clear();
            s.run(w);
            const auto boxes = w.prompts.Boxes();
            const bool told = !boxes.empty() && boxes.back().title == "Errore";
            ::_exit(told ? 0 : 3);
        }
        ForgetTheChildsAnswers(w);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child) << s.name;
        ASSERT_TRUE(WIFEXITED(status)) << s.name;
        EXPECT_EQ(WEXITSTATUS(status), 0) << s.name << ": the failure was not told";
        EXPECT_EQ(ReadFileBytes(target), before) << s.name;
        EXPECT_EQ(w.folder.Names(), namesBefore) << s.name;
    }
}

TEST(FaultFileCommands, SectionsSaveAtEveryStep) {
    ScratchFolder folder;
    const std::string path = folder.File(kSectionsFileName);
    SectionTable old;
    old.SetName(1, "ALFA");
    old.SetName(130, "BARI");
    ASSERT_TRUE(SaveSectionsFile(path, old));
    const std::string before = SectionsFileBytes(old);
    auto table = std::make_unique<SectionTable>();
    for (int32_t code = 0; code < 10000; code += 37) {
        table->SetName(code, "SEZIONE " + std::to_string(code));
    }
    const std::string after = SectionsFileBytes(*table);

    size_t count = 0;
    {
        FaultInjector recorder;
        ASSERT_TRUE(SaveSectionsFile(path, old));
        count = recorder.Steps().size();
    }
    for (size_t k = 0; k < count; ++k) {
        FileResult result;
        {
            FaultInjector injector(FaultInjector::Action::Fail, k);
            result = SaveSectionsFile(path, *table);
        }
        EXPECT_FALSE(result.ok) << k;
        EXPECT_NE(result.error.find(path), std::string::npos) << k << ": " << result.error;
        EXPECT_EQ(ReadFileBytes(path), before) << k;
        EXPECT_EQ(folder.Names(), std::vector<std::string>{kSectionsFileName}) << k;
    }
    for (size_t k = 0; k < count; ++k) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FaultInjector stopper(FaultInjector::Action::Stop, k);
            SaveSectionsFile(path, *table);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, WUNTRACED), child);
        ASSERT_TRUE(WIFSTOPPED(status)) << k;
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_EQ(ReadFileBytes(path), before) << k;
    }
    ASSERT_TRUE(SaveSectionsFile(path, *table));
    EXPECT_EQ(ReadFileBytes(path), after);
}
