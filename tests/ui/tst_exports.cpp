// "Esporta -> Cabrillo", "Esporta -> ADIF" and "Esporta -> Testo per Fastlog" from the
// window's menu actions: questions, save dialogs, the files written (against the
// golden files of the writers), the listening log's band order, and files that
// cannot be written.

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTest>

#include "FileOutputFixture.h"
#include "ui/QtUserPrompts.h"
#include "util/FileIo.h"

using namespace tarnex;
using tarnex::testing::FileOutputFixture;
using tarnex::testing::PromptRecord;
using tarnex::testing::ReadBytes;

namespace {

std::string Data(const std::string& name) {
    return std::string(TARNEX_TEST_DATA) + "/export/" + name;
}

// A session over one of the writers' test logs and their sections file.
struct ExportLog : FileOutputFixture {
    explicit ExportLog(const std::string& log, std::vector<Preset> presets = {})
        : FileOutputFixture(presets, ReadBytes(Data(log)), Data("sections.cod")) {}
};

const char* const kQsoCabrilloQuestion =
    "Attenzione!\nPrima di esportare in formato Cabrillo\naccertarsi di aver impostato nei dati riassuntivi "
    "almeno\nil nominativo, il nome, la categoria e la propria sezione.\n\nIn questo momento sono impostati "
    "i seguenti dati\n\nNominativo: MYCALL\nNome: Mario Rossi\nSezione: 0501 (ALFA)\nCategoria: SINGLE-OP "
    "CW\nVuoi continuare?";
const char* const kAdifListeningQuestion =
    "Il formato ADIF standard non prevede\ngli ascolti degli swl.\nE' tuttavia possibile eportare il log "
    "corrente\nutilizzando il nuovo campo <CALL2> per indicare il\nsecondo nominativo. I due RST saranno "
    "esportati\ncome spedito e ricevuto ed i due codici sezione\nsaranno esportati come se fossero numeri "
    "progressivi.\n\nVuoi continuare ed esportare il log in formato ADIF?";
const char* const kFastlogListeningMessage =
    "Il programma Fastlog non supporta il modo SWL\nper cui non \xE8 possibile esportare il log attuale in\n"
    "questo formato.\n";

// The calling callsigns of the log, in display order, and the numbers shown.
std::vector<std::string> Callers(const ContestLog& log) {
    std::vector<std::string> calls;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        calls.push_back(log.Text(row, ListeningCol::Number) + " " + log.Text(row, ListeningCol::CallingCall));
    }
    return calls;
}

std::string WithClaimedScore(std::string file, const std::string& from, const std::string& to) {
    const size_t at = file.find("CLAIMED-SCORE: " + from + "\r\n");
    if (at != std::string::npos) {
        file.replace(at + 15, from.size(), to);
    }
    return file;
}

struct FaultGuard {
    explicit FaultGuard(FileFaultHook hook) { SetFileFaultHook(std::move(hook)); }
    ~FaultGuard() { SetFileFaultHook(nullptr); }
};

}  // namespace

class TestExports : public QObject {
    Q_OBJECT
  private slots:
    void cabrilloAsksShowsTheDialogAndWrites();
    void cabrilloThatGoesNoFurtherStillStoresTheScore_data();
    void cabrilloThatGoesNoFurtherStillStoresTheScore();
    void listeningCabrilloByBand_data();
    void listeningCabrilloByBand();
    void adifOfBothModes();
    void fastlogOfAQsoLogAndRefusedForListening();
    void exportThatCannotBeWrittenLeavesNoFile_data();
    void exportThatCannotBeWrittenLeavesNoFile();
    void saveDialogsAsThePersonSeesThem();
};

