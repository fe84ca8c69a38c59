// What reaches the entry form from outside the person's own hands: a band and mode
// from the radio, the keystrokes of the callsign fields for whoever follows them, and
// a section from an outside source when the log has none.

#include <map>
#include <optional>

#include "EntryFormFixture.h"
#include "ListeningFixture.h"
#include "entry/EntryFormObserver.h"
#include "entry/SectionSource.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

class EntryFormSeams : public EntryFormFixture {
  protected:
    // A form on a log holding IZ2AAA on 14 CW, with IZ2AAA typed and evaluated.
    void StartWithCallsign() {
        seeded.clear();
        Seed("IZ2AAA", "14", "CW", "5678");
        settings.SetBand("7");
        settings.SetMode("SSB");
        Start();
        TypeContactCallsign("IZ2AAA");
    }
    void TypeContactCallsign(const std::string& callsign) {
        Focus(EntryField::Callsign);
        Type(EntryField::Callsign, callsign);
        Enter();
    }
    // What the person would do for the same band and mode: pick each list entry that
    // differs from what the list shows (a list tells only of a change), mode first.
    void ChooseInLists(const std::string& band, const std::string& mode) {
        if (ModeListIndex(mode) >= 0 && mode != V().mode) {
            form->OnModeChosen(ModeListIndex(mode));
        }
        if (BandListIndex(band) >= 0 && band != V().band) {
            form->OnBandChosen(BandListIndex(band));
        }
    }
    struct Seen {
        EntryFormState state;
        std::string storedBand;
        std::string storedMode;
    };
    Seen Now() {
        return {S(), store.ReadString("Parametri", "Banda", "?"), store.ReadString("Parametri", "Modo", "?")};
    }
};

void ExpectSame(const EntryFormState& a, const EntryFormState& b) {
    EXPECT_EQ(a.values, b.values);
    EXPECT_EQ(a.focus, b.focus);
    EXPECT_EQ(a.cells, b.cells);
    EXPECT_EQ(a.indicators, b.indicators);
    EXPECT_EQ(a.previous, b.previous);
    EXPECT_EQ(a.duplicate, b.duplicate);
}

TEST_F(EntryFormSeams, TheRadiosBandAndModeTakeThePathOfThePersonsChoice) {
    struct Case {
        const char* band;
        const char* mode;
        const char* shownBand;  // afterwards
        const char* shownMode;
    } cases[] = {
        {"14", "CW", "14", "CW"},        // both change: reports for CW, the duplicate shows
        {"1,8", "RTTY", "3,5", "RTTY"},  // never RTTY on 1,8
        {"21", "SSB", "21", "SSB"},      // the band only
        {"7", "RTTY", "7", "RTTY"},      // the mode only
        {"7", "SSB", "7", "SSB"},        // nothing new
        {"", "", "7", "SSB"},            // nothing known
        {"145", "FM", "7", "SSB"},       // no entries of the lists
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.band) + " " + c.mode);
        StartWithCallsign();
        ChooseInLists(c.band, c.mode);
        const Seen chosen = Now();

        StartWithCallsign();
        form->OnBandModeReported(c.band, c.mode);
        const Seen reported = Now();

        ExpectSame(reported.state, chosen.state);
        EXPECT_EQ(reported.storedBand, chosen.storedBand);
        EXPECT_EQ(reported.storedMode, chosen.storedMode);
        EXPECT_EQ(V().band, c.shownBand);
        EXPECT_EQ(V().mode, c.shownMode);
    }
    // The first case in full: evaluated again on 14 CW, where IZ2AAA was worked.
    StartWithCallsign();
    form->OnBandModeReported("14", "CW");
    EXPECT_EQ(V().rstSent, "599");
    EXPECT_TRUE(S().duplicate);
    EXPECT_TRUE(S().indicators.duplicate);
    EXPECT_TRUE(Cell(1, 1, 3));
    EXPECT_EQ(store.ReadString("Parametri", "Banda", ""), "14");
    EXPECT_EQ(store.ReadString("Parametri", "Modo", ""), "CW");
}

