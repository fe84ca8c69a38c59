// "Nuovo log", "Apri", "Salva" and "Salva come..." from the window's menu actions:
// the questions, the file dialogs as the person sees them, what lands on disk, the
// settings, the recent-file list and the window title.

#include <QFileDialog>
#include <QPlainTextEdit>
#include <QTest>

#include "FileOutputFixture.h"
#include "MainWindowHarness.h"
#include "log/LogFile.h"
#include "ui/CScoreDlg.h"
#include "ui/FileCommandsController.h"
#include "ui/LogPrinter.h"
#include "ui/QtUserPrompts.h"
#include "ui/ScoreController.h"
#include "ui/TextCodec.h"
#include "util/FileIo.h"

using namespace tarnex;
using tarnex::testing::FileOutputFixture;
using tarnex::testing::PromptRecord;
using tarnex::testing::ReadBytes;

namespace {

const QString kBase = QStringLiteral("TARNEX - Contest delle Sezioni ARI");
const char* const kNewQuestion =
    "ATTENZIONE!\n\nLa creazione di un nuovo log comporta la\ncancellazione di tutti i QSO del log "
    "attualmente "
    "in uso.\n\nSe vuoi conservarli, salva prima il log attuale con\ni comandi 'Salva' oppure 'Salva come...'"
    "\n\nVuoi continuare comunque ?";
const char* const kOpenQuestion =
    "ATTENZIONE!\n\nL'apertura di un log esistente comporta la\ncancellazione di tutti i QSO del log "
    "attualmente in uso.\n\nSe vuoi conservarli, salva prima il log attuale con\ni comandi 'Salva' oppure "
    "'Salva come...'\n\nVuoi continuare?";

QsoRecord Contact(const std::string& call) {
    return {"12.03.2005", "1423", "14", "CW", call, "599", "579", "5678", "BETA"};
}

// A log of two contacts saved as "gara.trnx" and then changed by a third one.
struct ModifiedLog : FileOutputFixture {
    ModifiedLog()
        : FileOutputFixture({Text("Dati riassuntivi", "Nominativo", "IK1XYZ"),
                             Text("Dati riassuntivi", "Sezione", "0130")}) {
        sections.SetName(5678, "BETA");
        AddQso(Contact("IK2AAA"));
        AddQso(Contact("IK3BBB"));
        savedPath = File("gara.trnx");
        prompts.fileAnswers.push_back(savedPath);
        Trigger(MenuCommand::SaveAs);
        AddQso(Contact("IK4CCC"));
        prompts.records.clear();
    }
    std::string savedPath;
};

// Everything a cancelled or refused command must leave as it was.
struct Snapshot {
    explicit Snapshot(FileOutputFixture& f)
        : rows(f.session->Log().RowCount()),
          journal(f.JournalBytes()),
          path(f.store.ReadString("Parametri", "Path log aperto", "<none>")),
          name(f.store.ReadString("Parametri", "Nome log aperto", "<none>")),
          modified(f.store.ReadInt("Parametri", "Modificato", -1)),
          title(f.window.windowTitle()),
          files(f.FileNames()) {}
    bool operator==(const Snapshot&) const = default;
    size_t rows;
    std::string journal;
    std::string path;
    std::string name;
    int32_t modified;
    QString title;
    std::vector<std::string> files;
};

}  // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
  private slots:
    void saveAsWritesTheJournalAndNamesTheWindow();
    void saveWithAFileCopiesWithoutAsking();
    void saveWithoutAFileIsSaveAs();
    void refusedOrCancelledCommandsChangeNothing_data();
    void refusedOrCancelledCommandsChangeNothing();
    void newLogEmptiesTheLogAfterTheQuestion();
    void newLogOnASavedLogAsksNothing();
    void openLoadsTheFileAndRemembersIt();
    void fileNamesShowAsTheFileSystemSpellsThem();
    void logFileDialogsAsThePersonSeesThem();
    void mainWindowKeysRunTheCommands();
};