void TestExports::cabrilloAsksShowsTheDialogAndWrites() {
    ExportLog f("qso_log.trnx");
    f.prompts.yesNoAnswers.push_back(true);
    f.prompts.fileAnswers.push_back(f.File("mycall.log"));
    f.Trigger(MenuCommand::ExportCabrillo);

    QCOMPARE(f.prompts.records.size(), size_t{2});
    const PromptRecord& question = f.prompts.records[0];
    QCOMPARE(question.kind, PromptRecord::Question);
    QCOMPARE(question.title, std::string("Richiesta conferma"));
    QCOMPARE(question.text, std::string(kQsoCabrilloQuestion));
    const FileDialogOptions& options = f.prompts.records[1].file;
    QCOMPARE(f.prompts.records[1].kind, PromptRecord::SaveFile);
    QCOMPARE(options.title, std::string("Esporta log in formato Cabrillo"));
    QCOMPARE(options.filterText, std::string("File Cabrillo (*.log, *.cbr)"));
    QCOMPARE(options.filterPattern, std::string("*.log;*.cbr"));
    QCOMPARE(options.defaultExtension, std::string("log"));
    QCOMPARE(options.initialName, std::string("mycall"));
    QVERIFY(options.confirmOverwrite);

    // The claimed score is computed by the export itself: 10 points x 4 multipliers.
    QCOMPARE(ReadBytes(f.File("mycall.log")), ReadBytes(Data("qso.cbr")));
    QCOMPARE(f.store.ReadInt("Parametri", "Punteggio", -1), 40);
    // Nothing else changed: no other file, the log as it was and not modified.
    QCOMPARE(f.FileNames(), (std::vector<std::string>{"_ult.trnx", "mycall.log"}));
    QCOMPARE(f.session->Log().RowCount(), size_t{4});
    QVERIFY(!f.session->Log().Modified());
}

void TestExports::cabrilloThatGoesNoFurtherStillStoresTheScore_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("No") << false << 0;
    QTest::newRow("Cancel") << true << 1;
}

void TestExports::cabrilloThatGoesNoFurtherStillStoresTheScore() {
    QFETCH(bool, answer);
    QFETCH(int, dialogs);
    ExportLog f("qso_log.trnx", {FileOutputFixture::Number("Parametri", "Punteggio", 7)});
    f.prompts.yesNoAnswers.push_back(answer);
    f.Trigger(MenuCommand::ExportCabrillo);
    QCOMPARE(f.prompts.Boxes().size(), size_t{1});
    QCOMPARE(int(f.prompts.records.size()) - 1, dialogs);
    QCOMPARE(f.FileNames(), std::vector<std::string>{"_ult.trnx"});
    QCOMPARE(f.store.ReadInt("Parametri", "Punteggio", -1), 40);
}

void TestExports::listeningCabrilloByBand_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("chooseFile");
    QTest::addColumn<QStringList>("logAfter");
    QTest::addColumn<bool>("fileByBand");
    // The log holds 14 MHz 03.04 1500 CALLER, 7 MHz 03.04 1400 IK2AAA, 14 MHz 02.04
    // 2300 IK4CCC, 14 MHz 03.04 1500 IK6EEE.
    const QStringList logOrder = {"    1 CALLER", "    2 IK2AAA", "    3 IK4CCC", "    4 IK6EEE"};
    QTest::newRow("by band, written: back in date order, renumbered")
        << 1 << true << QStringList{"    1 IK4CCC", "    2 IK2AAA", "    3 CALLER", "    4 IK6EEE"} << true;
    QTest::newRow("by band, cancelled: left in band order")
        << 1 << false << QStringList{"    1 IK2AAA", "    2 IK4CCC", "    3 CALLER", "    4 IK6EEE"} << true;
    QTest::newRow("log order") << 0 << true << logOrder << false;
}

void TestExports::listeningCabrilloByBand() {
    QFETCH(int, option);
    QFETCH(bool, chooseFile);
    QFETCH(QStringList, logAfter);
    QFETCH(bool, fileByBand);
    ExportLog f("swl_log.trnx",
                {FileOutputFixture::Number("Parametri", "File Cabrillo SWL separati", option)});
    QCOMPARE(f.session->Log().Mode(), LogMode::Listening);
    const std::string journal = f.JournalBytes();
    f.prompts.yesNoAnswers.push_back(true);
    if (chooseFile) {
        f.prompts.fileAnswers.push_back(f.File("swl.cbr"));
    }
    f.Trigger(MenuCommand::ExportCabrillo);

    QStringList after;
    for (const std::string& caller : Callers(f.session->Log())) {
        after << QString::fromStdString(caller);
    }
    QCOMPARE(after, logAfter);
    // Re-ordering the rows does not touch the journal.
    QCOMPARE(f.JournalBytes(), journal);
    if (!chooseFile) {
        QCOMPARE(f.FileNames(), std::vector<std::string>{"_ult.trnx"});
        return;
    }
    // Score: 20 m 3 entries, 9 points, 2 multipliers; 40 m 1, 1, 1: 10 x 3.
    const std::string written = ReadBytes(f.File("swl.cbr"));
    if (fileByBand) {
        QCOMPARE(written, WithClaimedScore(ReadBytes(Data("swl_by_band.cbr")), "123", "30"));
    } else {
        const size_t caller = written.find("QSO: 14000 RY 2005-04-03 1500 CALLER");
        QVERIFY(caller != std::string::npos);
        QVERIFY(caller < written.find(" 7000 PH 2005-04-03 1400 IK2AAA"));
        QVERIFY(written.find("CLAIMED-SCORE: 30\r\n") != std::string::npos);
    }
}

