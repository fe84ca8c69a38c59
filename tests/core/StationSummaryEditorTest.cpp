// The station summary: what the dialog shows, the category questions, the checks on
// "Salva" and what saving changes, the switch of log mode included.

#include <gtest/gtest.h>

#include <filesystem>

#include "SessionFixture.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "app/StationSummaryEditor.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

class StationSummaryEdit : public SessionFixture {
  protected:
    StationSummaryEdit() {
        sections.SetName(130, "BARI");
        sections.SetName(1234, "MILANO");
        sections.SetName(5678, "ROMA");
    }
    void Start() {
        OpenSession(LogModeForCategory(settings.station.category));
        editor = std::make_unique<StationSummaryEditor>(*session);
    }
    StationSummaryInput Good() const {
        StationSummaryInput input;
        input.callsign = "i1abc";
        input.name = "Ugo";
        input.operators = "IZ2AAA";
        input.category = 1;
        input.ownSection = 1;  // "1234 - MILANO"
        input.address = {"Via Roma 1", "20100 Milano", "MI"};
        input.comment = {"primo", "secondo"};
        return input;
    }

    std::unique_ptr<StationSummaryEditor> editor;
};

TEST_F(StationSummaryEdit, OpensWithTheCurrentValuesAndTheSectionList) {
    settings.station.callsign = "I1ABC";
    settings.station.name = "Ugo";
    settings.station.category = "multi";  // the first entry beginning with it, any case
    settings.station.ownSection = "5678";
    settings.station.address2 = "Milano";
    settings.station.comment2 = "ciao";
    Start();
    EXPECT_EQ(editor->OwnSectionEntries(),
              (std::vector<std::string>{"0130 - BARI", "1234 - MILANO", "5678 - ROMA"}));
    StationSummaryInput input = editor->Initial();
    EXPECT_EQ(input.callsign, "I1ABC");
    EXPECT_EQ(input.name, "Ugo");
    EXPECT_EQ(input.category, 4);  // "MULTI-ONE"
    EXPECT_EQ(input.ownSection, 2);
    EXPECT_EQ(input.address[1], "Milano");
    EXPECT_EQ(input.comment[1], "ciao");

    struct Case {
        const char* category;
        const char* ownSection;
        int categoryShown;
        int sectionShown;
    } cases[] = {
        {"SWL", "0130", 5, 0},
        {"single-op m", "1234", 3, 1},
        {"", "", -1, -1},
        {"DX", "9999", -1, -1},  // a stored section no longer in the table shows none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        settings.station.category = c.category;
        settings.station.ownSection = c.ownSection;
        EXPECT_EQ(editor->Initial().category, c.categoryShown);
        EXPECT_EQ(editor->Initial().ownSection, c.sectionShown);
    }
}

