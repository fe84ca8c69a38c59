#pragma once
// A session on a journal in a fresh folder, with a small section table and scripted
// prompts, and an entry form over it: what the entry-form tests share.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ScriptedPrompts.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "entry/EntryForm.h"
#include "log/BandMode.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"

namespace tarnex::testing {

// 01.06.2007 at the given UTC time; the local time is `offset` hours ahead.
inline ClockNow At(int hour, int minute, int second = 0, int offset = 0, int day = 1) {
    ClockNow now;
    now.utc = {2007, 6, day, hour, minute, second};
    now.local = now.utc;
    now.local.hour = (hour + offset + 24) % 24;
    if (hour + offset >= 24) {
        now.local.day = day + 1;
    }
    return now;
}

class CountingView : public EntryFormView {
  public:
    void Redraw(const EntryFormState&) override { ++redraws; }
    int redraws = 0;
};

class EntryFormFixture : public ::testing::Test {
  protected:
    EntryFormFixture() : settings(store) {
        std::string pattern = (std::filesystem::temp_directory_path() / "entryform-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        sections.SetName(1234, "MILANO");
        sections.SetName(5678, "ROMA");
        sections.SetName(130, "BARI");
        settings.Load();
        settings.SetOwnSection("1234");
    }
    ~EntryFormFixture() override {
        form.reset();
        session.reset();
        std::filesystem::remove_all(folder);
    }

    // Opens the session (journal loaded) and the form, as the main window does.
    void Start(const ClockNow& now = At(14, 23, 10)) {
        if (!seeded.empty()) {
            std::string bytes = LogHeaderBytes(LogMode::Qso, settings.station);
            for (const QsoRecord& record : seeded) {
                bytes += QsoLine(record, settings.station.ownSection);
            }
            std::ofstream(folder + "/_ult.trnx", std::ios::binary) << bytes;
        }
        // The form observes the session's log: it must go before the session does.
        form.reset();
        session = std::make_unique<LogSession>(settings, sections, prompts, folder);
        session->LoadJournal();
        form = std::make_unique<EntryForm>(*session);
        form->SetView(&view);
        form->Open(now);
    }

    ContestLog& Log() { return session->Log(); }
    const EntryValues& V() const { return form->Values(); }
    const EntryFormState& S() const { return form->State(); }

    void Focus(EntryField field) { form->OnFocusChanged(field); }
    void Type(EntryField field, const std::string& text) { form->SetText(field, text); }
    void Enter() { form->OnEnter(); }

    // The person's way through one contact: callsign, Enter, section, Enter.
    void TypeContact(const std::string& callsign, const std::string& section) {
        Focus(EntryField::Callsign);
        Type(EntryField::Callsign, callsign);
        Enter();
        form->OnSectionTyped(section);
        Enter();
    }

    // A row of the journal that Start loads.
    void Seed(const std::string& callsign, const std::string& band, const std::string& mode,
              const std::string& section, const std::string& date = "01.06.2007",
              const std::string& time = "1200") {
        seeded.push_back(QsoRecord{date, time, band, mode, callsign, mode == "SSB" ? "59" : "599",
                                   mode == "SSB" ? "57" : "579", section, sections.NameOfText(section)});
    }

    std::string JournalBytes() const {
        std::ifstream in(folder + "/_ult.trnx", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::string HeaderBytes() const { return LogHeaderBytes(LogMode::Qso, settings.station); }

    bool Cell(int grid, int mode, int band) const { return S().cells[GridCell(grid, mode, band)]; }
    int LitCells() const {
        int lit = 0;
        for (bool cell : S().cells) {
            lit += cell ? 1 : 0;
        }
        return lit;
    }

    MemorySettingsStore store;
    Settings settings;
    SectionTable sections;
    ScriptedPrompts prompts;
    std::string folder;
    std::vector<QsoRecord> seeded;
    std::unique_ptr<LogSession> session;
    std::unique_ptr<EntryForm> form;
    CountingView view;
};

}  // namespace tarnex::testing
