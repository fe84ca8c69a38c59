// The entry form in listening mode: the two callsigns' evaluation, the markers, the
// automatic swap, the Enter dispatch and adding one or two heard entries.

#include "ListeningFixture.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

using Listening = ListeningFixture;

constexpr int k7 = 2;    // band index of "7"
constexpr int k14 = 3;   // band index of "14"
constexpr int kSsb = 0;  // mode index of "SSB"
constexpr int kCw = 1;

TEST_F(Listening, FirstExchangeBecomesTwoEntriesWithTwoJournalLines) {
    StartListening();
    Exchange("iz2aaa", "1234", "iz2bbb", "5678");

    ASSERT_EQ(Log().RowCount(), 2u);
    EXPECT_EQ(Log().Text(0, ListeningCol::Number), "    1");
    EXPECT_EQ(Log().Text(1, ListeningCol::Number), "    2");
    EXPECT_EQ(Log().Listening(0),
              (HrdRecord{"01.06.2007", "1423", "7", "SSB", "IZ2AAA", "59", "1234", "IZ2BBB"}));
    EXPECT_EQ(Log().Listening(1),
              (HrdRecord{"01.06.2007", "1423", "7", "SSB", "IZ2BBB", "59", "5678", "IZ2AAA"}));
    EXPECT_EQ(JournalBytes(), ListeningHeader() + "01.06.2007^1423^7^SSB^IZ2AAA^59^1234^IZ2BBB^\r\n" +
                                  "01.06.2007^1423^7^SSB^IZ2BBB^59^5678^IZ2AAA^\r\n");
    EXPECT_TRUE(Log().Modified());
    EXPECT_EQ(store.ReadInt("Parametri", "Modificato", 0), 1);

    for (const char* callsign : {"IZ2AAA", "IZ2BBB"}) {
        SCOPED_TRACE(callsign);
        const CallIndexEntry* entry = Indexed(callsign);
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(entry->HeardCalling(k7, kSsb));
        EXPECT_EQ(entry->AnswerCount(k7, kSsb), 1);
    }
    EXPECT_EQ(Indexed("IZ2AAA")->section, 1234);
    EXPECT_EQ(Indexed("IZ2BBB")->section, 5678);
    EXPECT_TRUE(Log().Worked().IsWorked(1234, kSsb, BandBit(k7)));
    EXPECT_TRUE(Log().Worked().IsWorked(5678, kSsb, BandBit(k7)));

    // The form is ready for the next exchange; date, time, band, mode and reports stay.
    EXPECT_EQ(V().callsign, "");
    EXPECT_EQ(V().callsign2, "");
    EXPECT_EQ(V().section, "");
    EXPECT_EQ(V().section2, "");
    EXPECT_EQ(V().sectionName, "");
    EXPECT_EQ(V().sectionName2, "");
    EXPECT_EQ(V().rstSent, "59");
    EXPECT_EQ(V().rstReceived, "59");
    EXPECT_EQ(V().band, "7");
    EXPECT_EQ(S().focus, EntryField::Callsign);
    EXPECT_EQ(LitCells(), 0);
    EXPECT_FALSE(S().indicators.calling.visible);
    EXPECT_EQ(RMarkersShown(), 0);
    EXPECT_FALSE(S().indicators.multiplier[0].visible);
    EXPECT_FALSE(S().indicators.multiplier[1].visible);
    EXPECT_TRUE(prompts.records.empty());
}

