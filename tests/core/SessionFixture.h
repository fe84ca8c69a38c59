#pragma once
// A log session as the program opens it at start-up, over an in-memory settings store
// and a scratch folder that holds the journal; the test adds its own settings and
// sections before opening it.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "sections/SectionTable.h"

namespace tarnex::testing {

class SessionFixture : public ::testing::Test {
  protected:
    SessionFixture() : settings(store) { settings.Load(); }

    // Opens the session in `mode` and loads the journal.
    void OpenSession(LogMode mode) {
        settings.logMode = mode;
        session = std::make_unique<LogSession>(settings, sections, prompts, scratch.Folder());
        session->LoadJournal();
    }
    // The journal's bytes as they are on disk.
    std::string Journal() const {
        std::ifstream in(scratch.File("_ult.trnx"), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    ScratchFolder scratch;
    MemorySettingsStore store;
    Settings settings;
    SectionTable sections;
    ScriptedPrompts prompts;
    std::unique_ptr<LogSession> session;
};

}  // namespace tarnex::testing
