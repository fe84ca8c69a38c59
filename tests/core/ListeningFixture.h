#pragma once
// The entry form in listening mode: a session whose journal holds heard entries, with
// the listening half plugged into the form.

#include <vector>

#include "EntryFormFixture.h"
#include "entry/ListeningEntry.h"

namespace tarnex::testing {

class ListeningFixture : public EntryFormFixture {
  protected:
    ListeningFixture() {
        settings.station.category = "SWL";
        settings.logMode = LogMode::Listening;
    }
    ~ListeningFixture() override { form.reset(); }

    // Opens the window's session and form over a listening journal holding `heard`.
    void StartListening(const ClockNow& now = At(14, 23, 10)) {
        std::string bytes = LogHeaderBytes(LogMode::Listening, settings.station);
        for (const HrdRecord& record : heard) {
            bytes += ListeningLine(record);
        }
        std::ofstream(folder + "/_ult.trnx", std::ios::binary) << bytes;
        // The form observes the session's log: it must go before the session does.
        form.reset();
        session = std::make_unique<LogSession>(settings, sections, prompts, folder);
        session->LoadJournal();
        form = std::make_unique<EntryForm>(*session);
        form->SetView(&view);
        form->SetListeningHandler(&listening);
        form->Open(now);
    }

    // A heard entry of the journal StartListening loads.
    void Hear(const std::string& calling, const std::string& section, const std::string& answering,
              const std::string& band = "7", const std::string& mode = "SSB") {
        heard.push_back(HrdRecord{"01.06.2007", "1200", band, mode, calling, mode == "SSB" ? "59" : "599",
                                  section, answering});
    }

    // Callsign 1 typed and Enter: evaluated, the focus in section 1.
    void Call1(const std::string& callsign) {
        Focus(EntryField::Callsign);
        Type(EntryField::Callsign, callsign);
        Enter();
    }
    // Section 1 typed and Enter.
    void Section1(const std::string& code) {
        Focus(EntryField::Section);
        form->OnSectionTyped(code);
        Enter();
    }
    // Callsign 2 typed and Enter: checked, then evaluated as the focus leaves it.
    void Call2(const std::string& callsign) {
        Focus(EntryField::Callsign2);
        Type(EntryField::Callsign2, callsign);
        Enter();
    }
    // Section 2 typed (the focus there) and Enter: the checks and the adding.
    void Section2AndAdd(const std::string& code) {
        Focus(EntryField::Section2);
        form->OnSection2Typed(code);
        Enter();
    }
    void Exchange(const std::string& call1, const std::string& section1, const std::string& call2,
                  const std::string& section2) {
        Call1(call1);
        Section1(section1);
        Call2(call2);
        Section2AndAdd(section2);
    }

    const CallIndexEntry* Indexed(const std::string& callsign) const {
        return session->Log().Calls().Find(callsign);
    }
    std::string ListeningHeader() const { return LogHeaderBytes(LogMode::Listening, settings.station); }

    // The index as a list, to compare the one kept while typing with a rebuilt one.
    std::vector<CallIndexEntry> IndexEntries() const {
        std::vector<CallIndexEntry> entries;
        session->Log().Calls().ForEach([&](const CallIndexEntry& entry) { entries.push_back(entry); });
        return entries;
    }
    int RMarkersShown() const {
        int shown = 0;
        for (const Marker& marker : S().indicators.answers) {
            shown += marker.visible ? 1 : 0;
        }
        return shown;
    }
    int RMarkersOn() const {
        int on = 0;
        for (const Marker& marker : S().indicators.answers) {
            on += marker.visible && marker.on ? 1 : 0;
        }
        return on;
    }

    std::vector<HrdRecord> heard;
    ListeningEntry listening;
};

}  // namespace tarnex::testing
