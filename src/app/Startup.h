#pragma once
// What the program does before its main window opens: read every setting (the log
// mode follows the category), work out the program folder and load the sections
// file. The window program adds the platform steps around it; the network-socket
// and component-object initialisations of other platforms have no counterpart here.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "base/UserPrompts.h"
#include "sections/SectionTable.h"

namespace tarnex {

// Where the program may keep "_ult.trnx" and "_sez.cod".
struct FolderChoice {
    std::string programFileFolder;  // the folder of the program file
    std::string userDataFolder;     // the person's data folder for the program
    // Whether files can be created in a folder; IsFolderWritable when empty.
    std::function<bool(const std::string&)> isWritable;
    // The program was installed with the system's programs: its folder is never
    // written, also when the person running it (root) could.
    bool installed = false;
};

bool IsFolderWritable(const std::string& folder);

// Whether the program file's folder is "<prefix>/bin" of an installed program: the
// installation put the desktop entry "<prefix>/share/applications/<kDesktopEntryName>"
// beside it. A build folder has none.
bool IsInstalledProgramFolder(const std::string& folder);

// The person's data folder for the program, shared by the window program and the
// command-line tool: $XDG_DATA_HOME when it is an absolute path (a relative one is
// ignored, as the base directory rule says, so the current directory is never
// used), else $HOME/.local/share; then "/KORVAL/Tarnex", without a final "/".
// Empty when HOME is not set either.
std::string UserDataFolder();

// The program file's folder when it is writable and not installed, otherwise the
// data folder (created when missing); never the current directory. Ends in "/".
std::string ChooseProgramFolder(const FolderChoice& choice);

// "Errore apertura file sezioni:\n" + path + "\n\nImportare elenco sezioni dal menu
// Strumenti".
std::string SectionsFileErrorMessage(const std::string& path);
// The stale temporary files that could not be removed, one path a line.
std::string StaleFilesErrorMessage(const std::vector<std::string>& paths);

class Startup {
  public:
    Startup(SettingsStore& store, UserPrompts& prompts);

    // Reads the settings, takes the program folder from the choice, removes what a
    // killed process left of a file replace there and loads the sections file,
    // telling the person when a stale file stays or the sections file cannot be
    // opened.
    void Run(const FolderChoice& folders);
    // The same with a folder given as it is (tests, tools).
    void Run(const std::string& programFolder);

    Settings& GetSettings() { return settings_; }
    SectionTable& Sections() { return *sections_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    bool SectionsLoaded() const { return sectionsLoaded_; }

  private:
    UserPrompts& prompts_;
    Settings settings_;
    std::unique_ptr<SectionTable> sections_;
    std::string programFolder_;
    bool sectionsLoaded_ = false;
};

}  // namespace tarnex
