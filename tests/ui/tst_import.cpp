// "Importa elenco Sezioni da file di testo" and "Elenco Sezioni Ari" as the main
// window runs them: questions, messages, the table and "_sez.cod" on disk.

#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedPrompts.h"
#include "log/WorkedSections.h"
#include "sections/SectionTable.h"
#include "sections/SectionsFile.h"
#include "ui/SectionsController.h"
#include "ui/TextCodec.h"
#include "util/FileIo.h"

using namespace tarnex;
using tarnex::testing::PromptRecord;
using tarnex::testing::ScriptedPrompts;

namespace {

const std::string kQuestion =
    "Il file di testo con l'elenco delle Sezioni Ari deve\n"
    "avere il codice sezione di 4 cifre nei primi 4 caratteri di ogni\n"
    "riga, poi un solo spazio e quindi il nome della sezione.\n\n"
    "Eventuali righe iniziali e finali di diverso formato non sono\n"
    "un problema perch\xE9 sono automaticamente ignorate.\n\n"
    "Si consiglia di scaricare il file sezioni.txt dal sito www.ari.it\n\n"
    "Vuoi continuare ed importare l'elenco Sezioni ?";

std::string CountText(int n) {
    return "Sono stati importati codici e nomi\ndi " + std::to_string(n) + " Sezioni Ari.\n\n";
}
const std::string kBinaryWarning = "Attenzione!\nForse il file era binario o in formato non valido!";

struct Fixture {
    Fixture() : folder(dir.path().toStdString() + "/") {
        controller = std::make_unique<SectionsController>(table, worked, prompts, folder, nullptr);
        controller->SetDialogRunner([this](CSectionsDlg& dialog) {
            ++dialogsOpened;
            rowsSeen = dialog.Rows();
            if (onDialog) {
                onDialog(dialog);
            }
            return dialog.result();
        });
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = folder + name;
        QFile file(QString::fromStdString(path));
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    std::optional<std::string> SectionsFile() const { return ReadFileBytes(folder + "_sez.cod"); }
    // Yes to the question, then the file.
    void ImportFile(const std::string& path) {
        prompts.yesNoAnswers = {true};
        prompts.fileAnswers = {path};
        controller->ImportSectionsList();
    }

    QTemporaryDir dir;
    std::string folder;
    SectionTable table;
    WorkedSections worked;
    ScriptedPrompts prompts;
    std::unique_ptr<SectionsController> controller;
    int dialogsOpened = 0;
    std::vector<SectionRow> rowsSeen;
    std::function<void(CSectionsDlg&)> onDialog;
};

struct FaultHookGuard {
    explicit FaultHookGuard(FileFaultHook hook) { SetFileFaultHook(std::move(hook)); }
    ~FaultHookGuard() { SetFileFaultHook(nullptr); }
};

}  // namespace

class TestImport : public QObject {
    Q_OBJECT
  private slots:
    void questionAndFileDialog();
    void noOrCancelChangesNothing_data();
    void noOrCancelChangesNothing();
    void importedLinesAreCountedMergedAndSaved_data();
    void importedLinesAreCountedMergedAndSaved();
    void nothingImportedWarnsAndSavesNothing_data();
    void nothingImportedWarnsAndSavesNothing();
    void unreadableFileIsReportedWithItsPath();
    void failedSaveIsReportedAndTheDialogStaysShut();
    void dialogAfterImportSavesTheListAgain();
    void sectionsListWritesTheFileOnlyAfterSalva();
    void sectionsListReportsAFileThatCannotBeWritten();
};

void TestImport::questionAndFileDialog() {
    Fixture f;
    f.prompts.yesNoAnswers = {true};
    f.prompts.fileAnswers = {std::nullopt};
    f.controller->ImportSectionsList();
    QCOMPARE(f.prompts.records.size(), size_t{2});
    const PromptRecord& question = f.prompts.records[0];
    QCOMPARE(question.kind, PromptRecord::Question);
    QCOMPARE(question.text, kQuestion);
    QCOMPARE(question.title, std::string("Informazione"));
    QCOMPARE(question.icon, MessageIcon::Information);
    const PromptRecord& chooser = f.prompts.records[1];
    QCOMPARE(chooser.kind, PromptRecord::OpenFile);
    QCOMPARE(chooser.file.title, std::string("Scegli file di testo con elenco Sezioni"));
    QCOMPARE(chooser.file.filterText, std::string("Tutti i documenti"));
    QCOMPARE(chooser.file.filterPattern, std::string("*.*"));
    QVERIFY(chooser.file.folderMustExist);
}

void TestImport::noOrCancelChangesNothing_data() {
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("No to the question") << false;
    QTest::newRow("file dialog cancelled") << true;
}

void TestImport::noOrCancelChangesNothing() {
    QFETCH(bool, answerYes);
    Fixture f;
    f.table.SetName(1, "ALFA");
    f.prompts.yesNoAnswers = {answerYes};
    if (answerYes) {
        f.prompts.fileAnswers = {std::nullopt};  // Cancel
    }
    f.controller->ImportSectionsList();
    QCOMPARE(f.prompts.records.size(), size_t{answerYes ? 2u : 1u});
    QCOMPARE(f.table.KnownCount(), size_t{1});
    QVERIFY(!f.SectionsFile());
    QCOMPARE(f.dialogsOpened, 0);
}

void TestImport::importedLinesAreCountedMergedAndSaved_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("saved");  // "_sez.cod" afterwards; the table held 0500 VECCHIA
    QTest::newRow("title, blank line, three sections, closing note")
        << QByteArray("ELENCO SEZIONI ARI\r\n\r\n0001 ALFA\r\n0130 BETA\r\n2000 GAMMA\r\nFine elenco\r\n")
        << 3 << QByteArray("0001 ALFA\r\n0130 BETA\r\n0500 VECCHIA\r\n2000 GAMMA\r\n");
    QTest::newRow("same code twice counts twice, the later name stays")
        << QByteArray("0007 PRIMA\n0007 SECONDA\n") << 2 << QByteArray("0007 SECONDA\r\n0500 VECCHIA\r\n");
    QTest::newRow("a file's name replaces the table's")
        << QByteArray("0500 nuova\n") << 1 << QByteArray("0500 NUOVA\r\n");
    QTest::newRow("lower case stored upper case, bytes above 127 kept")
        << QByteArray("1234 citt\xe0 di prova\n") << 1
        << QByteArray("0500 VECCHIA\r\n1234 CITT\xe0 DI PROVA\r\n");
    QTest::newRow("last line without line end is lost")
        << QByteArray("0001 ALFA\n0002 BETA") << 1 << QByteArray("0001 ALFA\r\n0500 VECCHIA\r\n");
    QTest::newRow("a line of 200 characters ends the reading")
        << QByteArray("0001 ALFA\n") + QByteArray(200, 'X') + QByteArray("\n0002 BETA\n") << 1
        << QByteArray("0001 ALFA\r\n0500 VECCHIA\r\n");
    QTest::newRow("a line of 199 characters is still read")
        << QByteArray("0003 ") + QByteArray(194, 'N') + QByteArray("\n") << 1
        << QByteArray("0003 ") + QByteArray(194, 'N') + QByteArray("\r\n0500 VECCHIA\r\n");
}