void TestExports::adifOfBothModes() {
    ExportLog qso("qso_log.trnx");
    qso.prompts.fileAnswers.push_back(qso.File("log.adi"));
    qso.Trigger(MenuCommand::ExportAdif);
    QCOMPARE(qso.prompts.records.size(), size_t{1});
    const FileDialogOptions& options = qso.prompts.records[0].file;
    QCOMPARE(options.title, std::string("Esporta log in formato ADIF"));
    QCOMPARE(options.filterText, std::string("File Adif (*.adi)"));
    QCOMPARE(options.filterPattern, std::string("*.adi"));
    QCOMPARE(options.defaultExtension, std::string(".adi"));
    QCOMPARE(options.initialName, std::string());
    QVERIFY(options.confirmOverwrite);
    QCOMPARE(ReadBytes(qso.File("log.adi")), ReadBytes(Data("qso.adi")));

    ExportLog listening("swl_log.trnx");
    listening.Trigger(MenuCommand::ExportAdif);  // No
    QCOMPARE(listening.prompts.records.size(), size_t{1});
    QCOMPARE(listening.prompts.records[0].kind, PromptRecord::Question);
    QCOMPARE(listening.prompts.records[0].title, std::string("Richiesta"));
    QCOMPARE(listening.prompts.records[0].text, std::string(kAdifListeningQuestion));
    QCOMPARE(listening.FileNames(), std::vector<std::string>{"_ult.trnx"});

    listening.prompts.yesNoAnswers.push_back(true);
    listening.prompts.fileAnswers.push_back(listening.File("swl.adi"));
    listening.Trigger(MenuCommand::ExportAdif);
    QCOMPARE(ReadBytes(listening.File("swl.adi")), ReadBytes(Data("swl.adi")));
}

void TestExports::fastlogOfAQsoLogAndRefusedForListening() {
    ExportLog qso("qso_log.trnx");
    qso.prompts.fileAnswers.push_back(qso.File("fastlog.txt"));
    qso.Trigger(MenuCommand::ExportFastlog);
    QCOMPARE(qso.prompts.records.size(), size_t{1});
    const FileDialogOptions& options = qso.prompts.records[0].file;
    QCOMPARE(options.title, std::string("Esporta log come testo per Fastlog"));
    QCOMPARE(options.filterText, std::string("File di testo (*.txt)"));
    QCOMPARE(options.filterPattern, std::string("*.txt"));
    QCOMPARE(options.defaultExtension, std::string("txt"));
    QCOMPARE(ReadBytes(qso.File("fastlog.txt")), ReadBytes(Data("qso.txt")));

    // An empty log gives an empty file, which is still a file.
    FileOutputFixture empty;
    empty.prompts.fileAnswers.push_back(empty.File("vuoto.txt"));
    empty.Trigger(MenuCommand::ExportFastlog);
    QVERIFY(FileExists(empty.File("vuoto.txt")));
    QCOMPARE(ReadBytes(empty.File("vuoto.txt")), std::string());

    ExportLog listening("swl_log.trnx");
    listening.prompts.fileAnswers.push_back(listening.File("never.txt"));
    listening.Trigger(MenuCommand::ExportFastlog);
    QCOMPARE(listening.prompts.records.size(), size_t{1});
    QCOMPARE(listening.prompts.records[0].kind, PromptRecord::Message);
    QCOMPARE(listening.prompts.records[0].title, std::string("Informazione"));
    QCOMPARE(listening.prompts.records[0].icon, MessageIcon::Information);
    QCOMPARE(listening.prompts.records[0].text, std::string(kFastlogListeningMessage));
    QCOMPARE(listening.FileNames(), std::vector<std::string>{"_ult.trnx"});
}