void TestFileCommands::saveAsWritesTheJournalAndNamesTheWindow() {
    FileOutputFixture f;
    f.AddQso(Contact("IK2AAA"));
    f.prompts.fileAnswers.push_back(f.File("primo.trnx"));
    f.Trigger(MenuCommand::SaveAs);
    QCOMPARE(f.prompts.records.size(), size_t{1});
    const FileDialogOptions& options = f.prompts.records[0].file;
    QCOMPARE(f.prompts.records[0].kind, PromptRecord::SaveFile);
    QCOMPARE(options.title, std::string("Salva il log corrente"));
    QCOMPARE(options.filterText, std::string("File log Tarnex (*.trnx)"));
    QCOMPARE(options.filterPattern, std::string("*.trnx"));
    QCOMPARE(options.defaultExtension, std::string("trnx"));
    QVERIFY(options.confirmOverwrite);
    QVERIFY(options.folderMustExist);
    QCOMPARE(ReadBytes(f.File("primo.trnx")), f.JournalBytes());
    QVERIFY(f.JournalBytes().find("IK2AAA") != std::string::npos);
    QCOMPARE(f.window.windowTitle(), kBase + " - primo.trnx");
    QCOMPARE(f.store.ReadString("Parametri", "Path log aperto", ""), f.File("primo.trnx"));
    QCOMPARE(f.store.ReadString("Parametri", "Nome log aperto", ""), std::string("primo.trnx"));
    QCOMPARE(f.store.ReadInt("Parametri", "Modificato", -1), 0);

    // The next start shows the same title.
    Settings restarted(f.store);
    restarted.Load();
    QCOMPARE(FileCommandsController::WindowTitle(restarted), kBase + " - primo.trnx");
}

void TestFileCommands::saveWithAFileCopiesWithoutAsking() {
    ModifiedLog f;
    QCOMPARE(f.store.ReadInt("Parametri", "Modificato", -1), 1);
    const QString title = f.window.windowTitle();
    f.Trigger(MenuCommand::Save);
    QVERIFY(f.prompts.records.empty());
    QCOMPARE(ReadBytes(f.savedPath), f.JournalBytes());
    QVERIFY(ReadBytes(f.savedPath).find("IK4CCC") != std::string::npos);
    QCOMPARE(f.store.ReadInt("Parametri", "Modificato", -1), 0);
    QVERIFY(!f.session->Log().Modified());
    QCOMPARE(f.window.windowTitle(), title);
}

void TestFileCommands::saveWithoutAFileIsSaveAs() {
    FileOutputFixture f;
    f.AddQso(Contact("IK2AAA"));
    f.prompts.fileAnswers.push_back(f.File("nuovo.trnx"));
    f.Trigger(MenuCommand::Save);
    QCOMPARE(f.prompts.records.size(), size_t{1});
    QCOMPARE(f.prompts.records[0].title, std::string("Salva il log corrente"));
    QCOMPARE(ReadBytes(f.File("nuovo.trnx")), f.JournalBytes());
    QCOMPARE(f.window.windowTitle(), kBase + " - nuovo.trnx");
    QCOMPARE(f.store.ReadInt("Parametri", "Modificato", -1), 0);
}

void TestFileCommands::refusedOrCancelledCommandsChangeNothing_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("Nuovo log, No") << int(MenuCommand::NewLog) << false << QString(kNewQuestion) << 0;
    QTest::newRow("Apri, No") << int(MenuCommand::Open) << false << QString(kOpenQuestion) << 0;
    QTest::newRow("Apri, Cancel") << int(MenuCommand::Open) << true << QString(kOpenQuestion) << 1;
    QTest::newRow("Salva come, Cancel") << int(MenuCommand::SaveAs) << true << QString() << 1;
}

