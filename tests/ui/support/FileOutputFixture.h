#pragma once
// A log session as the window program builds it (settings over an in-memory store,
// a section table, scripted prompts, the journal in a fresh folder) with a bare window
// whose menu actions are wired to the file, score, export and print commands.

#include <QAction>
#include <QTemporaryDir>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedPrompts.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "sections/SectionTable.h"
#include "ui/FileOutputWiring.h"

namespace tarnex::testing {

class FileOutputFixture {
  public:
    // Values put into the store before the settings are read (section, key, value).
    struct Preset {
        std::string section;
        std::string key;
        std::string text;
        int32_t number = 0;
        bool isNumber = false;
    };
    static Preset Text(const std::string& section, const std::string& key, const std::string& value) {
        return {section, key, value, 0, false};
    }
    static Preset Number(const std::string& section, const std::string& key, int32_t value) {
        return {section, key, "", value, true};
    }

    // journal: the bytes of "_ult.trnx" before the window opens (none: no journal);
    // sectionsFile: a sections file loaded before the journal (none: no sections).
    // The window (and the controllers with it) goes before the session.
    explicit FileOutputFixture(const std::vector<Preset>& presets = {}, const std::string& journal = "",
                               const std::string& sectionsFile = "");

    // The folder of the journal, ending in "/", and a file in it.
    std::string Folder() const;
    std::string File(const std::string& name) const;
    // Names of the files in the folder, sorted.
    std::vector<std::string> FileNames() const;
    std::string JournalBytes() const;

    // Adds an entry as the entry form does: the row, then its journal line.
    void AddQso(const QsoRecord& record);
    void AddListening(const HrdRecord& record);

    void Trigger(MenuCommand command);
    QAction* Action(MenuCommand command) const { return actions_.at(command); }

    QTemporaryDir dir;
    MemorySettingsStore store;
    Settings settings{store};
    SectionTable sections;
    ScriptedPrompts prompts;
    std::unique_ptr<LogSession> session;
    QWidget window;
    FileOutputControllers controllers;
    // What the window's log list has selected.
    std::vector<size_t> selection;

  private:
    std::map<MenuCommand, QAction*> actions_;
};

// The bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::string& path);

}  // namespace tarnex::testing
