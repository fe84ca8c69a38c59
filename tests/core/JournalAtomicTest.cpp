#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "ScratchFolder.h"
#include "log/Journal.h"
#include "log/LogFile.h"

using namespace tarnex;
using tarnex::testing::FaultHookGuard;
using tarnex::testing::ScratchFolder;

namespace {

const StationSummary kStation{"IK1XYZ", "0130", "SINGLE-OP CW", "", "Mario", "", "", "", "", "", ""};

void Fill(ContestLog& log, size_t rows, const std::string& call) {
    for (size_t i = 0; i < rows; ++i) {
        log.Append(
            QsoRecord{"12.03.2005", "1423", "14", "CW", call + std::to_string(i), "599", "579", "5678", ""});
    }
}

}  // namespace

TEST(JournalAtomicRewrite, FailureAtEachStepKeepsThePreviousJournalWhole) {
    for (FileStep failing :
         {FileStep::Open, FileStep::Write, FileStep::Flush, FileStep::Close, FileStep::Rename}) {
        ScratchFolder folder;
        Journal journal(folder.File("_ult.trnx"));
        ContestLog before;
        Fill(before, 30, "OLD");
        ASSERT_TRUE(journal.Rewrite(before, kStation));
        const std::string previous = LogFileBytes(before, kStation);

        ContestLog after;
        Fill(after, 10, "NEW");
        FileResult result;
        {
            FaultHookGuard guard([&](FileStep step, const std::string&) { return step == failing; });
            result = journal.Rewrite(after, kStation);
        }
        EXPECT_FALSE(result.ok) << static_cast<int>(failing);
        EXPECT_FALSE(result.error.empty()) << static_cast<int>(failing);
        EXPECT_EQ(ReadFileBytes(journal.Path()), previous) << static_cast<int>(failing);
        // No temporary file is left behind.
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"_ult.trnx"}) << static_cast<int>(failing);
    }
}

TEST(JournalAtomicRewrite, ProcessKilledInsideTheRewriteLeavesThePreviousJournal) {
    for (FileStep killedAt : {FileStep::Write, FileStep::Flush, FileStep::Close, FileStep::Rename}) {
        ScratchFolder folder;
        Journal journal(folder.File("_ult.trnx"));
        ContestLog before;
        Fill(before, 200, "OLD");
        ASSERT_TRUE(journal.Rewrite(before, kStation));
        const std::string previous = LogFileBytes(before, kStation);

        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The child dies the hard way at the chosen step, as at a power cut.
            SetFileFaultHook([&](FileStep step, const std::string&) {
                if (step == killedAt) {
                    ::raise(SIGKILL);
                }
                return false;
            });
            ContestLog after;
            Fill(after, 50, "NEW");
            journal.Rewrite(after, kStation);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << static_cast<int>(killedAt);
        EXPECT_EQ(ReadFileBytes(journal.Path()), previous) << static_cast<int>(killedAt);
    }
}

TEST(JournalAtomicRewrite, ProcessKilledAtAnyMomentLeavesOneWholeJournal) {
    ScratchFolder folder;
    Journal journal(folder.File("_ult.trnx"));
    ContestLog first;
    Fill(first, 20000, "AAA");
    ContestLog second;
    Fill(second, 15000, "BBB");
    const std::string firstBytes = LogFileBytes(first, kStation);
    const std::string secondBytes = LogFileBytes(second, kStation);
    ASSERT_TRUE(journal.Rewrite(first, kStation));

    for (int delayMs : {1, 4, 9, 17, 30}) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            bool told = false;
            for (int i = 0; i < 100000; ++i) {
                journal.Rewrite(i % 2 ? first : second, kStation);
                if (!told) {
                    (void)!::write(ready[1], "x", 1);
                    told = true;
                }
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        std::optional<std::string> bytes = ReadFileBytes(journal.Path());
        ASSERT_TRUE(bytes.has_value());
        EXPECT_TRUE(*bytes == firstBytes || *bytes == secondBytes)
            << "after " << delayMs << " ms: " << bytes->size() << " bytes";
    }
}

TEST(JournalAppend, FailedAppendLeavesNoHalfLineAndNeverCreatesTheFile) {
    ScratchFolder folder;
    Journal journal(folder.File("_ult.trnx"));
    EXPECT_FALSE(journal.Append("a^\r\n").ok);
    EXPECT_FALSE(FileExists(journal.Path()));

    ContestLog log;
    ASSERT_TRUE(journal.Rewrite(log, kStation));
    const std::string header = LogHeaderBytes(LogMode::Qso, kStation);
    for (FileStep failing : {FileStep::Open, FileStep::Write, FileStep::Flush}) {
        {
            FaultHookGuard guard([&](FileStep step, const std::string&) { return step == failing; });
            EXPECT_FALSE(journal.Append("12.03.2005^1423^14^CW^A^599^0130^579^5678^\r\n").ok);
        }
        EXPECT_EQ(ReadFileBytes(journal.Path()), header);
    }
    EXPECT_TRUE(journal.Append("b^\r\n").ok);
    EXPECT_EQ(ReadFileBytes(journal.Path()), header + "b^\r\n");
}