void TestFileCommands::refusedOrCancelledCommandsChangeNothing() {
    QFETCH(int, command);
    QFETCH(bool, answerYes);
    QFETCH(QString, question);
    QFETCH(int, dialogs);
    ModifiedLog f;
    const Snapshot before(f);
    f.prompts.yesNoAnswers.push_back(answerYes);  // file choosers get Cancel
    f.Trigger(static_cast<MenuCommand>(command));
    const std::vector<PromptRecord> boxes = f.prompts.Boxes();
    if (question.isEmpty()) {
        QVERIFY(boxes.empty());
    } else {
        QCOMPARE(boxes.size(), size_t{1});
        QCOMPARE(QString::fromStdString(boxes[0].text), question);
        QCOMPARE(boxes[0].title, std::string("Richiesta di conferma"));
        QCOMPARE(boxes[0].kind, PromptRecord::Question);
    }
    QCOMPARE(int(f.prompts.records.size() - boxes.size()), dialogs);
    QVERIFY(Snapshot(f) == before);
    QVERIFY(f.session->Log().Modified());
    QCOMPARE(ReadBytes(f.savedPath).find("IK4CCC"), std::string::npos);
}

void TestFileCommands::newLogEmptiesTheLogAfterTheQuestion() {
    ModifiedLog f;
    f.prompts.yesNoAnswers.push_back(true);
    f.Trigger(MenuCommand::NewLog);
    QCOMPARE(f.prompts.Boxes().size(), size_t{1});
    QCOMPARE(f.prompts.Boxes()[0].text, std::string(kNewQuestion));
    QCOMPARE(f.session->Log().RowCount(), size_t{0});
    QCOMPARE(f.JournalBytes(), LogHeaderBytes(LogMode::Qso, f.settings.station));
    QCOMPARE(f.store.ReadString("Parametri", "Path log aperto", "<none>"), std::string());
    QCOMPARE(f.store.ReadString("Parametri", "Nome log aperto", "<none>"), std::string());
    QCOMPARE(f.store.ReadInt("Parametri", "Modificato", -1), 0);
    QCOMPARE(f.window.windowTitle(), kBase);
    // The saved file is the person's: it keeps the two contacts.
    QVERIFY(ReadBytes(f.savedPath).find("IK3BBB") != std::string::npos);
}

void TestFileCommands::newLogOnASavedLogAsksNothing() {
    ModifiedLog f;
    f.Trigger(MenuCommand::Save);
    f.Trigger(MenuCommand::NewLog);
    QVERIFY(f.prompts.records.empty());
    QCOMPARE(f.session->Log().RowCount(), size_t{0});
    QCOMPARE(f.window.windowTitle(), kBase);
}

void TestFileCommands::openLoadsTheFileAndRemembersIt() {
    ModifiedLog f;
    const std::string other = f.File("altro.trnx");
    const std::string bytes =
        "trnx141;hrd\r\nIK9SWL\r\n0001\r\nSWL\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
        "12.03.2005^1423^14^CW^IK1AAA^599^1234^IK2BBB^\r\n";
    QVERIFY(WriteFileAtomically(other, bytes));
    f.prompts.yesNoAnswers.push_back(true);
    f.prompts.fileAnswers.push_back(other);
    f.Trigger(MenuCommand::Open);

    QCOMPARE(f.prompts.records.size(), size_t{2});
    QCOMPARE(f.prompts.records[0].text, std::string(kOpenQuestion));
    const FileDialogOptions& options = f.prompts.records[1].file;
    QCOMPARE(f.prompts.records[1].kind, PromptRecord::OpenFile);
    QCOMPARE(options.title, std::string("Apri log"));
    QCOMPARE(options.filterText, std::string("File log Tarnex (*.trnx)"));
    QCOMPARE(options.filterPattern, std::string("*.trnx"));
    QVERIFY(options.mustExist);

    QCOMPARE(f.JournalBytes(), bytes);
    QCOMPARE(f.session->Log().Mode(), LogMode::Listening);
    QCOMPARE(f.session->Log().RowCount(), size_t{1});
    QCOMPARE(f.window.windowTitle(), kBase + " - altro.trnx");
    QCOMPARE(f.store.ReadString("Parametri", "Path log aperto", ""), other);
    QCOMPARE(f.store.ReadString("Parametri", "Nome log aperto", ""), std::string("altro.trnx"));
    QCOMPARE(f.store.ReadInt("Parametri", "Modificato", -1), 0);
    QCOMPARE(f.store.ReadString("Recent File List", "File1", ""), other);
    // The file that was open before is the person's: it is not touched.
    QVERIFY(ReadBytes(f.savedPath).find("IK2AAA") != std::string::npos);
}