TEST_F(Listening, TheIndexKeptWhileTypingEqualsARebuiltOne) {
    // A few exchanges of every kind; the rows are the only truth, so a rebuild from
    // them must give the index that the form kept up to date.
    StartListening();
    form->OnBandChosen(k14);
    form->OnModeChosen(kCw);
    Exchange("IZ2AAA", "1234", "IZ2BBB", "5678");  // two entries
    Exchange("IZ2CCC", "0130", "IZ2BBB", "");      // one entry, IZ2BBB answers again
    Exchange("IZ2DDD", "0130", "IZ2BBB", "9999");  // unknown section 2: one entry
    Exchange("IZ2EEE", "1234", "IZ2AAA", "1234");  // IZ2AAA already calling: one entry
    Exchange("IZ2FFF", "5678", "IZ2FFF", "5678");  // the same station twice: one entry
    ASSERT_EQ(Log().RowCount(), 6u);

    std::vector<CallIndexEntry> kept = IndexEntries();
    WorkedSections worked = Log().Worked();
    Log().RebuildIndexes();
    EXPECT_EQ(IndexEntries(), kept);
    for (int32_t code : {130, 1234, 5678, 9999}) {
        for (int mode = 0; mode < 3; ++mode) {
            EXPECT_EQ(worked.Bits(code, mode), Log().Worked().Bits(code, mode)) << code << " " << mode;
        }
    }
    EXPECT_EQ(Indexed("IZ2BBB")->AnswerCount(k14, kCw), 3);
    EXPECT_EQ(Indexed("IZ2BBB")->section, 5678);  // not wiped by the exchanges without section 2
    EXPECT_EQ(Indexed("IZ2FFF")->AnswerCount(k14, kCw), 1);
    EXPECT_TRUE(Indexed("IZ2FFF")->HeardCalling(k14, kCw));
}

TEST_F(Listening, TheSameExchangeAgainIsADuplicateThatEnterDiscards) {
    Hear("IZ2AAA", "1234", "IZ2BBB");
    Hear("IZ2BBB", "5678", "IZ2AAA");
    StartListening();
    Call1("IZ2AAA");
    // The section this station sent fills section 1; the C marker is on (red).
    EXPECT_EQ(V().section, "1234");
    EXPECT_EQ(V().sectionName, "MILANO");
    EXPECT_TRUE(S().indicators.calling.visible);
    EXPECT_TRUE(S().indicators.calling.on);
    Section1("1234");
    Call2("IZ2BBB");

    // The other way round is refused as well (IZ2BBB already calling): no swap.
    EXPECT_EQ(V().callsign, "IZ2AAA");
    EXPECT_EQ(V().callsign2, "IZ2BBB");
    EXPECT_TRUE(S().duplicate);
    EXPECT_TRUE(S().indicators.duplicate);
    EXPECT_EQ(V().section2, "5678");
    EXPECT_EQ(S().focus, EntryField::Section2);
    EXPECT_EQ(RMarkersShown(), 2);  // IZ2BBB answered once: it would be its second answer
    EXPECT_EQ(RMarkersOn(), 0);

    const std::string before = JournalBytes();
    Enter();
    EXPECT_EQ(Log().RowCount(), 2u);
    EXPECT_EQ(JournalBytes(), before);
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.duplicate);
    EXPECT_EQ(V().callsign, "");
    EXPECT_EQ(V().callsign2, "");
    EXPECT_EQ(V().section2, "");
    EXPECT_EQ(V().sectionName2, "");
    EXPECT_FALSE(S().indicators.calling.visible);
    EXPECT_EQ(RMarkersShown(), 0);
    EXPECT_EQ(S().focus, EntryField::Callsign);
}

