#include "cli/CliInput.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/Startup.h"
#include "log/LogFile.h"
#include "sections/SectionsImport.h"
#include "util/FileIo.h"

namespace tarnex {

namespace {

std::string ReadOrThrow(const std::string& path, const char* what) {
    std::string error;
    std::optional<std::string> bytes = ReadFileBytes(path, &error);
    if (!bytes) {
        throw CliError("cannot read " + std::string(what) + " " + path + (error.empty() ? "" : ": " + error));
    }
    return std::move(*bytes);
}

constexpr size_t kHeaderLines = 12;

// True when the bytes hold at least that many LFs (counted no further).
bool HasLines(std::string_view bytes, size_t lines) {
    size_t pos = 0;
    for (size_t found = 0; found < lines; ++found, ++pos) {
        pos = bytes.find('\n', pos);
        if (pos == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

LoadedLog ReadLogForCli(const std::string& path, const SectionTable& sections, ContestLog& log) {
    std::string bytes = ReadOrThrow(path, "log");
    if (bytes.empty()) {
        throw CliError("log " + path + " is empty");
    }
    if (bytes.find('\0') != std::string::npos) {
        throw CliError("log " + path + " is not a log file (binary data)");
    }
    std::string_view firstLine = std::string_view(bytes).substr(0, bytes.find('\n'));
    bool header = firstLine.substr(0, 6) == "trnx14";
    if (header && !HasLines(bytes, kHeaderLines)) {
        throw CliError("log " + path + " ends inside its header");
    }
    if (!header && firstLine.find('^') == std::string_view::npos) {
        throw CliError("log " + path + " is not a log file (no header, and line 1 is not an entry)");
    }
    LoadedLog loaded;
    loaded.hasHeader = ReadLogBytes(bytes, sections, log, loaded.station).hasHeader;
    return loaded;
}

void ReadSectionsForCli(const std::string& path, SectionTable& table) {
    std::string bytes = ReadOrThrow(path, "sections file");
    if (MergeSectionsText(bytes, table) == 0 && !bytes.empty()) {
        throw CliError("sections file " + path + " holds no section lines");
    }
}

std::string ExecutableFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) {
        return {};
    }
    std::string folder = program.parent_path().string();
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

std::string CliProgramFolder() {
    FolderChoice choice;
    choice.programFileFolder = ExecutableFolder();
    choice.userDataFolder = UserDataFolder();
    choice.installed = IsInstalledProgramFolder(choice.programFileFolder);
    return ChooseProgramFolder(choice);
}

}  // namespace tarnex
