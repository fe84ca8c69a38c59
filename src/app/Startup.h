#pragma once
// What the program does before its main window opens: read every setting (the log
// mode follows the category), work out the program folder and load the sections
// file. The window program adds the platform steps around it; the network-socket
// and component-object initialisations of other platforms have no counterpart here.

#include <functional>
#include <memory>
#include <string>

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
};

bool IsFolderWritable(const std::string& folder);

// The program file's folder when it is writable, otherwise the data folder (created
// when missing); never the current directory. Ends in "/".
std::string ChooseProgramFolder(const FolderChoice& choice);

// "Errore apertura file sezioni:\n" + path + "\n\nImportare elenco sezioni dal menu
// Strumenti".
std::string SectionsFileErrorMessage(const std::string& path);

class Startup {
  public:
    Startup(SettingsStore& store, UserPrompts& prompts);

    // Reads the settings, takes the program folder from the choice and loads the
    // sections file, telling the person when it cannot be opened.
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