TEST_F(Listening, AnExchangeAcceptableOnlyTheOtherWayRoundIsSwapped) {
    Hear("IZ2AAA", "1234", "IZ2ZZZ");
    StartListening();
    Call1("IZ2AAA");
    ASSERT_TRUE(S().indicators.calling.on);
    Type(EntryField::RstSent, "57");
    Type(EntryField::RstReceived, "58");
    Call2("IZ2CCC");

    EXPECT_EQ(V().callsign, "IZ2CCC");
    EXPECT_EQ(V().callsign2, "IZ2AAA");
    EXPECT_EQ(V().rstSent, "58");
    EXPECT_EQ(V().rstReceived, "57");
    EXPECT_EQ(V().section, "");
    EXPECT_EQ(V().sectionName, "");
    EXPECT_EQ(V().section2, "1234");
    EXPECT_EQ(V().sectionName2, "MILANO");
    EXPECT_EQ(S().focus, EntryField::Section);
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.duplicate);
    EXPECT_FALSE(S().indicators.calling.on);
    EXPECT_EQ(RMarkersShown(), 1);  // IZ2AAA never heard answering
    EXPECT_EQ(listening.WorkingEntry(1).entry.callsign, "IZ2CCC");
    EXPECT_EQ(listening.WorkingEntry(2).entry.callsign, "IZ2AAA");
    // Grid 1 shows where section 2 was heard; grid 0 is off with section 1 empty.
    EXPECT_TRUE(Cell(1, kSsb, k7));
    EXPECT_FALSE(Cell(0, kSsb, k7));

    // Section 1 typed, Enter twice (section 1, callsign 2), then Enter in section 2.
    Section1("5678");
    EXPECT_EQ(S().focus, EntryField::Callsign2);
    Enter();
    EXPECT_EQ(S().focus, EntryField::Section2);
    Enter();
    ASSERT_EQ(Log().RowCount(), 2u);  // IZ2AAA already calling: one entry
    EXPECT_EQ(Log().Listening(1),
              (HrdRecord{"01.06.2007", "1423", "7", "SSB", "IZ2CCC", "58", "5678", "IZ2AAA"}));
}

TEST_F(Listening, AnswerMarkersCountTheAnswersAndThreeAreTheLimit) {
    // IZ2XXX heard answering 0 to 3 times on 14 CW; it is also heard calling there, so
    // the exchange cannot be turned round.
    for (int answers = 0; answers <= 3; ++answers) {
        SCOPED_TRACE(answers);
        heard.clear();
        Hear("IZ2XXX", "0130", "IZ2QQQ", "14", "CW");
        for (int i = 0; i < answers; ++i) {
            Hear("IZ2A" + std::string(1, static_cast<char>('A' + i)) + "A", "1234", "IZ2XXX", "14", "CW");
        }
        StartListening();
        form->OnBandChosen(k14);
        form->OnModeChosen(kCw);
        Call1("IZ2YYY");
        EXPECT_TRUE(S().indicators.calling.visible);
        EXPECT_FALSE(S().indicators.calling.on);
        Section1("5678");
        Call2("IZ2XXX");
        EXPECT_EQ(RMarkersShown(), std::min(answers + 1, 3));
        EXPECT_EQ(RMarkersOn(), answers >= 3 ? 3 : 0);
        EXPECT_EQ(S().duplicate, answers >= 3);
        EXPECT_EQ(S().indicators.duplicate, answers >= 3);
        EXPECT_EQ(V().callsign, "IZ2YYY");  // never swapped

        const size_t rows = Log().RowCount();
        Section2AndAdd("0130");
        // A fourth answer is refused; otherwise one entry (IZ2XXX already calling).
        EXPECT_EQ(Log().RowCount(), rows + (answers >= 3 ? 0u : 1u));
    }
}

TEST_F(Listening, ThreeAnswersWithASwapPossibleTurnTheExchangeRound) {
    for (char c : {'A', 'B', 'C'}) {
        Hear(std::string("IZ2") + c + "AA", "1234", "IZ2XXX", "14", "CW");
    }
    StartListening();
    form->OnBandChosen(k14);
    form->OnModeChosen(kCw);
    Call1("IZ2YYY");
    Section1("5678");
    Call2("IZ2XXX");
    EXPECT_EQ(V().callsign, "IZ2XXX");
    EXPECT_EQ(V().callsign2, "IZ2YYY");
    EXPECT_EQ(V().section2, "5678");
    EXPECT_FALSE(S().duplicate);
    EXPECT_EQ(RMarkersShown(), 1);
    EXPECT_EQ(RMarkersOn(), 0);
}

