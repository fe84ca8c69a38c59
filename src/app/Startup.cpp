#include "app/Startup.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "app/AppTexts.h"
#include "sections/SectionsFile.h"
#include "util/FileIo.h"

namespace tarnex {

namespace {

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace

bool IsFolderWritable(const std::string& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool IsInstalledProgramFolder(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    std::filesystem::path bin(folder);
    if (!bin.has_filename()) {
        bin = bin.parent_path();  // "/usr/bin/" names "/usr/bin"
    }
    std::error_code ignored;
    return std::filesystem::is_regular_file(bin.parent_path() / "share" / "applications" / kDesktopEntryName,
                                            ignored);
}

std::string UserDataFolder() {
    auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value == nullptr ? "" : value);
    };
    // The base directory rule: an unset, empty or relative XDG_DATA_HOME is ignored.
    std::string base = variable("XDG_DATA_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = variable("HOME");
        if (home.empty()) {
            return {};
        }
        base = home + (home.back() == '/' ? "" : "/") + ".local/share";
    }
    if (base.back() != '/') {
        base += '/';
    }
    return base + kOrganisationName + "/" + kApplicationName;
}

std::string ChooseProgramFolder(const FolderChoice& choice) {
    auto writable = choice.isWritable ? choice.isWritable : IsFolderWritable;
    if (!choice.programFileFolder.empty() && !choice.installed && writable(choice.programFileFolder)) {
        return WithSeparator(choice.programFileFolder);
    }
    if (choice.userDataFolder.empty()) {
        // Nowhere else to go: the program's folder, where writes will be reported.
        return WithSeparator(choice.programFileFolder);
    }
    std::error_code ignored;
    std::filesystem::create_directories(choice.userDataFolder, ignored);
    return WithSeparator(choice.userDataFolder);
}

std::string SectionsFileErrorMessage(const std::string& path) {
    return "Errore apertura file sezioni:\n" + path + "\n\nImportare elenco sezioni dal menu Strumenti";
}

std::string StaleFilesErrorMessage(const std::vector<std::string>& paths) {
    std::string text = "Impossibile eliminare i file temporanei lasciati da un salvataggio interrotto:";
    for (const std::string& path : paths) {
        text += "\n" + path;
    }
    return text;
}

Startup::Startup(SettingsStore& store, UserPrompts& prompts)
    : prompts_(prompts), settings_(store), sections_(std::make_unique<SectionTable>()) {}

void Startup::Run(const FolderChoice& folders) {
    Run(ChooseProgramFolder(folders));
}

void Startup::Run(const std::string& programFolder) {
    // Settings in their order; the log mode follows the category as it is read.
    settings_.Load();
    programFolder_ = WithSeparator(programFolder);
    std::vector<std::string> stale = RemoveStaleTemporaryFiles(
        programFolder_, {std::begin(kProgramFolderFiles), std::end(kProgramFolderFiles)});
    if (!stale.empty()) {
        prompts_.ShowMessage(StaleFilesErrorMessage(stale), "Avviso", MessageIcon::Exclamation);
    }
    const std::string sectionsPath = programFolder_ + kSectionsFileName;
    sectionsLoaded_ = LoadSectionsFile(sectionsPath, *sections_);
    if (!sectionsLoaded_) {
        prompts_.ShowMessage(SectionsFileErrorMessage(sectionsPath), kProgramName, MessageIcon::Exclamation);
    }
}

}  // namespace tarnex
