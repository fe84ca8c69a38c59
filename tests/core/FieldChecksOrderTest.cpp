#include <gtest/gtest.h>

#include "ScriptedPrompts.h"
#include "rules/CheckOrder.h"
#include "sections/SectionTable.h"

using namespace tarnex;
using tarnex::testing::PromptRecord;
using tarnex::testing::ScriptedPrompts;

namespace {

SectionTable Sections() {
    SectionTable table;
    table.SetName(1201, "MILANO");
    table.SetName(123, "ALFA");
    return table;
}

FormValues GoodQso() {
    FormValues v;
    v.callsign = "iz2aaa";
    v.date = "02.06.2007";
    v.time = "1405";
    v.mode = "CW";
    v.rstSent = "599";
    v.rstReceived = "579";
    v.section = "1201";
    v.ownSection = "1201";
    return v;
}

FormValues GoodListening() {
    FormValues v;
    v.callsign = "iz2aaa";
    v.callsign2 = "iz2bbb";
    v.date = "02.06.2007";
    v.time = "1405";
    v.mode = "SSB";
    v.rstSent = "59";
    v.rstReceived = "57";
    v.section = "1201";
    return v;
}

const std::string kQuestionQso =
    "ATTENZIONE! Il codice sezione specificato\nnon \xE8 nell'elenco delle sezioni.\n\nVuoi inserirlo "
    "ugualmente?";
const std::string kQuestionListening =
    "ATTENZIONE! CodicE sezione non in elenco sezioni.\n\nVuoi inserirli ugualmente?";

}  // namespace

TEST(FieldChecksOrder, EntryFormQsoFailsSilentlyInOrder) {
    SectionTable table = Sections();
    struct Case {
        const char* name;
        void (*spoil)(FormValues&);
        FormField focus;
    } cases[] = {
        {"callsign",
         [](FormValues& v) {
             v.callsign = "K1ABC";
             v.date = "bad";
         },
         FormField::Callsign},
        {"date",
         [](FormValues& v) {
             v.date = "15.05.2004";
             v.rstReceived = "1";
         },
         FormField::Date},
        {"rst rx before rst tx",
         [](FormValues& v) {
             v.rstReceived = "59";
             v.rstSent = "59";
         },
         FormField::RstReceived},
        {"rst tx",
         [](FormValues& v) {
             v.rstSent = "600";
             v.section = "9";
         },
         FormField::RstSent},
        {"section three characters", [](FormValues& v) { v.section = "123"; }, FormField::Section},
        {"section unknown", [](FormValues& v) { v.section = "1202"; }, FormField::Section},
    };
    for (const Case& c : cases) {
        FormValues v = GoodQso();
        c.spoil(v);
        ScriptedPrompts prompts;
        CheckOutcome outcome = RunChecks(QsoEntryChecks(), v, table, prompts);
        EXPECT_FALSE(outcome.accepted) << c.name;
        EXPECT_EQ(outcome.focus, c.focus) << c.name;
        EXPECT_TRUE(prompts.records.empty()) << c.name;
    }
}

TEST(FieldChecksOrder, EntryFormQsoEmptiesARefusedCallsignAndUpperCasesAGoodOne) {
    SectionTable table = Sections();
    ScriptedPrompts prompts;
    FormValues bad = GoodQso();
    bad.callsign = "iz2";
    RunChecks(QsoEntryChecks(), bad, table, prompts);
    EXPECT_EQ(bad.callsign, "");

    FormValues good = GoodQso();
    CheckOutcome outcome = RunChecks(QsoEntryChecks(), good, table, prompts);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(good.callsign, "IZ2AAA");
    EXPECT_TRUE(prompts.records.empty());
}

TEST(FieldChecksOrder, EntryFormSkipsTheDateWithTheAutomaticClock) {
    SectionTable table = Sections();
    ScriptedPrompts prompts;
    FormValues v = GoodQso();
    v.date = "";
    v.autoClock = true;
    EXPECT_TRUE(RunChecks(QsoEntryChecks(), v, table, prompts).accepted);
    v.autoClock = false;
    EXPECT_EQ(RunChecks(QsoEntryChecks(), v, table, prompts).focus, FormField::Date);
}