TEST_F(StationSummaryEdit, SavingChecksTheLimitsThenTheData) {
    Start();
    struct Case {
        const char* name;
        void (*change)(StationSummaryInput&);
        const char* message;
        std::optional<SummaryField> focus;
    } cases[] = {
        {"good", [](StationSummaryInput&) {}, nullptr, std::nullopt},
        {"name of three", [](StationSummaryInput& i) { i.name = "Ada"; }, nullptr, std::nullopt},
        {"name of two", [](StationSummaryInput& i) { i.name = "Al"; }, "invalid", std::nullopt},
        {"callsign not I", [](StationSummaryInput& i) { i.callsign = "K1ABC"; }, "invalid", std::nullopt},
        {"no section", [](StationSummaryInput& i) { i.ownSection = -1; }, "invalid", std::nullopt},
        {"no category", [](StationSummaryInput& i) { i.category = -1; }, "invalid", std::nullopt},
        {"long callsign", [](StationSummaryInput& i) { i.callsign = "I1ABCDEFGHIJKLM"; }, "14",
         SummaryField::Callsign},
        {"long name", [](StationSummaryInput& i) { i.name = std::string(61, 'a'); }, "60",
         SummaryField::Name},
        {"long comment", [](StationSummaryInput& i) { i.comment[1] = std::string(61, 'a'); }, "60",
         SummaryField::Comment2},
        {"limit before data",
         [](StationSummaryInput& i) { i.name = "Al", i.address[0] = std::string(61, 'x'); }, "60",
         SummaryField::Address1},
        {"at the limits",
         [](StationSummaryInput& i) { i.callsign = "I1ABCDEFGHIJKL", i.operators = std::string(60, 'O'); },
         nullptr, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.records.clear();
        StationSummaryInput input = Good();
        c.change(input);
        SummarySaveResult result = editor->Save(input);
        EXPECT_EQ(result.accepted, c.message == nullptr);
        EXPECT_EQ(result.focus, c.focus);
        if (c.message == nullptr) {
            EXPECT_TRUE(prompts.records.empty());
        } else if (std::string(c.message) == "invalid") {
            ASSERT_EQ(prompts.Boxes().size(), 1u);
            EXPECT_EQ(prompts.Boxes()[0].text,
                      "Correggi i dati!\n\nDevi inserire almeno\nnominativo, nome, sezione e categoria.");
            EXPECT_EQ(prompts.Boxes()[0].title, "Errore");
            EXPECT_EQ(prompts.Boxes()[0].icon, MessageIcon::Stop);
        } else {
            ASSERT_EQ(prompts.Boxes().size(), 1u);
            EXPECT_EQ(prompts.Boxes()[0].text,
                      std::string("Non digitare pi\xF9 di ") + c.message + " caratteri.");
            EXPECT_EQ(prompts.Boxes()[0].title, "Tarnex");
            EXPECT_EQ(prompts.Boxes()[0].icon, MessageIcon::Exclamation);
        }
    }
    StationSummaryInput lower = Good();
    editor->Save(lower);
    EXPECT_EQ(lower.callsign, "I1ABC");
}

TEST_F(StationSummaryEdit, AnEmptySectionTableRefusesEverySave) {
    sections.Clear();
    Start();
    EXPECT_TRUE(editor->OwnSectionEntries().empty());
    StationSummaryInput input = Good();
    input.ownSection = 0;
    EXPECT_FALSE(editor->Save(input).accepted);
    EXPECT_EQ(prompts.Boxes().size(), 1u);
}

TEST_F(StationSummaryEdit, CategoryQuestionsDependOnTheDirection) {
    const std::string toListening =
        "Attenzione!\nStai passando dal modo QSO al modo SWL\ne ci sono QSO non salvati.\nPrima di passare "
        "al "
        "modo SWL conviene salvare\ni QSO con i comandi Salva o Salva come...\n\nVuoi continuare comunque?";
    const std::string toQso =
        "Attenzione!\nStai passando dal modo SWL al modo QSO\ne ci sono ascolti non salvati.\nPrima di "
        "passare "
        "al modo QSO conviene salvare\ngli ascolti con i comandi Salva o Salva come...\n\nVuoi continuare "
        "comunque?";
    struct Case {
        const char* name;
        const char* category;  // the current one, which sets the mode
        const char* openLog;
        bool modified;
        int chosen;
        bool answer;
        const std::string* question;  // nullptr: nothing asked
        int shown;
    } cases[] = {
        {"to SWL, unnamed log, No", "SINGLE-OP CW", "", false, 5, false, &toListening, 0},
        {"to SWL, unnamed log, Yes", "SINGLE-OP CW", "", false, 5, true, &toListening, 5},
        {"to SWL, saved log", "SINGLE-OP CW", "/x/a.trnx", false, 5, false, nullptr, 5},
        {"to SWL, unsaved named log", "MULTI-ONE", "/x/a.trnx", true, 5, false, &toListening, 0},
        {"within QSO never asks", "SINGLE-OP CW", "", true, 4, false, nullptr, 4},
        {"to QSO, saved", "SWL", "", false, 1, false, nullptr, 1},
        {"to QSO, unsaved, No", "SWL", "/x/a.trnx", true, 1, false, &toQso, 5},
        {"to QSO, unsaved, Yes", "SWL", "", true, 6, true, &toQso, 6},
        {"SWL again in SWL mode", "SWL", "", true, 5, false, nullptr, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.records.clear();
        prompts.yesNoAnswers = {c.answer};
        settings.station.category = c.category;
        settings.SetOpenLog(c.openLog, "");
        settings.SetModified(c.modified);
        std::filesystem::remove(scratch.File("_ult.trnx"));  // the mode comes from the category
        Start();
        EXPECT_EQ(editor->CategoryChosen(c.chosen), c.shown);
        if (c.question == nullptr) {
            EXPECT_TRUE(prompts.records.empty());
        } else {
            ASSERT_EQ(prompts.Boxes().size(), 1u);
            EXPECT_EQ(prompts.Boxes()[0].text, *c.question);
            EXPECT_EQ(prompts.Boxes()[0].title, "Richiesta conferma");
            EXPECT_EQ(prompts.Boxes()[0].kind, PromptRecord::Question);
        }
        // The mode changes only when the dialog is saved.
        EXPECT_EQ(session->Log().Mode(), LogModeForCategory(c.category));
    }
}

TEST_F(StationSummaryEdit, SavingWritesTheSettingsInOrderAndRewritesTheJournal) {
    Start();
    session->Log().Append(QsoRecord{"01.06.2007", "1000", "7", "SSB", "IZ2AAA", "59", "57", "5678", "ROMA"});
    settings.SetOpenLog("/x/a.trnx", "a.trnx");
    StationSummaryInput input = Good();
    ASSERT_TRUE(editor->Save(input).accepted);
    std::string shownOwnSection;
    const int writesBefore = store.Writes();
    EXPECT_FALSE(editor->Apply(input, [&](const std::string& code) { shownOwnSection = code; }));

    EXPECT_EQ(shownOwnSection, "1234");
    EXPECT_EQ(store.Writes() - writesBefore, 10);
    const char* keys[] = {"Nominativo",       "Sezione",          "Nome",
                          "Operatori",        "Categoria",        "Indirizzo riga 1",
                          "Indirizzo riga 2", "Indirizzo riga 3", "Commento riga 1",
                          "Commento riga 2"};
    const char* values[] = {"I1ABC",      "1234",         "Ugo", "IZ2AAA", "SINGLE-OP CW",
                            "Via Roma 1", "20100 Milano", "MI",  "primo",  "secondo"};
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(store.ReadString("Dati riassuntivi", keys[i], "?"), values[i]) << keys[i];
    }
    // Same mode: the log and the open file stay; the journal carries the new header
    // and the new own section in every line.
    EXPECT_EQ(session->Log().RowCount(), 1u);
    EXPECT_EQ(settings.openLogPath, "/x/a.trnx");
    EXPECT_EQ(Journal(), LogHeaderBytes(LogMode::Qso, settings.station) +
                             "01.06.2007^1000^7^SSB^IZ2AAA^59^1234^57^5678^\r\n");
    EXPECT_EQ(Journal().substr(0, 18), "trnx14;qso\r\nI1ABC\r");
}

TEST_F(StationSummaryEdit, SavingSwlInQsoModeEmptiesTheLogAndStartsListening) {
    Start();
    session->Log().Append(QsoRecord{"01.06.2007", "1000", "7", "SSB", "IZ2AAA", "59", "57", "5678", "ROMA"});
    session->MarkModified();
    settings.SetOpenLog("/x/a.trnx", "a.trnx");
    StationSummaryInput input = Good();
    input.category = kListeningCategory;
    ASSERT_TRUE(editor->Save(input).accepted);
    EXPECT_TRUE(editor->Apply(input));

    EXPECT_EQ(session->Log().Mode(), LogMode::Listening);
    EXPECT_EQ(settings.logMode, LogMode::Listening);
    EXPECT_EQ(session->Log().RowCount(), 0u);
    EXPECT_TRUE(session->Log().Worked().IsEmpty());
    EXPECT_EQ(store.ReadString("Parametri", "Path log aperto", "?"), "");
    EXPECT_EQ(store.ReadString("Parametri", "Nome log aperto", "?"), "");
    EXPECT_EQ(store.ReadInt("Parametri", "Modificato", 7), 0);
    EXPECT_FALSE(session->Log().Modified());
    EXPECT_EQ(session->Title(), "TARNEX - Contest delle Sezioni ARI");
    EXPECT_EQ(store.ReadString("Dati riassuntivi", "Categoria", "?"), "SWL");
    EXPECT_EQ(Journal(), LogHeaderBytes(LogMode::Listening, settings.station));
    EXPECT_EQ(Journal().substr(0, 13), "trnx141;hrd\r\n");

    // And back: "SINGLE-OP SSB" returns to QSO mode.
    input.category = 0;
    EXPECT_TRUE(editor->Apply(input));
    EXPECT_EQ(session->Log().Mode(), LogMode::Qso);
    EXPECT_EQ(Journal(), LogHeaderBytes(LogMode::Qso, settings.station));
}

TEST_F(StationSummaryEdit, TheThirdCommentLineOfALoadedLogIsKept) {
    Start();
    settings.station.comment3 = "terza";
    StationSummaryInput input = Good();
    ASSERT_TRUE(editor->Save(input).accepted);
    editor->Apply(input);
    EXPECT_EQ(settings.station.comment3, "terza");
    EXPECT_NE(Journal().find("secondo\r\nterza\r\n"), std::string::npos);
}

}  // namespace