TEST_F(Listening, SectionTwoDecidesWhetherTheSecondEntryIsAdded) {
    struct Case {
        const char* section2;
        size_t rows;
        int32_t answeringSection;
    } cases[] = {{"5678", 2, 5678}, {"", 1, 0}, {"9999", 1, 0}, {"567", 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section2);
        heard.clear();
        StartListening();
        Exchange("IZ2AAA", "1234", "IZ2BBB", c.section2);
        EXPECT_EQ(Log().RowCount(), c.rows);
        EXPECT_EQ(Indexed("IZ2BBB")->section, c.answeringSection);
        EXPECT_EQ(Indexed("IZ2BBB")->HeardCalling(k7, kSsb), c.rows == 2);
        EXPECT_EQ(Indexed("IZ2AAA")->AnswerCount(k7, kSsb), c.rows == 2 ? 1 : 0);
        EXPECT_EQ(Indexed("IZ2BBB")->AnswerCount(k7, kSsb), 1);
    }
}

TEST_F(Listening, ACallingStationThatAnsweredThreeTimesIsNotAddedAsSecondEntry) {
    for (char c : {'A', 'B', 'C'}) {
        Hear(std::string("IZ2") + c + "AA", "1234", "IZ2XXX");
    }
    StartListening();
    Exchange("IZ2XXX", "0130", "IZ2YYY", "5678");
    ASSERT_EQ(Log().RowCount(), 4u);
    EXPECT_EQ(Log().Listening(3).callingCall, "IZ2XXX");
    EXPECT_FALSE(Indexed("IZ2YYY")->HeardCalling(k7, kSsb));
    EXPECT_EQ(Indexed("IZ2XXX")->AnswerCount(k7, kSsb), 3);
}

TEST_F(Listening, TheIndexedSectionReplacesATypedSectionOne) {
    Hear("IZ2AAA", "1234", "IZ2ZZZ", "14", "SSB");
    StartListening();
    Focus(EntryField::Callsign);
    Type(EntryField::Callsign, "IZ2AAA");
    Type(EntryField::Section, "5678");
    Focus(EntryField::RstSent);  // leaving by Tab: the focus is sent to section 1
    EXPECT_EQ(V().section, "1234");
    EXPECT_EQ(V().sectionName, "MILANO");
    EXPECT_EQ(S().focus, EntryField::Section);
    EXPECT_TRUE(Cell(0, kSsb, k14));
    EXPECT_TRUE(S().indicators.calling.visible);
    EXPECT_FALSE(S().indicators.calling.on);            // heard calling on 14, not on 7
    EXPECT_TRUE(S().indicators.multiplier[0].visible);  // 1234 not yet heard on 7 SSB
}

TEST_F(Listening, EvaluatingCallsignTwoForgetsTheFlagOfAnEarlierPair) {
    // IZ2XXX answered three times and was heard calling: paired with it the exchange
    // is a duplicate that cannot be turned round. With another callsign 2 it is fine.
    Hear("IZ2XXX", "0130", "IZ2QQQ");
    for (char c : {'A', 'B', 'C'}) {
        Hear(std::string("IZ2") + c + "AA", "1234", "IZ2XXX");
    }
    StartListening();
    Call1("IZ2YYY");
    Section1("5678");
    Call2("IZ2XXX");
    ASSERT_TRUE(S().duplicate);
    ASSERT_TRUE(S().indicators.duplicate);

    Focus(EntryField::Callsign2);
    Type(EntryField::Callsign2, "IZ2NEW");
    Focus(EntryField::Section2);
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.duplicate);
    EXPECT_EQ(RMarkersShown(), 1);
    EXPECT_EQ(RMarkersOn(), 0);
    form->OnSection2Typed("1234");
    Enter();
    EXPECT_EQ(Log().RowCount(), 6u);
}

