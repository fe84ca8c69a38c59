// The entry form in QSO mode: Enter, focus moves, section typing, band and mode, the
// clear command and adding a contact.

#include "EntryFormFixture.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

using EntryFormQso = EntryFormFixture;

TEST_F(EntryFormQso, FirstContactIsAddedJournalledAndTheFormIsReadyForTheNext) {
    Start(At(14, 23, 10));
    ASSERT_EQ(S().focus, EntryField::Callsign);
    TypeContact("iz2aaa", "5678");

    ASSERT_EQ(Log().RowCount(), 1u);
    EXPECT_EQ(Log().Text(0, QsoCol::Number), "    1");
    EXPECT_EQ(Log().Qso(0),
              (QsoRecord{"01.06.2007", "1423", "7", "SSB", "IZ2AAA", "59", "59", "5678", "ROMA"}));
    // Own section seventh, report received eighth, section ninth; "^" after each; CR LF.
    EXPECT_EQ(JournalBytes(), HeaderBytes() + "01.06.2007^1423^7^SSB^IZ2AAA^59^1234^59^5678^\r\n");
    EXPECT_TRUE(Log().Modified());
    EXPECT_EQ(store.ReadInt("Parametri", "Modificato", 0), 1);
    EXPECT_TRUE(Log().Worked().IsWorked(5678, 0, BandBit(2)));

    EXPECT_EQ(V().callsign, "");
    EXPECT_EQ(V().section, "");
    EXPECT_EQ(V().sectionName, "");
    EXPECT_EQ(V().date, "01.06.2007");
    EXPECT_EQ(V().time, "1423");
    EXPECT_EQ(V().band, "7");
    EXPECT_EQ(V().mode, "SSB");
    EXPECT_EQ(V().rstSent, "59");
    EXPECT_EQ(V().rstReceived, "59");
    EXPECT_EQ(S().focus, EntryField::Callsign);
    EXPECT_EQ(LitCells(), 0);
    EXPECT_FALSE(S().indicators.newMultiplier);
    EXPECT_TRUE(prompts.records.empty());

    TypeContact("IZ2BBB", "1234");
    ASSERT_EQ(Log().RowCount(), 2u);
    EXPECT_EQ(Log().Text(1, QsoCol::Number), "    2");
}

