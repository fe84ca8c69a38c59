// Editing, deleting and sorting entries of the log: the questions, the rows that
// result, the journal, the indexes and the modified flag.

#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "app/LogEditCommands.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "log/BandMode.h"
#include "log/LogFile.h"
#include "rules/RecordEdit.h"
#include "sections/SectionTable.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

class LogEdit : public SessionFixture {
  protected:
    LogEdit() {
        settings.SetOwnSection("1234");
        sections.SetName(1234, "MILANO");
        sections.SetName(5678, "ROMA");
        sections.SetName(123, "BARI");
    }

    void AddQso(const std::string& date, const std::string& time, const std::string& callsign,
                const std::string& section) {
        session->Log().Append(
            QsoRecord{date, time, "7", "SSB", callsign, "59", "57", section, sections.NameOfText(section)});
    }
    // Five contacts IZ2AAA..IZ2EEE at 1001..1005, sections 1234 and 5678 alternately.
    void FiveContacts() {
        const char* calls[] = {"IZ2AAA", "IZ2BBB", "IZ2CCC", "IZ2DDD", "IZ2EEE"};
        for (int i = 0; i < 5; ++i) {
            AddQso("01.06.2007", "100" + std::to_string(i + 1), calls[i], i % 2 ? "5678" : "1234");
        }
        session->RewriteJournal();
    }
    std::vector<std::string> NumbersAndCalls() const {
        std::vector<std::string> rows;
        const ContestLog& log = session->Log();
        for (size_t i = 0; i < log.RowCount(); ++i) {
            rows.push_back(log.Text(i, 0) + " " + log.Text(i, 5));
        }
        return rows;
    }
};

TEST_F(LogEdit, DeletingRowsTwoAndFourAsksWithTheCountAndRenumbers) {
    OpenSession(LogMode::Qso);
    FiveContacts();
    ASSERT_FALSE(session->Log().Modified());
    prompts.yesNoAnswers = {true};
    LogEditCommands commands(*session);
    EXPECT_TRUE(commands.Delete({3, 1}));

    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].text,
              "Hai scelto di cancellare 2 QSO del log.\nDopo la cancellazione non sar\xE0 pi\xF9"
              " possibile recuperarli.\n\nVuoi procedere?");
    EXPECT_EQ(prompts.Boxes()[0].title, "Richiesta di conferma");
    EXPECT_EQ(prompts.Boxes()[0].kind, PromptRecord::Question);
    EXPECT_EQ(NumbersAndCalls(), (std::vector<std::string>{"    1 IZ2AAA", "    2 IZ2CCC", "    3 IZ2EEE"}));
    EXPECT_EQ(Journal(), LogHeaderBytes(LogMode::Qso, settings.station) +
                             "01.06.2007^1001^7^SSB^IZ2AAA^59^1234^57^1234^\r\n"
                             "01.06.2007^1003^7^SSB^IZ2CCC^59^1234^57^1234^\r\n"
                             "01.06.2007^1005^7^SSB^IZ2EEE^59^1234^57^1234^\r\n");
    // Both deleted rows held 5678: the rebuilt index no longer has it.
    EXPECT_FALSE(session->Log().Worked().IsWorked(5678, 0, BandBit(2)));
    EXPECT_TRUE(session->Log().Worked().IsWorked(1234, 0, BandBit(2)));
    EXPECT_TRUE(session->Log().Modified());
    EXPECT_EQ(store.ReadInt("Parametri", "Modificato", 0), 1);
}

TEST_F(LogEdit, AnsweringNoOrSelectingNothingChangesNothing) {
    OpenSession(LogMode::Qso);
    FiveContacts();
    const std::string journal = Journal();
    LogEditCommands commands(*session);
    prompts.yesNoAnswers = {false};
    EXPECT_FALSE(commands.Delete({0}));
    EXPECT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_FALSE(commands.Delete({}));
    EXPECT_FALSE(commands.Delete({7}));  // no such row
    EXPECT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(session->Log().RowCount(), 5u);
    EXPECT_EQ(Journal(), journal);
    EXPECT_FALSE(session->Log().Modified());
    EXPECT_FALSE(store.Has("Parametri", "Modificato"));
}

