#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
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

void PutPlainFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
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

// A file is read whole, whatever its size and whatever happens to it between the look at
// its size and the reading: bytes added meanwhile are read too, a file cut meanwhile
// gives what is left, and a file of no known size (as those of /proc) is read to its end.
TEST(FileRead, GivesTheWholeFileWhateverItsSizeAndWhenItChangesMeanwhile) {
    ScratchFolder folder;
    const std::string path = folder.File("bytes.bin");
    std::mt19937 random(11);
    auto bytesOf = [&](size_t n) {
        std::string bytes(n, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        return bytes;
    };
    enum class Meanwhile { Nothing, Grows, Shrinks };
    for (size_t size : {size_t{0}, size_t{1}, size_t{65535}, size_t{65536}, size_t{65537}, size_t{200003}}) {
        for (Meanwhile meanwhile : {Meanwhile::Nothing, Meanwhile::Grows, Meanwhile::Shrinks}) {
            std::string expected = bytesOf(size);
            PutPlainFile(path, expected);
            const std::string added = bytesOf(70000 + size % 7);
            bool first = true;
            // The first read step comes after the size is taken: the file changes there.
            FaultHookGuard guard([&](FileStep step, const std::string&) {
                if (step == FileStep::Read && first) {
                    first = false;
                    if (meanwhile == Meanwhile::Grows) {
                        std::ofstream(path, std::ios::binary | std::ios::app) << added;
                    } else if (meanwhile == Meanwhile::Shrinks) {
                        std::filesystem::resize_file(path, size / 3);
                    }
                }
                return false;
            });
            if (meanwhile == Meanwhile::Grows) {
                expected += added;
            } else if (meanwhile == Meanwhile::Shrinks) {
                expected.resize(size / 3);
            }
            const std::optional<std::string> read = ReadFileBytes(path);
            ASSERT_TRUE(read.has_value());
            ASSERT_TRUE(*read == expected) << size << " bytes, case " << static_cast<int>(meanwhile) << ": read "
                                           << read->size() << ", expected " << expected.size();
        }
    }
    const std::optional<std::string> status = ReadFileBytes("/proc/self/status");
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(status->find("\nVmRSS:"), std::string::npos);
}
