// The commands on the list of sections without a window: what Salva of the sections
// dialog stores, and the import's questions, messages, file and dialog in their order.

#include <gtest/gtest.h>

#include <fstream>

#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "app/SectionsCommands.h"
#include "sections/SectionTable.h"
#include "util/FileIo.h"

using namespace tarnex;
using tarnex::testing::FaultHookGuard;
using tarnex::testing::PromptRecord;
using tarnex::testing::ScratchFolder;
using tarnex::testing::ScriptedPrompts;

TEST(SectionsSave, RowsGoIntoTheTableUntilACodeComesTwice) {
    struct Case {
        const char* name;
        std::vector<SectionRow> rows;
        bool stored;
        std::vector<SectionRow> table;  // afterwards; it held 0900 VECCHIA
        std::string message;            // empty: none
    } cases[] = {
        {"every code once, in any order",
         {{"0130", "BARI"}, {"0001", "ALFA"}},
         true,
         {{"0001", "ALFA"}, {"0130", "BARI"}},
         ""},
        {"an empty list empties the table", {}, true, {}, ""},
        {"the second row with a code stops there: only the rows above stay",
         {{"0001", "ALFA"}, {"0130", "BETA"}, {"0200", "GAMMA"}, {"0130", "NUOVA"}, {"0300", "DOPO"}},
         false,
         {{"0001", "ALFA"}, {"0130", "BETA"}, {"0200", "GAMMA"}},
         "ATTENZIONE!\n\nLe sezioni di BETA\ne di NUOVA\nhanno lo stesso codice: 0130\n\nModifica i codici!"},
        {"codes are compared by value, the message shows the later text",
         {{"0130", "BARI"}, {"130", "ALTRA"}},
         false,
         {{"0130", "BARI"}},
         "ATTENZIONE!\n\nLe sezioni di BARI\ne di ALTRA\nhanno lo stesso codice: 130\n\nModifica i codici!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionTable table;
        table.SetName(900, "VECCHIA");
        ScriptedPrompts prompts;
        EXPECT_EQ(StoreSectionRows(c.rows, table, prompts), c.stored);
        EXPECT_EQ(SectionRowsOf(table), c.table);
        if (c.message.empty()) {
            EXPECT_TRUE(prompts.records.empty());
        } else {
            ASSERT_EQ(prompts.records.size(), 1u);
            EXPECT_EQ(prompts.records[0].text, c.message);
            EXPECT_EQ(prompts.records[0].title, "Errore");
            EXPECT_EQ(prompts.records[0].icon, MessageIcon::Stop);
        }
    }
}

namespace {

class SectionsImport : public ::testing::Test {
  protected:
    SectionsImport() {
        table.SetName(500, "VECCHIA");
        commands = std::make_unique<SectionsCommands>(
            table, prompts, scratch.Folder(), [](const std::string& path) { return "<" + path + ">"; });
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(scratch.File(name), std::ios::binary) << bytes;
        return scratch.File(name);
    }
    // Yes to the question, then the file; the sections dialog ends with `salva`.
    void Import(std::optional<std::string> path, bool salva = false) {
        prompts.yesNoAnswers = {true};
        prompts.fileAnswers = {std::move(path)};
        commands->ImportSectionsList([this, salva] {
            rowsShown = SectionRowsOf(table);
            ++dialogs;
            return salva;
        });
    }
    std::optional<std::string> SectionsFile() const { return ReadFileBytes(scratch.File("_sez.cod")); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const PromptRecord& record : prompts.records) {
            texts.push_back(record.kind == PromptRecord::OpenFile ? "[open] " + record.title : record.text);
        }
        return texts;
    }

    ScratchFolder scratch;
    SectionTable table;
    ScriptedPrompts prompts;
    std::unique_ptr<SectionsCommands> commands;
    int dialogs = 0;
    std::vector<SectionRow> rowsShown;
};

const char* const kCount2 = "Sono stati importati codici e nomi\ndi 2 Sezioni Ari.\n\n";

}  // namespace

TEST_F(SectionsImport, TakenLinesAreSavedAndShownAndSavedAgainAfterSalva) {
    const std::string list = Write("sezioni.txt", "ELENCO\r\n0001 ALFA\r\n0130 BETA\r\n");
    Import(list, true);
    ASSERT_EQ(prompts.records.size(), 3u);
    EXPECT_EQ(prompts.records[0].kind, PromptRecord::Question);
    EXPECT_EQ(prompts.records[0].title, "Informazione");
    EXPECT_EQ(prompts.records[0].icon, MessageIcon::Information);
    EXPECT_EQ(prompts.records[1].title, "Scegli file di testo con elenco Sezioni");
    EXPECT_EQ(prompts.records[2].text, kCount2);
    EXPECT_EQ(prompts.records[2].icon, MessageIcon::Information);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(rowsShown, (std::vector<SectionRow>{{"0001", "ALFA"}, {"0130", "BETA"}, {"0500", "VECCHIA"}}));
    EXPECT_EQ(SectionsFile().value_or(""), "0001 ALFA\r\n0130 BETA\r\n0500 VECCHIA\r\n");
}

TEST_F(SectionsImport, EachWayOutStopsWhereItShould) {
    // No to the question, and a cancelled file dialog: nothing else happens.
    prompts.yesNoAnswers = {false};
    commands->ImportSectionsList([this] { return ++dialogs, true; });
    Import(std::nullopt);
    EXPECT_EQ(prompts.records.size(), 3u);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(table.KnownCount(), 1u);

    // A file that cannot be read: its path as a message shows it.
    prompts.records.clear();
    Import(scratch.File("manca.txt"));
    ASSERT_EQ(prompts.records.size(), 3u);
    EXPECT_EQ(prompts.records[2].text, "Errore apertura file:\n<" + scratch.File("manca.txt") + ">\n\n");
    EXPECT_EQ(prompts.records[2].title, "Errore");

    // Nothing taken: the warning, no file, no dialog.
    prompts.records.clear();
    Import(Write("foto.bin", std::string("\x89PNG\r\n\x1a\n", 8)));
    ASSERT_EQ(prompts.records.size(), 3u);
    EXPECT_EQ(prompts.records[2].text,
              "Sono stati importati codici e nomi\ndi 0 Sezioni Ari.\n\n"
              "Attenzione!\nForse il file era binario o in formato non valido!");
    EXPECT_FALSE(SectionsFile());
    EXPECT_EQ(dialogs, 0);

    // "_sez.cod" cannot be written: the message, and the dialog stays shut.
    prompts.records.clear();
    {
        FaultHookGuard fail([](FileStep step, const std::string&) { return step == FileStep::Write; });
        Import(Write("sezioni.txt", "0001 ALFA\n0002 BETA\n"));
    }
    EXPECT_EQ(Texts(), (std::vector<std::string>{prompts.records[0].text,
                                                 "[open] Scegli file di testo con elenco Sezioni", kCount2,
                                                 "Non posso salvare sul file _sez.cod!"}));
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(table.IsKnown(2));  // kept for the run
}

TEST_F(SectionsImport, SectionsListWritesTheFileOnlyAfterSalva) {
    commands->ShowSectionsList([] { return false; });
    EXPECT_FALSE(SectionsFile());
    commands->ShowSectionsList([] { return true; });
    EXPECT_EQ(SectionsFile().value_or(""), "0500 VECCHIA\r\n");
    EXPECT_TRUE(prompts.records.empty());
}