void TestImport::importedLinesAreCountedMergedAndSaved() {
    QFETCH(QByteArray, file);
    QFETCH(int, count);
    QFETCH(QByteArray, saved);
    Fixture f;
    f.table.SetName(500, "VECCHIA");
    f.ImportFile(f.Write("sezioni.txt", file.toStdString()));
    const auto boxes = f.prompts.Boxes();
    QCOMPARE(boxes.size(), size_t{2});  // the question and the count
    QCOMPARE(boxes[1].text, CountText(count));
    QCOMPARE(boxes[1].title, std::string("Informazione"));
    QCOMPARE(boxes[1].icon, MessageIcon::Information);
    QCOMPARE(f.SectionsFile().value_or("<none>"), saved.toStdString());
    // The sections dialog opens on the merged table.
    QCOMPARE(f.dialogsOpened, 1);
    QCOMPARE(SectionsFileBytes(f.table), saved.toStdString());
    QCOMPARE(f.rowsSeen.size(), f.table.KnownCount());
}

void TestImport::nothingImportedWarnsAndSavesNothing_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty file") << QByteArray();
    static const char picture[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\x90";
    QTest::newRow("picture") << QByteArray(picture, sizeof picture - 1);
    QTest::newRow("wrong layout") << QByteArray("12345 ALFA\n123 BETA\n1234  GAMMA\n1234 5DELTA\n");
}

void TestImport::nothingImportedWarnsAndSavesNothing() {
    QFETCH(QByteArray, file);
    Fixture f;
    f.table.SetName(9, "NOVE");
    f.ImportFile(f.Write("lista.bin", file.toStdString()));
    const auto boxes = f.prompts.Boxes();
    QCOMPARE(boxes.size(), size_t{2});
    QCOMPARE(boxes[1].text, CountText(0) + kBinaryWarning);
    QCOMPARE(boxes[1].title, std::string("Informazione"));
    QCOMPARE(f.table.KnownCount(), size_t{1});
    QVERIFY(!f.SectionsFile());
    QCOMPARE(f.dialogsOpened, 0);
}