TEST_F(LogEdit, TheQuestionSaysQsoInListeningModeToo) {
    OpenSession(LogMode::Listening);
    session->Log().Append(HrdRecord{"01.06.2007", "1000", "7", "SSB", "IZ2AAA", "59", "1234", "IZ2BBB"});
    prompts.yesNoAnswers = {true};
    LogEditCommands commands(*session);
    EXPECT_TRUE(commands.Delete({0}));
    EXPECT_EQ(prompts.Boxes()[0].text.substr(0, 40), "Hai scelto di cancellare 1 QSO del log.\n");
    EXPECT_TRUE(session->Log().Calls().Empty());
    EXPECT_EQ(Journal(), LogHeaderBytes(LogMode::Listening, settings.station));
}

TEST_F(LogEdit, EditingTwoRowsShowsTwoDialogsAndCancellingTheFirstStillEditsTheSecond) {
    OpenSession(LogMode::Qso);
    FiveContacts();
    std::vector<std::string> shown;
    RowEditor editor;
    editor.editQso = [&](const QsoRecord& row) -> std::optional<QsoRecord> {
        shown.push_back(row.callsign);
        if (row.callsign == "IZ2BBB") {
            return std::nullopt;  // "Annulla"
        }
        QsoRecord edited = row;
        edited.section = "9999";  // not in the table, accepted after the question
        edited.sectionName = "stale";
        return edited;
    };
    LogEditCommands commands(*session);
    EXPECT_EQ(commands.Edit({3, 1}, editor), 1u);

    EXPECT_EQ(shown, (std::vector<std::string>{"IZ2BBB", "IZ2DDD"}));
    EXPECT_EQ(session->Log().Qso(1).section, "5678");
    EXPECT_EQ(session->Log().Qso(3).section, "9999");
    EXPECT_EQ(session->Log().Qso(3).sectionName, "");
    EXPECT_NE(Journal().find("01.06.2007^1004^7^SSB^IZ2DDD^59^1234^57^9999^\r\n"), std::string::npos);
    EXPECT_TRUE(session->Log().Worked().IsWorked(9999, 0, BandBit(2)));
    EXPECT_TRUE(session->Log().Modified());
    EXPECT_EQ(store.ReadInt("Parametri", "Modificato", 0), 1);
}

TEST_F(LogEdit, AnEditLooksTheSectionNameUpAgainAndCancellingEverythingWritesNothing) {
    OpenSession(LogMode::Qso);
    FiveContacts();
    const std::string journal = Journal();
    RowEditor cancel;
    cancel.editQso = [](const QsoRecord&) { return std::optional<QsoRecord>(); };
    LogEditCommands commands(*session);
    EXPECT_EQ(commands.Edit({0, 1, 2}, cancel), 0u);
    EXPECT_EQ(Journal(), journal);
    EXPECT_FALSE(session->Log().Modified());

    RowEditor toBari;
    toBari.editQso = [](const QsoRecord& row) {
        QsoRecord edited = row;
        edited.section = "123";  // numeric value 123: the section 0123
        return std::optional<QsoRecord>(edited);
    };
    EXPECT_EQ(commands.Edit({0}, toBari), 1u);
    EXPECT_EQ(session->Log().Qso(0).sectionName, "BARI");
    EXPECT_TRUE(session->Log().Worked().IsWorked(123, 0, BandBit(2)));
}

TEST_F(LogEdit, EditingAHeardEntryRebuildsTheCallsignIndex) {
    OpenSession(LogMode::Listening);
    session->Log().Append(HrdRecord{"01.06.2007", "1000", "7", "SSB", "IZ2AAA", "59", "1234", "IZ2BBB"});
    RowEditor editor;
    editor.editListening = [](const HrdRecord& row) {
        HrdRecord edited = row;
        edited.callingCall = "IZ2XXX";
        edited.callingSection = "5678";
        return std::optional<HrdRecord>(edited);
    };
    LogEditCommands commands(*session);
    EXPECT_EQ(commands.Edit({0}, editor), 1u);
    EXPECT_EQ(session->Log().Calls().Find("IZ2AAA"), nullptr);
    ASSERT_NE(session->Log().Calls().Find("IZ2XXX"), nullptr);
    EXPECT_EQ(session->Log().Calls().Find("IZ2XXX")->section, 5678);
    EXPECT_FALSE(session->Log().Worked().IsWorked(1234, 0, BandBit(2)));
    EXPECT_EQ(Journal(), LogHeaderBytes(LogMode::Listening, settings.station) +
                             "01.06.2007^1000^7^SSB^IZ2XXX^59^5678^IZ2BBB^\r\n");
}