TEST(FieldChecksOrder, EntryFormAsksForTheOwnSectionLast) {
    SectionTable table = Sections();
    ScriptedPrompts prompts;
    FormValues v = GoodQso();
    v.ownSection = "";
    CheckOutcome outcome = RunChecks(QsoEntryChecks(), v, table, prompts);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.focus, FormField::OwnSection);
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].kind, PromptRecord::Message);
    EXPECT_EQ(prompts.records[0].text, "ATTENZIONE!\nSpecificare il codice della propria sezione.");
    EXPECT_EQ(prompts.records[0].title, "Avviso");
    EXPECT_EQ(prompts.records[0].icon, MessageIcon::Exclamation);
}

TEST(FieldChecksOrder, EntryFormListeningOrder) {
    SectionTable table = Sections();
    struct Case {
        const char* name;
        void (*spoil)(FormValues&);
        FormField focus;
        bool callsignEmptied;
        bool callsign2Emptied;
    } cases[] = {
        {"section 1 first",
         [](FormValues& v) {
             v.section = "9999";
             v.callsign = "X";
         },
         FormField::Section, false, false},
        {"callsign 1",
         [](FormValues& v) {
             v.callsign = "K1AB";
             v.callsign2 = "X";
         },
         FormField::Callsign, true, false},
        {"callsign 2",
         [](FormValues& v) {
             v.callsign2 = "IZ2";
             v.rstSent = "5";
         },
         FormField::Callsign2, false, true},
        {"report 1",
         [](FormValues& v) {
             v.rstSent = "599";
             v.rstReceived = "5";
         },
         FormField::RstSent, false, false},
        {"report 2", [](FormValues& v) { v.rstReceived = "29"; }, FormField::RstReceived, false, false},
    };
    for (const Case& c : cases) {
        FormValues v = GoodListening();
        c.spoil(v);
        ScriptedPrompts prompts;
        CheckOutcome outcome = RunChecks(ListeningEntryChecks(), v, table, prompts);
        EXPECT_FALSE(outcome.accepted) << c.name;
        EXPECT_EQ(outcome.focus, c.focus) << c.name;
        EXPECT_EQ(v.callsign.empty(), c.callsignEmptied) << c.name;
        EXPECT_EQ(v.callsign2.empty(), c.callsign2Emptied) << c.name;
        EXPECT_TRUE(prompts.records.empty()) << c.name;
    }
    FormValues v = GoodListening();
    v.date = "";  // the listening form does not check the date
    ScriptedPrompts prompts;
    EXPECT_TRUE(RunChecks(ListeningEntryChecks(), v, table, prompts).accepted);
    EXPECT_EQ(v.callsign2, "IZ2BBB");
}

TEST(FieldChecksOrder, QsoEditDialogMessagesInOrder) {
    SectionTable table = Sections();
    struct Case {
        void (*spoil)(FormValues&);
        const char* message;
        FormField focus;
    } cases[] = {
        {[](FormValues& v) {
             v.callsign = "IQ";
             v.date = "";
         },
         "Nominativo errato", FormField::Callsign},
        {[](FormValues& v) {
             v.date = "15.05.2100";
             v.time = "";
         },
         "Data errata!", FormField::Date},
        {[](FormValues& v) {
             v.time = "14:05";
             v.rstSent = "";
         },
         "Ora errata!", FormField::Time},
        {[](FormValues& v) {
             v.rstSent = "59";
             v.rstReceived = "59";
         },
         "RST trasmesso (o modo) errato!", FormField::RstSent},
        {[](FormValues& v) { v.rstReceived = "300"; }, "RST ricevuto (o modo) errato!",
         FormField::RstReceived},
        {[](FormValues& v) { v.mode = "SSB"; }, "RST trasmesso (o modo) errato!", FormField::RstSent},
        {[](FormValues& v) { v.section = "12^"; }, "Codice Sezione errato!", FormField::Section},
    };
    for (const Case& c : cases) {
        FormValues v = GoodQso();
        c.spoil(v);
        ScriptedPrompts prompts;
        CheckOutcome outcome = RunChecks(QsoEditChecks(), v, table, prompts);
        EXPECT_FALSE(outcome.accepted) << c.message;
        EXPECT_EQ(outcome.focus, c.focus) << c.message;
        ASSERT_EQ(prompts.records.size(), 1u) << c.message;
        EXPECT_EQ(prompts.records[0].kind, PromptRecord::Message);
        EXPECT_EQ(prompts.records[0].text, c.message);
        EXPECT_EQ(prompts.records[0].title, "Errore");
        EXPECT_EQ(prompts.records[0].icon, MessageIcon::Stop);
    }
}