void TestExports::exportThatCannotBeWrittenLeavesNoFile_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("failure");
    for (MenuCommand command :
         {MenuCommand::ExportCabrillo, MenuCommand::ExportAdif, MenuCommand::ExportFastlog}) {
        const QString name = command == MenuCommand::ExportCabrillo ? "Cabrillo"
                             : command == MenuCommand::ExportAdif   ? "ADIF"
                                                                    : "Fastlog";
        QTest::newRow(qPrintable(name + ", missing folder")) << int(command) << QStringLiteral("folder");
        QTest::newRow(qPrintable(name + ", disk full over an old file"))
            << int(command) << QStringLiteral("full");
        QTest::newRow(qPrintable(name + ", a folder of that name"))
            << int(command) << QStringLiteral("isFolder");
    }
}

void TestExports::exportThatCannotBeWrittenLeavesNoFile() {
    QFETCH(int, command);
    QFETCH(QString, failure);
    ExportLog f("qso_log.trnx");
    std::string target = f.File("export.out");
    const std::string oldBytes = "the file of an earlier export\r\n";
    if (failure == "folder") {
        target = f.File("manca/export.out");
    } else if (failure == "full") {
        QVERIFY(WriteFileAtomically(target, oldBytes));
    } else {
        QVERIFY(QDir(QString::fromStdString(f.Folder())).mkdir(QStringLiteral("export.out")));
    }
    const std::vector<std::string> before = f.FileNames();
    FaultGuard guard([&](FileStep step, const std::string& path) {
        return failure == "full" && step == FileStep::Write && path == target;
    });
    f.prompts.yesNoAnswers.push_back(true);
    f.prompts.fileAnswers.push_back(target);
    f.Trigger(static_cast<MenuCommand>(command));

    const std::vector<PromptRecord> boxes = f.prompts.Boxes();
    QVERIFY(!boxes.empty());
    QCOMPARE(boxes.back().kind, PromptRecord::Message);
    QCOMPARE(boxes.back().text, "Errore apertura file:\n" + target + "\n\n");
    QCOMPARE(boxes.back().title, std::string("Errore"));
    QCOMPARE(boxes.back().icon, MessageIcon::Stop);
    // No half-written file, no temporary file, and an earlier file kept whole.
    QCOMPARE(f.FileNames(), before);
    if (failure == "full") {
        QCOMPARE(ReadBytes(target), oldBytes);
    }
    QVERIFY(!QFileInfo::exists(QString::fromStdString(f.File("manca"))));
}

void TestExports::saveDialogsAsThePersonSeesThem() {
    ExportLog f("qso_log.trnx");
    f.prompts.yesNoAnswers.push_back(true);
    f.Trigger(MenuCommand::ExportCabrillo);
    f.Trigger(MenuCommand::ExportAdif);
    f.Trigger(MenuCommand::ExportFastlog);
    QCOMPARE(f.prompts.records.size(), size_t{4});

    // A folder with one file of each kind.
    QTemporaryDir folder;
    for (const char* name : {"a.log", "b.cbr", "c.adi", "d.txt", "e.trnx"}) {
        QVERIFY(WriteFileAtomically(QDir(folder.path()).filePath(name).toStdString(), "x"));
    }
    struct Expected {
        size_t record;
        QString filterShown;
        QStringList patterns;
        QString suffix;
        QString name;
    };
    const Expected expected[] = {
        {1, "File Cabrillo (*.log, *.cbr)", {"*.log", "*.cbr"}, "log", "mycall"},
        {2, "File Adif (*.adi)", {"*.adi"}, "adi", ""},
        {3, "File di testo (*.txt)", {"*.txt"}, "txt", ""},
    };
    for (const Expected& e : expected) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setDirectory(folder.path());
        QtUserPrompts::ConfigureFileDialog(dialog, f.prompts.records[e.record].file, true);
        QCOMPARE(dialog.windowTitle(), QString::fromStdString(f.prompts.records[e.record].title));
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(dialog.defaultSuffix(), e.suffix);
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types != nullptr);
        QCOMPARE(types->currentText(), e.filterShown);
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model != nullptr);
        QCOMPARE(model->nameFilters(), e.patterns);
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        QCOMPARE(name->text(), e.name);
    }
}

QTEST_MAIN(TestExports)
#include "tst_exports.moc"
