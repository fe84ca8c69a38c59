// What reaches the entry form from outside the person's own hands: a band and mode
// from the radio, the keystrokes of the callsign fields for whoever follows them, and
// a section from an outside source when the log has none.

#include <optional>

#include "EntryFormFixture.h"
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
    } cases[] = {
        {"not in the log: the source's section", "IZ9ZZZ", "5678", "5678", "ROMA", true, true},
        {"the log's own section wins", "IZ2AAA", "1234", "1234", "MILANO", false, true},
        {"the source knows nothing", "IZ9ZZZ", std::nullopt, "", "", true, false},
        {"not a four-digit code", "IZ9ZZZ", "56a8", "", "", true, false},
        {"too short", "IZ9ZZZ", "130", "", "", true, false},
        {"a duplicate keeps the section empty", "IZ3DUP", "5678", "", "", false, false},
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
    }
    // Without a source nothing changes.
    seeded.clear();
    Start();
    Type(EntryField::Callsign, "IZ9ZZZ");
    Enter();
    EXPECT_EQ(V().section, "");
}

}  // namespace