TEST_F(Listening, EnterDispatchAndTheChecksBeforeAdding) {
    StartListening();
    Call1("IZ2AAA");
    // A section 1 shorter than four characters keeps the focus.
    Focus(EntryField::Section);
    form->OnSectionTyped("123");
    Enter();
    EXPECT_EQ(S().focus, EntryField::Section);
    // An invalid callsign 2 is emptied and the answer markers reset.
    form->OnSectionTyped("1234");
    Call2("K1ABC");
    EXPECT_EQ(V().callsign2, "");
    EXPECT_EQ(S().focus, EntryField::Callsign2);
    EXPECT_EQ(RMarkersShown(), 0);
    // Enter in a report field or the band list does nothing.
    for (EntryField field : {EntryField::RstSent, EntryField::RstReceived, EntryField::Band}) {
        Focus(field);
        Enter();
        EXPECT_EQ(S().focus, field);
    }
    EXPECT_EQ(Log().RowCount(), 0u);

    struct Case {
        const char* name;
        const char* section1;
        const char* call1;
        const char* call2;
        const char* rst1;
        const char* rst2;
        EntryField focus;
    } cases[] = {
        {"unknown section 1", "9999", "K1ABC", "K1ABC", "5", "5", EntryField::Section},
        {"callsign 1", "1234", "K1ABC", "K1ABC", "5", "5", EntryField::Callsign},
        {"callsign 2", "1234", "IZ2AAA", "IZ2", "5", "5", EntryField::Callsign2},
        {"report 1", "1234", "IZ2AAA", "IZ2BBB", "599", "5", EntryField::RstSent},
        {"report 2", "1234", "IZ2AAA", "IZ2BBB", "59", "60", EntryField::RstReceived},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Focus(EntryField::Section2);
        Type(EntryField::Section, c.section1);
        Type(EntryField::SectionName, sections.NameOfText(c.section1));
        Type(EntryField::Callsign, c.call1);
        Type(EntryField::Callsign2, c.call2);
        Type(EntryField::RstSent, c.rst1);
        Type(EntryField::RstReceived, c.rst2);
        Enter();
        EXPECT_EQ(S().focus, c.focus);
        if (c.focus == EntryField::Callsign || c.focus == EntryField::Callsign2) {
            EXPECT_EQ(c.focus == EntryField::Callsign ? V().callsign : V().callsign2, "");
        }
        EXPECT_EQ(Log().RowCount(), 0u);
    }
    EXPECT_TRUE(prompts.records.empty());
}

TEST_F(Listening, ClearAndAnInvalidCallsignOneResetTheMarkers) {
    Hear("IZ2XXX", "0130", "IZ2QQQ");
    StartListening();
    Call1("IZ2XXX");
    Section1("0130");
    Call2("IZ2QQQ");  // IZ2XXX calling again: turned round
    ASSERT_EQ(V().callsign, "IZ2QQQ");
    form->OnClear();
    EXPECT_EQ(V().callsign, "");
    EXPECT_EQ(V().callsign2, "");
    EXPECT_EQ(V().section2, "");
    EXPECT_FALSE(S().indicators.calling.visible);
    EXPECT_EQ(RMarkersShown(), 0);
    EXPECT_EQ(listening.WorkingEntry(1).filled, false);
    EXPECT_EQ(listening.WorkingEntry(2).filled, false);

    // A flagged pair, then callsign 1 made invalid: flag cleared, C marker hidden.
    Hear("IZ2QQQ", "1234", "IZ2XXX");
    StartListening();
    Call1("IZ2XXX");
    Section1("0130");
    Call2("IZ2QQQ");
    ASSERT_TRUE(S().duplicate);
    Focus(EntryField::Callsign);
    Type(EntryField::Callsign, "XX");
    Focus(EntryField::Date);
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.calling.visible);
}

TEST_F(Listening, BandChangeShowsBothSectionGridsAgain) {
    Hear("IZ2AAA", "1234", "IZ2BBB", "14", "SSB");
    Hear("IZ2BBB", "5678", "IZ2AAA", "14", "SSB");
    StartListening();
    Call1("IZ2CCC");
    Section1("1234");
    Call2("IZ2DDD");
    Focus(EntryField::Section2);
    form->OnSection2Typed("5678");
    EXPECT_TRUE(Cell(0, kSsb, k14));
    EXPECT_TRUE(Cell(1, kSsb, k14));
    EXPECT_TRUE(S().indicators.multiplier[1].visible);  // 5678 not heard on 7 SSB
    form->OnBandChosen(k14);
    EXPECT_TRUE(Cell(1, kSsb, k14));
    EXPECT_FALSE(S().indicators.multiplier[0].visible);
    EXPECT_FALSE(S().indicators.multiplier[1].visible);  // heard on 14 SSB already
}

}  // namespace