void TestFileCommands::fileNamesShowAsTheFileSystemSpellsThem() {
    FileOutputFixture f;
    const QString name = QString::fromUtf8("gara d'\u00e8state.trnx");
    const std::string path = f.File(TextCodec::QStringToPath(name));
    f.prompts.fileAnswers.push_back(path);
    f.Trigger(MenuCommand::SaveAs);
    QVERIFY(FileExists(path));
    QCOMPARE(f.window.windowTitle(), kBase + " - " + name);
}

void TestFileCommands::logFileDialogsAsThePersonSeesThem() {
    // The options the commands ask for, shown by the program's real file dialog.
    ModifiedLog f;
    f.prompts.yesNoAnswers.push_back(true);
    f.Trigger(MenuCommand::Open);
    f.Trigger(MenuCommand::SaveAs);
    QCOMPARE(f.prompts.records.size(), size_t{3});

    QFileDialog open;
    QtUserPrompts::ConfigureFileDialog(open, f.prompts.records[1].file, false);
    QCOMPARE(open.windowTitle(), QStringLiteral("Apri log"));
    QCOMPARE(open.nameFilters(), QStringList{QStringLiteral("File log Tarnex (*.trnx)")});
    QCOMPARE(open.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(open.acceptMode(), QFileDialog::AcceptOpen);

    QFileDialog save;
    QtUserPrompts::ConfigureFileDialog(save, f.prompts.records[2].file, true);
    QCOMPARE(save.windowTitle(), QStringLiteral("Salva il log corrente"));
    QCOMPARE(save.nameFilters(), QStringList{QStringLiteral("File log Tarnex (*.trnx)")});
    QCOMPARE(save.defaultSuffix(), QStringLiteral("trnx"));
    QCOMPARE(save.acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!save.testOption(QFileDialog::DontConfirmOverwrite));
}

void TestFileCommands::mainWindowKeysRunTheCommands() {
    // The real main window: its keys F5, F8 and F2 reach these commands, and its title
    // follows a save.
    std::string journal = "trnx14;qso\r\nIK1XYZ\r\n1234\r\nSINGLE-OP CW\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    for (const char* call : {"IK2AAA", "IK3BBB", "IK4CCC"}) {
        journal += std::string("12.03.2005^1423^14^CW^") + call + "^599^1234^579^5678^\r\n";
    }
    tarnex::testing::MainWindowHarness h(journal);
    QCOMPARE(h.Log().RowCount(), size_t{3});
    const std::string saved = h.folder + "/gara.trnx";
    h.prompts.fileAnswers.push_back(saved);
    QTest::keyClick(h.window.get(), Qt::Key_F5);
    QCOMPARE(ReadBytes(saved), h.JournalBytes());
    QCOMPARE(h.window->windowTitle(), kBase + " - gara.trnx");

    auto* score = h.window->findChild<ScoreController*>();
    QVERIFY(score != nullptr);
    QString report;
    score->SetDialogRunner([&report](CScoreDlg& dialog) { report = dialog.ReportBox()->toPlainText(); });
    QTest::keyClick(h.window.get(), Qt::Key_F8);
    QVERIFY(report.endsWith(QStringLiteral("PUNTEGGIO TOTALE = 9\n")));
    QCOMPARE(h.store.ReadInt("Parametri", "Punteggio", -1), 9);

    // The selection is the log list's.
    auto* printer = h.window->findChild<LogPrinter*>();
    QVERIFY(printer != nullptr);
    h.SelectRows({0, 2});
    PrintDialogSetup offered;
    QWidget* dialogParent = nullptr;
    printer->SetDialogRunner([&](QPrinter&, const PrintDialogSetup& setup, QWidget* parent) {
        offered = setup;
        dialogParent = parent;
        return false;  // cancelled: nothing printed
    });
    QTest::keyClick(h.window.get(), Qt::Key_F2);
    QCOMPARE(offered.pageCount, 1);
    QVERIFY(offered.selectionEnabled);
    QCOMPARE(dialogParent, static_cast<QWidget*>(h.window.get()));
    QCOMPARE(h.window->selectedLogRows(), (std::vector<size_t>{0, 2}));
}

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