TEST_F(EntryFormSeams, ARepeatedReportLeavesTheFormAlone) {
    StartWithCallsign();
    form->OnBandModeReported("1,8", "RTTY");
    ASSERT_EQ(V().band, "3,5");
    Focus(EntryField::Callsign);
    Type(EntryField::Callsign, "IZ");  // half typed: an evaluation would empty it
    const int writes = store.Writes();
    const int redraws = view.redraws;
    for (int poll = 0; poll < 3; ++poll) {
        form->OnBandModeReported("1,8", "RTTY");
        form->OnBandModeReported("3,5", "RTTY");
    }
    EXPECT_EQ(V().callsign, "IZ");
    EXPECT_EQ(store.Writes(), writes);
    EXPECT_EQ(view.redraws, redraws);
}

class RecordingObserver : public EntryFormObserver {
  public:
    void CallsignTyped(EntryField field, const std::string& text) override { seen.emplace_back(field, text); }
    std::vector<std::pair<EntryField, std::string>> seen;
};

TEST_F(EntryFormSeams, EveryKeystrokeInACallsignFieldIsToldAfterTheFormTookIt) {
    Start();
    RecordingObserver first;
    RecordingObserver second;
    form->AddObserver(&first);
    form->AddObserver(&second);
    form->OnCallsignTyped(EntryField::Callsign, "I");
    form->OnCallsignTyped(EntryField::Callsign, "IZ");
    form->OnCallsignTyped(EntryField::Callsign2, "K1");
    Type(EntryField::Callsign, "IZ2");  // not a keystroke of the person: nobody is told
    const std::vector<std::pair<EntryField, std::string>> expected = {
        {EntryField::Callsign, "I"}, {EntryField::Callsign, "IZ"}, {EntryField::Callsign2, "K1"}};
    EXPECT_EQ(first.seen, expected);
    EXPECT_EQ(second.seen, expected);
    EXPECT_EQ(V().callsign, "IZ2");
    EXPECT_EQ(V().callsign2, "K1");

    form->RemoveObserver(&first);
    form->OnCallsignTyped(EntryField::Callsign, "IZ2A");
    EXPECT_EQ(first.seen.size(), 3u);
    EXPECT_EQ(second.seen.back(), (std::pair<EntryField, std::string>{EntryField::Callsign, "IZ2A"}));
}

