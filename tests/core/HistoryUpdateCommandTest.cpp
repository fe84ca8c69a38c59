// "Aggiorna storico nominativi..." as a command: what the person is told when the
// history file cannot be written, and its own damaged lines counted.

#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "app/HistoryUpdateCommand.h"
#include "history/HistoryFile.h"
#include "util/FileIo.h"

using namespace tarnex;
using tarnex::testing::FaultHookGuard;
using tarnex::testing::PromptRecord;
using tarnex::testing::ScratchFolder;
using tarnex::testing::ScriptedPrompts;

TEST(HistoryUpdateCommand, AHistoryThatCannotBeWrittenIsSaidAndTheOldFileStays) {
    ScratchFolder folder;
    const std::string path = folder.File(kHistoryFileName);
    // The history's own damaged line (a five-digit section) is dropped from what is written.
    const std::string before =
        "!!Order!!,Call,Sect,LastQsoUtc\r\nIZ2OLD,1234,2019-06-01 10:00\r\nIZ2BAD,12345\r\n";
    ASSERT_TRUE(WriteFileAtomically(path, before));
    ASSERT_TRUE(WriteFileAtomically(folder.File("new.csv"), "IZ2NEW,5678\r\n"));

    for (bool failing : {true, false}) {
        SCOPED_TRACE(failing ? "rename fails" : "written");
        ScriptedPrompts prompts;
        prompts.fileListAnswers = {{folder.File("new.csv")}};
        HistoryUpdateCommand command(prompts, path);
        CallHistory history;
        bool ran = false;
        {
            FaultHookGuard fail(
                [failing](FileStep step, const std::string&) { return failing && step == FileStep::Rename; });
            ran = command.Run(history);
        }
        ASSERT_TRUE(ran);
        // What was read serves in either case.
        EXPECT_EQ(history.SectionOf("IZ2NEW"), std::optional<int>(5678));
        EXPECT_EQ(history.SectionOf("IZ2OLD"), std::optional<int>(1234));
        ASSERT_EQ(prompts.records.size(), 2u);
        EXPECT_EQ(prompts.records[0].kind, PromptRecord::OpenFiles);
        const PromptRecord& message = prompts.records[1];
        EXPECT_EQ(message.title, kHistoryUpdateTitle);
        const std::string counts =
            "Stazioni aggiunte allo storico: 1\nStazioni aggiornate: 0\nRighe danneggiate ignorate: 1";
        if (failing) {
            EXPECT_EQ(
                message.text.rfind(counts + "\n\nImpossibile salvare lo storico nominativi:\n" + path, 0), 0u)
                << message.text;
            EXPECT_EQ(message.icon, MessageIcon::Exclamation);
            EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>(before));
        } else {
            EXPECT_EQ(message.text, counts);
            EXPECT_EQ(message.icon, MessageIcon::Information);
            CallHistory saved;
            const HistoryLoadResult loaded = LoadHistoryFile(path, saved);
            EXPECT_EQ(loaded.damagedLines, 0u);
            EXPECT_EQ(saved.Records(), history.Records());
        }
    }
}
