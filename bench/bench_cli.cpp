// The command-line tool from outside, as a person runs it: `tarnex-cli score` on a
// log file, side by side with `wc -l` on the same file, both as whole processes
// (start, loading of libraries, reading, work, exit). Each figure is the processor
// time the process took (user and system, from the kernel's account of the child),
// so that a shared machine's waits do not count.
//
// Arguments: entries, then the mode (0 QSO, 1 listening).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BenchArgs.h"
#include "BenchSupport.h"
#include "SyntheticLogFiles.h"
#include "sections/SectionTable.h"

extern char** environ;

using namespace tarnex;
using namespace tarnex::bench;

namespace {

// One log file per size and mode, in the temporary folder, written once.
SyntheticLogFiles& LogFiles() {
    static SyntheticLogFiles files("cli");
    return files;
}

// Runs the program with its output thrown away; the processor time of the child in
// seconds, or a negative number when it could not run or failed.
double ProcessorTimeOf(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& arg : command) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void RunProcess(benchmark::State& state, const std::vector<std::string>& before) {
    std::vector<std::string> command = before;
    command.push_back(LogFiles().PathFor(static_cast<size_t>(state.range(0)), ModeArg(state)));
    for (auto _ : state) {
        const double seconds = ProcessorTimeOf(command);
        if (seconds < 0) {
            state.SkipWithError(("cannot run " + command.front()).c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// The baseline: counting the file's lines, the least a program can do with it.
void BM_WcLines(benchmark::State& state) {
    RunProcess(state, {"wc", "-l"});
}

// The claimed score of the log, as the tool reports it.
void BM_CliScore(benchmark::State& state) {
    RunProcess(state, {TARNEX_CLI_PATH, "score"});
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int64_t mode : {0, 1}) {
        for (int64_t entries : {1000, 100000}) {
            b->Args({entries, mode});
        }
    }
}

// Manual time: the figure is the child's processor time (median of five runs of
// twenty processes each).
BENCHMARK(BM_WcLines)
    ->Apply(Sizes)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CliScore)
    ->Apply(Sizes)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