void TestImport::unreadableFileIsReportedWithItsPath() {
    Fixture f;
    // A name beyond ASCII: the message shows it in the program's code page.
    const std::string path =
        TextCodec::QStringToPath(QString::fromStdString(f.folder) + QStringLiteral("non c'\u00e8.txt"));
    f.ImportFile(path);
    const auto boxes = f.prompts.Boxes();
    QCOMPARE(boxes.size(), size_t{2});
    QCOMPARE(boxes[1].text, "Errore apertura file:\n" + f.folder + "non c'\xE8.txt\n\n");
    QCOMPARE(boxes[1].title, std::string("Errore"));
    QCOMPARE(boxes[1].icon, MessageIcon::Stop);
    QVERIFY(!f.SectionsFile());
    QCOMPARE(f.dialogsOpened, 0);
}

void TestImport::failedSaveIsReportedAndTheDialogStaysShut() {
    Fixture f;
    const std::string list = f.Write("sezioni.txt", "0001 ALFA\n");
    f.Write("_sez.cod", "0002 BETA\r\n");
    {
        FaultHookGuard fail([](FileStep step, const std::string&) { return step == FileStep::Write; });
        f.ImportFile(list);
    }
    const auto boxes = f.prompts.Boxes();
    QCOMPARE(boxes.size(), size_t{3});
    QCOMPARE(boxes[1].text, CountText(1));
    QCOMPARE(boxes[2].text, std::string("Non posso salvare sul file _sez.cod!"));
    QCOMPARE(boxes[2].title, std::string("Errore"));
    QCOMPARE(boxes[2].icon, MessageIcon::Stop);
    QCOMPARE(f.SectionsFile().value_or(""), std::string("0002 BETA\r\n"));  // untouched
    QCOMPARE(f.table.NameOf(1), std::string("ALFA"));                       // kept for the run
    QCOMPARE(f.dialogsOpened, 0);
}

void TestImport::dialogAfterImportSavesTheListAgain() {
    Fixture f;
    f.onDialog = [](CSectionsDlg& dialog) {
        dialog.List()->selectRow(0);
        dialog.DeleteSelected();
        dialog.Save();
    };
    f.ImportFile(f.Write("sezioni.txt", "0001 ALFA\n0002 BETA\n"));
    QCOMPARE(f.SectionsFile().value_or(""), std::string("0002 BETA\r\n"));
    QVERIFY(!f.table.IsKnown(1));

    // Annulla leaves the table and the file as the import left them.
    Fixture g;
    g.onDialog = [](CSectionsDlg& dialog) {
        dialog.List()->selectRow(0);
        dialog.DeleteSelected();
        dialog.reject();
    };
    g.ImportFile(g.Write("sezioni.txt", "0001 ALFA\n0002 BETA\n"));
    QCOMPARE(g.SectionsFile().value_or(""), std::string("0001 ALFA\r\n0002 BETA\r\n"));
    QCOMPARE(g.table.KnownCount(), size_t{2});
}

void TestImport::sectionsListWritesTheFileOnlyAfterSalva() {
    Fixture f;
    f.table.SetName(3, "TRE");
    f.onDialog = [](CSectionsDlg& dialog) { dialog.reject(); };
    f.controller->ShowSectionsList();
    QCOMPARE(f.dialogsOpened, 1);
    QVERIFY(!f.SectionsFile());
    f.onDialog = [](CSectionsDlg& dialog) { dialog.Save(); };
    f.controller->ShowSectionsList();
    QCOMPARE(f.SectionsFile().value_or(""), std::string("0003 TRE\r\n"));
    // An empty list empties the file.
    f.onDialog = [](CSectionsDlg& dialog) {
        dialog.List()->selectAll();
        dialog.DeleteSelected();
        dialog.Save();
    };
    f.controller->ShowSectionsList();
    QCOMPARE(f.SectionsFile().value_or("<none>"), std::string());
    QVERIFY(f.prompts.records.empty());
}

void TestImport::sectionsListReportsAFileThatCannotBeWritten() {
    Fixture f;
    f.table.SetName(3, "TRE");
    f.Write("_sez.cod", "0001 VECCHIO\r\n");
    f.onDialog = [](CSectionsDlg& dialog) { dialog.Save(); };
    {
        FaultHookGuard fail([](FileStep step, const std::string&) { return step == FileStep::Rename; });
        f.controller->ShowSectionsList();
    }
    const auto boxes = f.prompts.Boxes();
    QCOMPARE(boxes.size(), size_t{1});
    QCOMPARE(boxes[0].text, std::string("Non posso salvare sul file _sez.cod!"));
    QCOMPARE(f.SectionsFile().value_or(""), std::string("0001 VECCHIO\r\n"));
    QVERIFY(QDir(f.dir.path()).entryList(QDir::Files) == QStringList{"_sez.cod"});  // no temporary left
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
