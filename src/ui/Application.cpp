#include "ui/Application.h"

#include <QCoreApplication>

#include "ui/QtSettingsStore.h"
#include "ui/QtUserPrompts.h"
#include "ui/TextCodec.h"

namespace tarnex {

Application::Application(ApplicationSetup setup) : programFolder_(std::move(setup.programFolder)) {
    if (setup.store != nullptr) {
        store_ = setup.store;
    } else {
        ownStore_ = std::make_unique<QtSettingsStore>();
        store_ = ownStore_.get();
    }
    if (setup.prompts != nullptr) {
        prompts_ = setup.prompts;
    } else {
        ownPrompts_ = std::make_unique<QtUserPrompts>();
        prompts_ = ownPrompts_.get();
    }
    startup_ = std::make_unique<Startup>(*store_, *prompts_);
}

Application::~Application() = default;

FolderChoice Application::DefaultFolders() {
    FolderChoice choice;
    choice.programFileFolder = TextCodec::QStringToPath(QCoreApplication::applicationDirPath());
    // The command-line tool finds the same folder without Qt.
    choice.userDataFolder = UserDataFolder();
    choice.installed = IsInstalledProgramFolder(choice.programFileFolder);
    return choice;
}

void Application::Start() {
    if (programFolder_.empty()) {
        startup_->Run(DefaultFolders());
    } else {
        startup_->Run(programFolder_);
    }
    session_ = std::make_unique<LogSession>(startup_->GetSettings(), startup_->Sections(), *prompts_,
                                            startup_->ProgramFolder());
}

void Application::SetMainWindow(QWidget* window) {
    if (ownPrompts_) {
        ownPrompts_->SetParentWidget(window);
    }
}

}  // namespace tarnex