TEST_F(LogEdit, SortingReordersTheRowsButLeavesTheJournalUntilTheNextRewrite) {
    OpenSession(LogMode::Qso);
    AddQso("02.06.2007", "1500", "IZ2AAA", "1234");
    AddQso("02.06.2007", "0900", "IZ2BBB", "1234");
    AddQso("01.06.2007", "2359", "IZ2CCC", "1234");
    session->RewriteJournal();
    const std::string journal = Journal();
    LogEditCommands commands(*session);
    commands.SortByDateTime();
    EXPECT_EQ(NumbersAndCalls(), (std::vector<std::string>{"    1 IZ2CCC", "    2 IZ2BBB", "    3 IZ2AAA"}));
    EXPECT_EQ(session->Log().Text(0, 1) + " " + session->Log().Text(0, 2), "01.06.2007 2359");
    EXPECT_EQ(Journal(), journal);
    EXPECT_FALSE(session->Log().Modified());

    // The next deletion writes the new order.
    prompts.yesNoAnswers = {true};
    commands.Delete({1});
    EXPECT_EQ(Journal(), LogHeaderBytes(LogMode::Qso, settings.station) +
                             "01.06.2007^2359^7^SSB^IZ2CCC^59^1234^57^1234^\r\n"
                             "02.06.2007^1500^7^SSB^IZ2AAA^59^1234^57^1234^\r\n");
}

TEST(RecordEdit, TheDialogsMapTheirFieldsOntoTheirChecks) {
    SectionTable table;
    table.SetName(1234, "MILANO");
    ScriptedPrompts prompts;

    QsoRecord qso{"01.06.2007", "1423", "14", "CW", "iz2aaa", "599", "579", "1234", "old"};
    EditSave<QsoRecord> saved = SaveQsoEdit(qso, table, prompts);
    ASSERT_TRUE(saved.record);
    EXPECT_EQ(saved.record->callsign, "IZ2AAA");
    EXPECT_EQ(saved.record->band, "14");
    EXPECT_TRUE(prompts.records.empty());

    qso.rstReceived = "59";  // two digits in CW
    saved = SaveQsoEdit(qso, table, prompts);
    EXPECT_FALSE(saved.record);
    EXPECT_EQ(saved.focus, FormField::RstReceived);
    EXPECT_EQ(prompts.Boxes().back().text, "RST ricevuto (o modo) errato!");

    // "Nominativo 2" is checked too; "RST 1" is the one report; "Sez. 1" the section.
    HrdRecord typed{"01.06.2007", "1423", "7", "SSB", "iz2aaa", "59", "1234", "k1abc"};
    EditSave<HrdRecord> heard = SaveListeningEdit(typed, table, prompts);
    EXPECT_FALSE(heard.record);
    EXPECT_EQ(heard.focus, FormField::Callsign2);
    EXPECT_EQ(prompts.Boxes().back().text, "Errore nei nominativi.");
    typed.answeringCall = "iz2bbb";
    typed.rst = "599";
    heard = SaveListeningEdit(typed, table, prompts);
    EXPECT_EQ(prompts.Boxes().back().text, "RST (o modo) errato!");
    typed.rst = "57";
    typed.callingSection = "9999";
    prompts.yesNoAnswers = {true};
    heard = SaveListeningEdit(typed, table, prompts);
    ASSERT_TRUE(heard.record);
    EXPECT_EQ(prompts.Boxes().back().title, "Domanda");
    EXPECT_EQ(heard.record->callingCall, "IZ2AAA");
    EXPECT_EQ(heard.record->answeringCall, "IZ2BBB");
    EXPECT_EQ(heard.record->callingSection, "9999");
}

}  // namespace