TEST(FieldChecksOrder, QsoEditDialogAcceptsWiderYearsAndTheNumericSection) {
    SectionTable table = Sections();
    ScriptedPrompts prompts;
    FormValues v = GoodQso();
    v.date = "15.05.2004";
    v.section = "123";  // value 123 is the section 0123: no question
    v.ownSection = "";  // not a dialog check
    EXPECT_TRUE(RunChecks(QsoEditChecks(), v, table, prompts).accepted);
    EXPECT_TRUE(prompts.records.empty());
    EXPECT_EQ(v.callsign, "IZ2AAA");
}

TEST(FieldChecksOrder, EditDialogsAskAboutAnUnknownSection) {
    SectionTable table = Sections();
    struct Case {
        std::span<const CheckStep> steps;
        FormValues values;
        bool answer;
        const std::string& question;
    } cases[] = {
        {QsoEditChecks(), GoodQso(), true, kQuestionQso},
        {QsoEditChecks(), GoodQso(), false, kQuestionQso},
        {ListeningEditChecks(), GoodListening(), true, kQuestionListening},
        {ListeningEditChecks(), GoodListening(), false, kQuestionListening},
    };
    for (Case& c : cases) {
        c.values.section = "12010";  // five digits: never known
        ScriptedPrompts prompts;
        prompts.yesNoAnswers.push_back(c.answer);
        CheckOutcome outcome = RunChecks(c.steps, c.values, table, prompts);
        EXPECT_EQ(outcome.accepted, c.answer);
        EXPECT_EQ(outcome.focus, c.answer ? FormField::None : FormField::Section);
        ASSERT_EQ(prompts.records.size(), 1u);
        EXPECT_EQ(prompts.records[0].kind, PromptRecord::Question);
        EXPECT_EQ(prompts.records[0].text, c.question);
        EXPECT_EQ(prompts.records[0].title, "Domanda");
    }
}

TEST(FieldChecksOrder, ListeningEditDialogMessagesInOrder) {
    SectionTable table = Sections();
    struct Case {
        void (*spoil)(FormValues&);
        const char* message;
        FormField focus;
    } cases[] = {
        {[](FormValues& v) { v.callsign = "K1ABC"; }, "Errore nei nominativi.", FormField::Callsign},
        {[](FormValues& v) {
             v.callsign2 = "IZ 2B";
             v.date = "";
         },
         "Errore nei nominativi.", FormField::Callsign2},
        {[](FormValues& v) { v.date = "01.01.1919"; }, "Data errata!", FormField::Date},
        {[](FormValues& v) { v.time = "2400"; }, "Ora errata!", FormField::Time},
        {[](FormValues& v) {
             v.rstSent = "599";
             v.rstReceived = "0";
         },
         "RST (o modo) errato!", FormField::RstSent},
    };
    for (const Case& c : cases) {
        FormValues v = GoodListening();
        c.spoil(v);
        ScriptedPrompts prompts;
        CheckOutcome outcome = RunChecks(ListeningEditChecks(), v, table, prompts);
        EXPECT_FALSE(outcome.accepted) << c.message;
        EXPECT_EQ(outcome.focus, c.focus) << c.message;
        ASSERT_EQ(prompts.records.size(), 1u) << c.message;
        EXPECT_EQ(prompts.records[0].text, c.message);
        EXPECT_EQ(prompts.records[0].title, "Errore");
        EXPECT_EQ(prompts.records[0].icon, MessageIcon::Stop);
    }
    // The single report is the only one checked; both callsigns come back upper-cased.
    FormValues v = GoodListening();
    v.rstReceived = "";
    ScriptedPrompts prompts;
    EXPECT_TRUE(RunChecks(ListeningEditChecks(), v, table, prompts).accepted);
    EXPECT_EQ(v.callsign, "IZ2AAA");
    EXPECT_EQ(v.callsign2, "IZ2BBB");
}
