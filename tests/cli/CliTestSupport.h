#pragma once
// Runs the real tarnex-cli program on files and collects what it prints.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarnex::clitest {

inline std::string CliPath() {
    const char* fromEnvironment = std::getenv("TARNEX_CLI_PATH");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : TARNEX_CLI_PATH;
}

inline std::string DataFile(const std::string& name) {
    return std::string(TARNEX_TEST_DATA) + "/cli/" + name;
}

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Single quotes for the shell, with embedded quotes escaped.
inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// A temporary folder, removed at the end of the test.
class TempFolder {
  public:
    TempFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("tarnex-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Runs `program` with the arguments; stdout and stderr go to files in `scratch`.
inline CliRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const TempFolder& scratch) {
    std::string command = ShellQuoted(program);
    for (const std::string& arg : args) {
        command += " " + ShellQuoted(arg);
    }
    const std::string outPath = scratch.File("stdout.txt");
    const std::string errPath = scratch.File("stderr.txt");
    command += " >" + ShellQuoted(outPath) + " 2>" + ShellQuoted(errPath);
    int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadAll(outPath);
    run.err = ReadAll(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

}  // namespace tarnex::clitest
