#include <gtest/gtest.h>

#include <filesystem>

#include "sections/SectionRows.h"
#include "sections/SectionsImport.h"
#include "util/FileIo.h"

using namespace tarnex;

namespace {
std::vector<SectionRow> RowsOf(const SectionTable& table) {
    return SectionRowsOf(table);
}
}  // namespace

TEST(SectionsImportMerge, CountsAcceptedLinesAndMerges) {
    struct Case {
        const char* name;
        std::string bytes;
        size_t accepted;
        std::vector<SectionRow> rows;  // the table afterwards, which held 0500 VECCHIA
    } cases[] = {
        {"title, blank line, three sections, closing note",
         "ELENCO SEZIONI ARI\r\n\r\n0001 ALFA\r\n0130 BETA\r\n1201 MILANO\r\nFine elenco\r\n",
         3,
         {{"0001", "ALFA"}, {"0130", "BETA"}, {"0500", "VECCHIA"}, {"1201", "MILANO"}}},
        {"same code twice: both count, the second name stays",
         "0001 ALFA\r\n0001 ALFA BIS\r\n",
         2,
         {{"0001", "ALFA BIS"}, {"0500", "VECCHIA"}}},
        {"a code in the file replaces the table's name", "0500 NUOVA\n", 1, {{"0500", "NUOVA"}}},
        {"lower case stored in upper case", "1234 alfa\r\n", 1, {{"0500", "VECCHIA"}, {"1234", "ALFA"}}},
        {"last line without line end is lost",
         "0001 ALFA\r\n0002 BETA",
         1,
         {{"0001", "ALFA"}, {"0500", "VECCHIA"}}},
        {"a line of 200 characters ends the reading",
         "0001 ALFA\r\n0002 " + std::string(195, 'B') + "\r\n0003 GAMMA\r\n",
         1,
         {{"0001", "ALFA"}, {"0500", "VECCHIA"}}},
        {"a line of 199 characters is still taken",
         "0002 " + std::string(194, 'B') + "\r\n",
         1,
         {{"0002", std::string(194, 'B')}, {"0500", "VECCHIA"}}},
        {"empty file", "", 0, {{"0500", "VECCHIA"}}},
        {"binary bytes", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xd8", 18), 0, {{"0500", "VECCHIA"}}},
    };
    for (const Case& c : cases) {
        SectionTable table;
        table.SetName(500, "VECCHIA");
        EXPECT_EQ(MergeSectionsText(c.bytes, table), c.accepted) << c.name;
        EXPECT_EQ(RowsOf(table), c.rows) << c.name;
    }
}

TEST(SectionsImportMerge, ReadsAFileAndReportsOneThatCannotBeRead) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarnex-sections-import";
    std::filesystem::create_directories(dir);
    std::string path = (dir / "sezioni.txt").string();
    ASSERT_TRUE(WriteFileAtomically(path, "Sezioni\r\n0001 ALFA\r\n0002 BETA\r\n"));
    SectionTable table;
    EXPECT_EQ(ImportSectionsFile(path, table), std::optional<size_t>(2));
    EXPECT_EQ(table.NameOf(2), "BETA");
    EXPECT_EQ(ImportSectionsFile((dir / "missing.txt").string(), table), std::nullopt);
    EXPECT_EQ(table.KnownCount(), 2u);
    std::filesystem::remove_all(dir);
}

TEST(SectionsImportTexts, Messages) {
    EXPECT_EQ(ImportCountText(3), "Sono stati importati codici e nomi\ndi 3 Sezioni Ari.\n\n");
    EXPECT_EQ(ImportCountText(0),
              "Sono stati importati codici e nomi\ndi 0 Sezioni Ari.\n\n"
              "Attenzione!\nForse il file era binario o in formato non valido!");
    EXPECT_EQ(ImportOpenErrorText("/tmp/a b.txt"), "Errore apertura file:\n/tmp/a b.txt\n\n");
    EXPECT_EQ(
        ImportQuestionText(),
        "Il file di testo con l'elenco delle Sezioni Ari deve\navere il codice sezione di 4 cifre nei primi "
        "4 "
        "caratteri di ogni\nriga, poi un solo spazio e quindi il nome della sezione.\n\nEventuali righe "
        "iniziali e finali di diverso formato non sono\nun problema perch\xE9 sono automaticamente "
        "ignorate.\n\nSi consiglia di scaricare il file sezioni.txt dal sito www.ari.it\n\nVuoi continuare "
        "ed importare l'elenco Sezioni ?");
    EXPECT_STREQ(kImportSaveErrorText, "Non posso salvare sul file _sez.cod!");
    EXPECT_STREQ(kImportDialogTitle, "Scegli file di testo con elenco Sezioni");
}

TEST(SectionsRows, SortsByCodeAndByName) {
    std::vector<SectionRow> rows = {{"0130", "BETA"}, {"0001", "ALFA"}, {"0050", "ALFA2"}};
    SortSectionsByName(rows);
    EXPECT_EQ(rows, (std::vector<SectionRow>{{"0001", "ALFA"}, {"0050", "ALFA2"}, {"0130", "BETA"}}));
    SortSectionsByCode(rows);
    EXPECT_EQ(rows, (std::vector<SectionRow>{{"0001", "ALFA"}, {"0050", "ALFA2"}, {"0130", "BETA"}}));

    // Bytes compare as unsigned values: an accented letter (0xC8) sorts after Z.
    rows = {{"0003", "\xC8VA"}, {"0002", "ZETA"}, {"0001", "A"}};
    SortSectionsByName(rows);
    EXPECT_EQ(rows, (std::vector<SectionRow>{{"0001", "A"}, {"0002", "ZETA"}, {"0003", "\xC8VA"}}));

    // Equal keys keep their order (B, B', A gives A, B, B').
    rows = {{"0002", "B"}, {"0002", "B'"}, {"0001", "A"}};
    SortSectionsByCode(rows);
    EXPECT_EQ(rows, (std::vector<SectionRow>{{"0001", "A"}, {"0002", "B"}, {"0002", "B'"}}));

    // Long names travel whole.
    rows = {{"0002", std::string(60, 'N')}, {"0001", "A"}};
    SortSectionsByCode(rows);
    EXPECT_EQ(rows[1].name, std::string(60, 'N'));

    std::vector<SectionRow> none;
    SortSectionsByName(none);
    EXPECT_TRUE(none.empty());
}

TEST(SectionsRows, BandsText) {
    EXPECT_EQ(BandsText({0, 0, 0}), "------ ------ ------");
    EXPECT_EQ(BandsText({4, 8, 0}), "--X--- ---X-- ------");
    EXPECT_EQ(BandsText({63, 1, 32}), "XXXXXX X----- -----X");
}