TEST_F(EntryFormQso, ChecksRunInOrderAndTheFirstFailureTakesTheFocus) {
    struct Case {
        const char* name;
        bool autoClock;
        const char* callsign;
        const char* date;
        const char* rstSent;
        const char* rstReceived;
        const char* section;
        const char* ownSection;
        EntryField focus;  // None: the contact is added
    } cases[] = {
        {"bad callsign first", true, "K1ABC", "xx", "5", "5", "99", "", EntryField::Callsign},
        {"date while manual", false, "IZ2AAA", "30.02.2007", "5", "5", "99", "", EntryField::Date},
        {"date ignored while automatic", true, "IZ2AAA", "30.02.2007", "59", "59", "5678", "1234",
         EntryField::None},
        {"received before sent", false, "IZ2AAA", "01.06.2007", "60", "29", "5678", "",
         EntryField::RstReceived},
        {"sent", false, "IZ2AAA", "01.06.2007", "599", "59", "5678", "", EntryField::RstSent},
        {"unknown section", false, "IZ2AAA", "01.06.2007", "59", "59", "9999", "", EntryField::Section},
        {"short section", false, "IZ2AAA", "01.06.2007", "59", "59", "567", "", EntryField::Section},
        {"no own section", false, "IZ2AAA", "01.06.2007", "59", "59", "5678", "", EntryField::OwnSection},
        {"all good", false, "iz2aaa", "01.06.2007", "59", "59", "5678", "1234", EntryField::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.station.ownSection = c.ownSection;
        Start();
        if (!c.autoClock) {
            form->OnAutoClockClicked(false, At(14, 23, 30));
        }
        Type(EntryField::Date, c.date);
        Type(EntryField::RstSent, c.rstSent);
        Type(EntryField::RstReceived, c.rstReceived);
        Type(EntryField::Callsign, c.callsign);
        Focus(EntryField::Section);
        form->OnSectionTyped(c.section);
        prompts.records.clear();
        Enter();
        if (c.focus == EntryField::None) {
            EXPECT_EQ(Log().RowCount(), 1u);
            EXPECT_EQ(Log().Qso(0).callsign, "IZ2AAA");
            EXPECT_TRUE(prompts.records.empty());
        } else {
            EXPECT_EQ(Log().RowCount(), 0u);
            EXPECT_EQ(S().focus, c.focus);
            if (c.focus == EntryField::OwnSection) {
                ASSERT_EQ(prompts.records.size(), 1u);
                EXPECT_EQ(prompts.records[0].text,
                          "ATTENZIONE!\nSpecificare il codice della propria sezione.");
                EXPECT_EQ(prompts.records[0].title, "Avviso");
                EXPECT_EQ(prompts.records[0].icon, MessageIcon::Exclamation);
                EXPECT_EQ(V().section, "5678");  // the contact stays in the form
            } else {
                EXPECT_TRUE(prompts.records.empty());
            }
            if (c.focus == EntryField::Callsign) {
                // Refused callsign emptied; entering the callsign empties the section.
                EXPECT_EQ(V().callsign, "");
                EXPECT_EQ(V().section, "");
                EXPECT_EQ(V().sectionName, "");
            }
        }
        form.reset();
        session.reset();
        std::filesystem::remove(folder + "/_ult.trnx");
    }
}

TEST_F(EntryFormQso, EnterMovesThroughTheClockFieldsAndDoesNothingElsewhere) {
    Start();
    form->OnAutoClockClicked(false, At(14, 23, 30));
    ASSERT_EQ(S().focus, EntryField::Date);
    Enter();
    EXPECT_EQ(S().focus, EntryField::Time);
    Enter();
    EXPECT_EQ(S().focus, EntryField::Callsign);

    for (EntryField field : {EntryField::Band, EntryField::Mode, EntryField::RstSent, EntryField::RstReceived,
                             EntryField::OwnSection, EntryField::None}) {
        Focus(EntryField::Callsign);
        Type(EntryField::Callsign, "IZ2AAA");
        Focus(field);
        EntryValues before = V();
        Enter();
        EXPECT_EQ(S().focus, field);
        EXPECT_EQ(V(), before);
        EXPECT_EQ(Log().RowCount(), 0u);
    }
}

TEST_F(EntryFormQso, EnterInTheCallsignChecksIt) {
    Start();
    Type(EntryField::Callsign, "iz2aaa");
    Enter();
    EXPECT_EQ(V().callsign, "IZ2AAA");
    EXPECT_EQ(S().focus, EntryField::Section);  // the reports are skipped

    Focus(EntryField::Callsign);
    Type(EntryField::Callsign, "IZ2");
    Enter();
    EXPECT_EQ(V().callsign, "");
    EXPECT_EQ(S().focus, EntryField::Callsign);
}

TEST_F(EntryFormQso, FocusRedirectionsFollowTheAutomaticClock) {
    Start();
    Focus(EntryField::SectionName);
    EXPECT_EQ(S().focus, EntryField::Band);  // name -> date -> time -> band
    Focus(EntryField::Date);
    EXPECT_EQ(S().focus, EntryField::Band);
    Focus(EntryField::Callsign);
    Focus(EntryField::Time);
    EXPECT_EQ(S().focus, EntryField::Band);

    form->OnAutoClockClicked(false, At(14, 23, 30));
    Focus(EntryField::SectionName);
    EXPECT_EQ(S().focus, EntryField::Date);
    Focus(EntryField::Time);
    EXPECT_EQ(S().focus, EntryField::Time);
}

TEST_F(EntryFormQso, EnteringTheCallsignEmptiesTheSectionAndHidesTheMultiplier) {
    Start();
    Focus(EntryField::Section);
    form->OnSectionTyped("5678");
    ASSERT_EQ(V().sectionName, "ROMA");
    ASSERT_TRUE(S().indicators.newMultiplier);
    Focus(EntryField::Callsign);
    EXPECT_EQ(V().section, "");
    EXPECT_EQ(V().sectionName, "");
    EXPECT_FALSE(S().indicators.newMultiplier);
}

TEST_F(EntryFormQso, LeavingTheTimeFieldChecksItOnlyWhileManual) {
    struct Case {
        const char* typed;
        const char* after;
        bool valid;
    } cases[] = {
        {"14:05", "1405", true}, {"14.05", "1405", true}, {"0000", "0000", true}, {"2400", "2400", false},
        {"1260", "1260", false}, {"123", "123", false},   {"", "", false},
    };
    Start();
    form->OnAutoClockClicked(false, At(14, 23, 30));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Focus(EntryField::Time);
        Type(EntryField::Time, c.typed);
        prompts.records.clear();
        Focus(EntryField::Callsign);
        EXPECT_EQ(V().time, c.after);
        if (c.valid) {
            EXPECT_EQ(S().focus, EntryField::Callsign);
            EXPECT_TRUE(prompts.records.empty());
        } else {
            EXPECT_EQ(S().focus, EntryField::Time);
            ASSERT_EQ(prompts.records.size(), 1u);
            EXPECT_EQ(prompts.records[0].text, "Ora errata!");
            EXPECT_EQ(prompts.records[0].title, "Errore");
            EXPECT_EQ(prompts.records[0].icon, MessageIcon::Stop);
        }
    }

    // With the automatic clock on, the time is passed over and never checked.
    form->OnAutoClockClicked(true, At(14, 23, 40));
    Type(EntryField::Time, "99");
    prompts.records.clear();
    Focus(EntryField::Time);
    EXPECT_EQ(S().focus, EntryField::Band);
    EXPECT_EQ(V().time, "99");
    EXPECT_TRUE(prompts.records.empty());
}