class FixedSections : public SectionSource {
  public:
    std::optional<std::string> SectionOf(const std::string& callsign) override {
        asked.push_back(callsign);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> asked;
};

TEST_F(EntryFormSeams, AnOutsideSourceGivesTheSectionOnlyWhenTheLogHasNone) {
    struct Case {
        const char* name;
        const char* callsign;
        std::optional<std::string> answer;
        const char* section;  // afterwards
        const char* sectionName;
        bool asked;
        bool newMultiplier;  // the section's grid was lit, not yet worked on 7 SSB
        bool unheard;        // shown as a section not heard
    } cases[] = {
        {"not in the log: the source's section", "IZ9ZZZ", "5678", "5678", "ROMA", true, true, true},
        {"the log's own section wins", "IZ2AAA", "1234", "1234", "MILANO", false, true, false},
        {"the source knows nothing", "IZ9ZZZ", std::nullopt, "", "", true, false, false},
        {"not a four-digit code", "IZ9ZZZ", "56a8", "", "", true, false, false},
        {"too short", "IZ9ZZZ", "130", "", "", true, false, false},
        {"a duplicate keeps the section empty", "IZ3DUP", "5678", "", "", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seeded.clear();
        Seed("IZ2AAA", "14", "SSB", "1234");
        Seed("IZ3DUP", "7", "SSB", "");
        Start();
        FixedSections source;
        source.answer = c.answer;
        form->SetSectionSource(&source);
        Focus(EntryField::Callsign);
        Type(EntryField::Callsign, c.callsign);
        Enter();
        EXPECT_EQ(V().section, c.section);
        EXPECT_EQ(V().sectionName, c.sectionName);
        EXPECT_EQ(!source.asked.empty(), c.asked);
        EXPECT_EQ(S().indicators.newMultiplier, c.newMultiplier);
        EXPECT_EQ(SectionUnheard(S(), EntryRow::First), c.unheard);
    }
    // Without a source nothing changes.
    seeded.clear();
    Start();
    Type(EntryField::Callsign, "IZ9ZZZ");
    Enter();
    EXPECT_EQ(V().section, "");
}

// A call history: a section for some callsigns.
class KnownSections : public SectionSource {
  public:
    KnownSections(std::initializer_list<std::pair<const std::string, std::string>> known) : known_(known) {}
    std::optional<std::string> SectionOf(const std::string& callsign) override {
        asked.push_back(callsign);
        auto it = known_.find(callsign);
        return it == known_.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::vector<std::string> asked;

  private:
    std::map<std::string, std::string> known_;
};

TEST_F(EntryFormSeams, ASectionFromTheSourceStaysUnheardUntilThePersonTypesOrConfirmsIt) {
    enum class Act { Nothing, TypeOver, TypeSame, Leave, ChangeBand, BackToCallsign, Clear };
    struct Case {
        const char* name;
        Act act;  // with the focus in the section
        bool unheard;
        const char* section;
    } cases[] = {
        {"nothing done yet", Act::Nothing, true, "5678"},
        {"typed over", Act::TypeOver, false, "1234"},
        {"typed again the same", Act::TypeSame, false, "5678"},
        {"left for another field", Act::Leave, false, "5678"},
        {"a band change evaluates the callsign again", Act::ChangeBand, true, "5678"},
        {"back to the callsign, which empties the section", Act::BackToCallsign, false, ""},
        {"cleared", Act::Clear, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seeded.clear();
        Start();
        KnownSections history({{"IZ9ZZZ", "5678"}});
        form->SetSectionSource(&history);
        TypeContactCallsign("IZ9ZZZ");
        ASSERT_EQ(S().focus, EntryField::Section);
        switch (c.act) {
            case Act::Nothing:
                break;
            case Act::TypeOver:
                form->OnSectionTyped("1234");
                break;
            case Act::TypeSame:
                form->OnSectionTyped("5678");
                break;
            case Act::Leave:
                Focus(EntryField::RstSent);
                break;
            case Act::ChangeBand:
                form->OnBandChosen(BandListIndex("14"));
                break;
            case Act::BackToCallsign:
                Focus(EntryField::Callsign);
                break;
            case Act::Clear:
                form->OnClear();
                break;
        }
        EXPECT_EQ(V().section, c.section);
        EXPECT_EQ(SectionUnheard(S(), EntryRow::First), c.unheard);
    }

    // Enter in the section confirms it, also when the contact is then refused: a code
    // the sections list does not hold, and No to the question.
    seeded.clear();
    Start();
    KnownSections unknown({{"IZ9ZZZ", "4321"}});
    form->SetSectionSource(&unknown);
    TypeContactCallsign("IZ9ZZZ");
    ASSERT_TRUE(SectionUnheard(S(), EntryRow::First));
    Enter();
    EXPECT_EQ(Log().RowCount(), 0u);
    EXPECT_EQ(S().focus, EntryField::Section);
    EXPECT_EQ(V().section, "4321");
    EXPECT_FALSE(SectionUnheard(S(), EntryRow::First));

    // The focus passing from the callsign to the reports leaves the section unheard;
    // the contact added with it takes it as it is, and the form starts afresh.
    seeded.clear();
    Start();
    KnownSections rome({{"IZ9ZZZ", "5678"}});
    form->SetSectionSource(&rome);
    Focus(EntryField::Callsign);
    Type(EntryField::Callsign, "IZ9ZZZ");
    Focus(EntryField::RstSent);
    EXPECT_EQ(V().section, "5678");
    EXPECT_TRUE(SectionUnheard(S(), EntryRow::First));
    Focus(EntryField::Section);
    Enter();
    ASSERT_EQ(Log().RowCount(), 1u);
    EXPECT_EQ(Log().Qso(0).section, "5678");
    EXPECT_EQ(S().unheardSections, (std::array<std::string, 2>{}));
}

class ListeningSeams : public ListeningFixture {};

TEST_F(ListeningSeams, BothCallsignsTakeTheSourcesSectionWhenTheLogAndThePersonGaveNone) {
    // IZ2AAA heard calling with 1234; IZ2BBB only heard answering (no section on record).
    Hear("IZ2AAA", "1234", "IZ2BBB");
    StartListening();
    KnownSections history({{"IZ2AAA", "5678"}, {"IZ2BBB", "0130"}, {"IZ2NEW", "5678"}, {"IZ2TWO", "5678"}});
    form->SetSectionSource(&history);

    // Callsign 1 new: the history's section, shown as typed (name, grid, M marker).
    Call1("IZ2NEW");
    EXPECT_EQ(V().section, "5678");
    EXPECT_EQ(V().sectionName, "ROMA");
    EXPECT_TRUE(S().indicators.multiplier[0].visible);
    EXPECT_TRUE(SectionUnheard(S(), EntryRow::First));
    Enter();  // confirmed; on to callsign 2
    EXPECT_FALSE(SectionUnheard(S(), EntryRow::First));
    EXPECT_EQ(S().focus, EntryField::Callsign2);

    // Callsign 2 in the log without a section: the history's.
    Call2("IZ2BBB");
    EXPECT_EQ(V().section2, "0130");
    EXPECT_EQ(V().sectionName2, "BARI");
    EXPECT_TRUE(SectionUnheard(S(), EntryRow::Second));
    EXPECT_FALSE(S().duplicate);
    Enter();  // in section 2: confirmed and added, both ways round (section 2 is known)
    ASSERT_EQ(Log().RowCount(), 3u);
    EXPECT_EQ(Log().Listening(1).callingSection, "5678");
    EXPECT_EQ(Log().Listening(2).callingCall, "IZ2BBB");
    EXPECT_EQ(Log().Listening(2).callingSection, "0130");
    EXPECT_EQ(S().unheardSections, (std::array<std::string, 2>{}));

    // The log's section of callsign 1 wins, and a typed section 1 is never replaced.
    history.asked.clear();
    Call1("IZ2AAA");
    EXPECT_EQ(V().section, "1234");
    EXPECT_FALSE(SectionUnheard(S(), EntryRow::First));
    EXPECT_EQ(history.asked, std::vector<std::string>{});
    form->OnClear();
    Call1("IZ2TWO");
    form->OnSectionTyped("0130");
    form->OnBandChosen(BandListIndex("14"));  // evaluated again
    EXPECT_EQ(V().section, "0130");
    EXPECT_FALSE(SectionUnheard(S(), EntryRow::First));
    EXPECT_EQ(history.asked, std::vector<std::string>{"IZ2TWO"});
}

TEST_F(ListeningSeams, TheUnheardMarkGoesWithSectionOneWhenTheStationsAreSwapped) {
    // IZ2XXX answered three times on 7 SSB: an exchange with it answering is turned round.
    for (char c : {'A', 'B', 'C'}) {
        Hear(std::string("IZ2") + c + "AA", "1234", "IZ2XXX");
    }
    StartListening();
    KnownSections history({{"IZ2YYY", "5678"}});
    form->SetSectionSource(&history);
    Focus(EntryField::Callsign);
    Type(EntryField::Callsign, "IZ2YYY");
    Focus(EntryField::RstSent);  // evaluated; section 1 never entered
    ASSERT_TRUE(SectionUnheard(S(), EntryRow::First));
    Call2("IZ2XXX");
    EXPECT_EQ(V().callsign, "IZ2XXX");
    EXPECT_EQ(V().callsign2, "IZ2YYY");
    EXPECT_EQ(V().section2, "5678");
    EXPECT_FALSE(SectionUnheard(S(), EntryRow::First));
    EXPECT_TRUE(SectionUnheard(S(), EntryRow::Second));
}

}  // namespace
