#pragma once
// The program's long-lived objects for the window program: the settings over the
// user's settings store, the section table, the prompts and the log session, built
// by the start-up steps. main() and the window tests create one of these.

#include <memory>
#include <string>

#include "app/LogSession.h"
#include "app/Startup.h"

class QWidget;

namespace tarnex {

class QtUserPrompts;

struct ApplicationSetup {
    // Where settings are kept; the user's settings under "KORVAL" when null.
    SettingsStore* store = nullptr;
    // Who answers questions; real message boxes and file dialogs when null.
    UserPrompts* prompts = nullptr;
    // The folder of "_ult.trnx" and "_sez.cod"; chosen by start-up when empty.
    std::string programFolder;
};

class Application {
  public:
    explicit Application(ApplicationSetup setup = {});
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the start-up steps and creates the log session. Call once, after the
    // QApplication exists and before the main window is built.
    void Start();

    Settings& GetSettings() { return startup_->GetSettings(); }
    SectionTable& Sections() { return startup_->Sections(); }
    UserPrompts& Prompts() { return *prompts_; }
    LogSession& Session() { return *session_; }
    const std::string& ProgramFolder() const { return startup_->ProgramFolder(); }

    // Message boxes and file dialogs belong to this window from now on.
    void SetMainWindow(QWidget* window);

    // The default folders: the program file's folder and the user's data folder.
    static FolderChoice DefaultFolders();

  private:
    std::unique_ptr<SettingsStore> ownStore_;
    std::unique_ptr<QtUserPrompts> ownPrompts_;
    SettingsStore* store_ = nullptr;
    UserPrompts* prompts_ = nullptr;
    std::string programFolder_;
    std::unique_ptr<Startup> startup_;
    std::unique_ptr<LogSession> session_;
};

}  // namespace tarnex