TEST_F(EntryFormQso, OwnSectionFieldAcceptsKnownCodesOnly) {
    Start();
    EXPECT_EQ(V().ownSection, "1234");
    struct Case {
        const char* typed;
        const char* field;   // after leaving
        const char* stored;  // own section afterwards
        bool message;
    } cases[] = {
        {"12a4", "", "1234", false},     {"123", "", "1234", false}, {"9999", "", "1234", true},
        {"5678", "5678", "5678", false}, {"", "", "5678", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Focus(EntryField::OwnSection);
        Type(EntryField::OwnSection, c.typed);
        prompts.records.clear();
        Focus(EntryField::Callsign);
        EXPECT_EQ(V().ownSection, c.field);
        EXPECT_EQ(settings.station.ownSection, c.stored);
        EXPECT_EQ(store.ReadString("Dati riassuntivi", "Sezione", ""), c.stored);
        if (c.message) {
            ASSERT_EQ(prompts.records.size(), 1u);
            EXPECT_EQ(prompts.records[0].text, "Codice Sezione errato!");
            EXPECT_EQ(prompts.records[0].title, "Errore");
            EXPECT_EQ(prompts.records[0].icon, MessageIcon::Stop);
        } else {
            EXPECT_TRUE(prompts.records.empty());
        }
    }
}

TEST_F(EntryFormQso, TypingTheSectionLooksUpTheNameAndShowsItsGrid) {
    Seed("IZ9ZZZ", "14", "SSB", "5678");
    Start();
    Focus(EntryField::Section);

    form->OnSectionTyped("5678");
    EXPECT_EQ(V().sectionName, "ROMA");
    EXPECT_TRUE(Cell(0, 0, 3));
    EXPECT_EQ(LitCells(), 1);
    EXPECT_TRUE(S().indicators.newMultiplier);  // not worked on 7 SSB

    form->OnSectionTyped("9999");  // unknown: grid and picture stay
    EXPECT_EQ(V().sectionName, "");
    EXPECT_TRUE(Cell(0, 0, 3));
    EXPECT_TRUE(S().indicators.newMultiplier);

    form->OnSectionTyped("999");  // not four characters: grid off, picture hidden
    EXPECT_EQ(V().sectionName, "");
    EXPECT_EQ(LitCells(), 0);
    EXPECT_FALSE(S().indicators.newMultiplier);

    form->OnSectionTyped("0130");
    EXPECT_EQ(V().sectionName, "BARI");
    Enter();  // unknown codes aside, Enter needs a name: this one is known
    EXPECT_EQ(Log().RowCount(), 1u);
}

TEST_F(EntryFormQso, UnknownSectionKeepsTheFocusWithoutAMessage) {
    Start();
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();
    form->OnSectionTyped("4321");
    Enter();
    EXPECT_EQ(S().focus, EntryField::Section);
    EXPECT_EQ(Log().RowCount(), 0u);
    EXPECT_TRUE(prompts.records.empty());
}

TEST_F(EntryFormQso, RttyIsNeverOnOneEight) {
    Start();
    form->OnModeChosen(2);
    form->OnBandChosen(0);
    EXPECT_EQ(V().band, "3,5");
    EXPECT_EQ(store.ReadString("Parametri", "Banda", ""), "3,5");
    EXPECT_EQ(store.ReadString("Parametri", "Modo", ""), "RTTY");

    form->OnModeChosen(0);
    form->OnBandChosen(0);
    EXPECT_EQ(V().band, "1,8");
    EXPECT_EQ(store.ReadString("Parametri", "Banda", ""), "1,8");
    form->OnModeChosen(2);
    EXPECT_EQ(V().band, "3,5");
    EXPECT_EQ(V().mode, "RTTY");
    EXPECT_EQ(settings.band, "3,5");
    EXPECT_EQ(store.ReadString("Parametri", "Banda", ""), "3,5");
}

TEST_F(EntryFormQso, ReportsFollowTheModeLength) {
    struct Case {
        int fromMode;
        const char* sent;
        const char* received;
        int toMode;
        const char* sentAfter;
        const char* receivedAfter;
    } cases[] = {
        {1, "579", "599", 0, "59", "59"},
        {0, "57", "59", 1, "599", "599"},
        {1, "579", "449", 2, "579", "449"},  // right length: kept
        {0, "5", "", 0, "59", "59"},         // same mode chosen again
    };
    Start();
    for (const Case& c : cases) {
        form->OnModeChosen(c.fromMode);
        Type(EntryField::RstSent, c.sent);
        Type(EntryField::RstReceived, c.received);
        form->OnModeChosen(c.toMode);
        EXPECT_EQ(V().rstSent, c.sentAfter);
        EXPECT_EQ(V().rstReceived, c.receivedAfter);
    }
}

TEST_F(EntryFormQso, ClearEmptiesTheContactButKeepsThePreviousContacts) {
    Seed("IZ2AAA", "7", "SSB", "5678");
    Start();
    form->OnModeChosen(1);
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();  // CW: not a duplicate; section filled from the earlier contact
    ASSERT_EQ(V().section, "5678");
    ASSERT_EQ(S().previous.size(), 1u);
    Type(EntryField::RstSent, "579");
    Type(EntryField::RstReceived, "5");

    form->OnClear();
    EXPECT_EQ(V().callsign, "");
    EXPECT_EQ(V().section, "");
    EXPECT_EQ(V().sectionName, "");
    EXPECT_EQ(V().rstSent, "599");
    EXPECT_EQ(V().rstReceived, "599");
    EXPECT_EQ(LitCells(), 0);
    EXPECT_EQ(S().focus, EntryField::Callsign);
    EXPECT_EQ(S().previous.size(), 1u);
    EXPECT_EQ(V().previousCall, "IZ2AAA");
}

TEST_F(EntryFormQso, ClearKeepsTheDuplicateFlag) {
    Seed("IZ2AAA", "7", "SSB", "5678");
    Start();
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();
    ASSERT_TRUE(S().duplicate);
    form->OnClear();
    EXPECT_TRUE(S().duplicate);
    EXPECT_TRUE(S().indicators.duplicate);
    EXPECT_EQ(V().rstSent, "59");
}

TEST_F(EntryFormQso, OpensWithTheStoredBandModeAndOwnSection) {
    struct Case {
        const char* band;
        const char* mode;
        const char* bandShown;
        const char* modeShown;
        const char* report;
    } cases[] = {
        {"14", "CW", "14", "CW", "599"},
        {"7", "SSB", "7", "SSB", "59"},
        {"50", "FM", "7", "SSB", "59"},  // not entries of the lists
        {"1,8", "RTTY", "3,5", "RTTY", "599"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.band);
        settings.band = c.band;
        settings.mode = c.mode;
        Start(At(9, 5, 30));
        EXPECT_EQ(V().band, c.bandShown);
        EXPECT_EQ(V().mode, c.modeShown);
        EXPECT_EQ(V().rstSent, c.report);
        EXPECT_EQ(V().rstReceived, c.report);
        EXPECT_EQ(V().ownSection, "1234");
        EXPECT_TRUE(V().autoClock);
        EXPECT_EQ(V().date, "01.06.2007");
        EXPECT_EQ(V().time, "0905");
        EXPECT_EQ(S().focus, EntryField::Callsign);
        EXPECT_TRUE(S().clockRunning);
        EXPECT_EQ(S().clockIntervalMs, 30000);
    }
}

TEST_F(EntryFormQso, AFailedJournalAppendKeepsTheContactInTheLog) {
    Start();
    std::filesystem::remove(folder + "/_ult.trnx");
    std::filesystem::create_directory(folder + "/_ult.trnx");  // cannot be written
    TypeContact("IZ2AAA", "5678");
    EXPECT_EQ(Log().RowCount(), 1u);
    EXPECT_TRUE(session->JournalBehind());
    ASSERT_FALSE(prompts.records.empty());
    EXPECT_EQ(prompts.records.back().title, "Errore");
    std::filesystem::remove(folder + "/_ult.trnx");

    TypeContact("IZ2BBB", "1234");  // the next write brings the journal up to date
    EXPECT_FALSE(session->JournalBehind());
    EXPECT_EQ(JournalBytes(), HeaderBytes() + "01.06.2007^1423^7^SSB^IZ2AAA^59^1234^59^5678^\r\n" +
                                  "01.06.2007^1423^7^SSB^IZ2BBB^59^1234^59^1234^\r\n");
}

}  // namespace
