// The call history and the "Nominativi noti" list in the main window, driven through
// the real widgets: typing a callsign lists the known calls in the lookup's order,
// a click or Ctrl+Enter takes a row, the history fills a section in its own colour
// until the operator hears it, "Aggiorna storico nominativi..." takes several files,
// and the list works on with a master list or a history that cannot be read.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <cmath>

#include "MainWindowHarness.h"
#include "app/HistoryUpdateCommand.h"
#include "history/HistoryFile.h"
#include "history/MasterCallList.h"
#include "ui/DialogColours.h"
#include "ui/KnownCallsController.h"
#include "ui/KnownCallsModel.h"
#include "ui/UnheardSectionColours.h"
#include "util/FileIo.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

StationSummary Station(const char* category) {
    return StationSummary{"IZ2XYZ", "1234", category, "", "Ugo", "", "", "", "", "", ""};
}

// IZ2ABC worked on 7 SSB (what the window starts on), IZ2ABD on 14 CW.
std::string QsoJournal() {
    return LogHeaderBytes(LogMode::Qso, Station("SINGLE-OP CW")) +
           QsoLine({"02.06.2007", "1001", "7", "SSB", "IZ2ABC", "59", "57", "1234", "MILANO"}, "1234") +
           QsoLine({"02.06.2007", "1002", "14", "CW", "IZ2ABD", "599", "579", "5678", "ROMA"}, "1234");
}

// The history knows both of the log's stations (with other sections), and three more.
const std::string kHistory =
    "!!Order!!,Call,Sect,LastQsoUtc\r\n"
    "# earlier contests\r\n"
    "IK2ABX,0130,2019-06-01 10:00\r\n"
    "IZ2ABC,5678,2019-06-01 10:00\r\n"
    "IZ2ABD,0130,2019-06-01 10:00\r\n"
    "IZ2NEW,5678,2020-06-06 12:00\r\n"
    "IZ2XBC,1234,2020-06-06 12:00\r\n";
// Two Italian callsigns of the master list, one known elsewhere, one foreign.
const std::string kMaster = "# master\r\nIZ2ABE\r\nIZ2ABC\r\nDL1ABC\r\n";

struct Row {
    QString call;
    QString section;
    QString mark;
    bool operator==(const Row&) const = default;
};
// For QCOMPARE's messages.
char* toString(const std::vector<Row>& rows) {
    QStringList texts;
    for (const Row& row : rows) {
        texts << row.call + QLatin1Char('/') + row.section + QLatin1Char('/') + row.mark;
    }
    return qstrdup(texts.join(QStringLiteral(", ")).toUtf8().constData());
}
char* toString(const Row& row) {
    return toString(std::vector<Row>{row});
}

struct KnownCallsHarness : MainWindowHarness {
    explicit KnownCallsHarness(const std::string& journal = QsoJournal(),
                               const char* category = "SINGLE-OP CW")
        : MainWindowHarness(journal, category) {
        controller = window->findChild<KnownCallsController*>();
        QVERIFY(controller != nullptr);
        controller->FinishLoading();
    }

    std::string Path(const std::string& name) const { return folder + "/" + name; }
    void Put(const std::string& name, const std::string& bytes) {
        QVERIFY(WriteFileAtomically(Path(name), bytes));
    }
    // Reads the history and a master list of the folder, as start-up does.
    void Load(const std::string& master = "master.scp") {
        controller->LoadSources({Path(kHistoryFileName), Path(master)});
        controller->FinishLoading();
    }

    QTableView* List() const { return controller->List(); }
    // The rows as the list shows them; the line between the parts as its text.
    std::vector<Row> Shown() const {
        QAbstractItemModel* model = List()->model();
        std::vector<Row> rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            rows.push_back({model->index(r, 0).data().toString(), model->index(r, 1).data().toString(),
                            model->index(r, 2).data().toString()});
        }
        return rows;
    }
    int Chosen() const {
        const QModelIndexList rows = List()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.constFirst().row();
    }
    void ClickRow(int row) {
        const QRect rect = List()->visualRect(List()->model()->index(row, 0));
        QVERIFY(rect.isValid());
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // The callsign field emptied and typed in, key by key.
    void TypeCallsign(const QString& text, QLineEdit* field = nullptr) {
        Retype(field != nullptr ? field : c().callsign, text);
    }
    // The colour in the middle of a field's right end, where no text is.
    static QColor FieldColour(QLineEdit* field) {
        const QImage image = field->grab().toImage();
        return image.pixelColor(image.width() - 4, image.height() / 2);
    }
    QColor UnheardBackground() const {
        return UnheardSectionColours(ColourFromStored(settings.backgroundColour)).background;
    }

    KnownCallsController* controller = nullptr;
};

const Row kHeading{QString::fromLatin1(KnownCallsModel::kOneOffHeading), {}, {}};

}  // namespace

class TestKnownCalls : public QObject {
    Q_OBJECT
  private slots:
    void typingListsTheKnownCallsInOrderWithTheWorkedMark();
    void aClickOrCtrlEnterTakesARowIntoTheFieldBeingTyped();
    void theHistoryFillsTheSectionInItsOwnColourUntilItIsHeard();
    void listeningModeListsAndFillsForBothCallsigns();
    void updateTakesSeveralFilesAndSaysWhatItAdded();
    void aHistoryWithOtherColumnsIsNeverWrittenOver();
    void theListWorksOnWithoutAGoodMasterList();
    void anUnreadableHistoryIsSaidOnceAndNeverWritten();
    void startUpReadsTheSourcesOffTheWindowThread();
    void theUnheardColoursReadAndStandOutOnEveryBackground();
};

void TestKnownCalls::typingListsTheKnownCallsInOrderWithTheWorkedMark() {
    KnownCallsHarness h;
    h.Put(kHistoryFileName, kHistory);
    h.Put("master.scp", kMaster);
    h.Load();

    h.c().callsign->setFocus();
    QTest::keyClicks(h.c().callsign, QStringLiteral("2"));
    QCOMPARE(h.Shown().size(), size_t{0});  // one character: nothing yet
    QTest::keyClicks(h.c().callsign, QStringLiteral("ab"));
    // The log's (with the log's sections, IZ2ABC worked on 7 SSB), the history's, the
    // master list's; each callsign once.
    const std::vector<Row> partial = {
        {"IZ2ABC", "1234", "DUP"}, {"IZ2ABD", "5678", ""}, {"IK2ABX", "0130", ""}, {"IZ2ABE", "", ""}};
    QCOMPARE(h.Shown(), partial);
    QCOMPARE(h.Chosen(), 0);
    QCOMPARE(h.List()->model()->index(0, 0).data(Qt::ForegroundRole).value<QBrush>().color(),
             QColor(0xc0, 0x00, 0x00));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().callsign));

    // The whole callsign: itself first, then the calls one character away, apart.
    h.TypeCallsign(QStringLiteral("iz2abc"));
    const std::vector<Row> whole = {
        {"IZ2ABC", "1234", "DUP"}, kHeading, {"IZ2ABD", "5678", ""}, {"IZ2XBC", "1234", ""}};
    QCOMPARE(h.Shown(), whole);
    QCOMPARE(h.List()->model()->flags(h.List()->model()->index(1, 0)), Qt::ItemFlags());
    QVERIFY(h.List()->model()->index(3, 0).data(Qt::FontRole).value<QFont>().italic());

    // The worked mark follows the band and mode chosen.
    h.c().mode->setCurrentIndex(ModeListIndex("CW"));
    h.c().band->setCurrentIndex(BandListIndex("14"));
    const std::vector<Row> on14cw = {
        {"IZ2ABC", "1234", ""}, kHeading, {"IZ2ABD", "5678", "DUP"}, {"IZ2XBC", "1234", ""}};
    QCOMPARE(h.Shown(), on14cw);

    // Nothing known, or the field emptied: an empty list.
    h.TypeCallsign(QStringLiteral("K9QQ"));
    QCOMPARE(h.Shown().size(), size_t{0});
    h.TypeCallsign(QStringLiteral("2ab"));
    QVERIFY(!h.Shown().empty());
    h.c().clear->click();  // "C": the form cleared
    QCOMPARE(h.c().callsign->text(), QString());
    QCOMPARE(h.Shown().size(), size_t{0});
}

void TestKnownCalls::aClickOrCtrlEnterTakesARowIntoTheFieldBeingTyped() {
    KnownCallsHarness h;
    h.Put(kHistoryFileName, kHistory);
    h.Put("master.scp", kMaster);
    h.Load();

    // A click: the call in the field as if typed (the list follows it), the focus stays.
    h.TypeCallsign(QStringLiteral("2ab"));
    h.ClickRow(2);
    QCOMPARE(h.c().callsign->text(), QStringLiteral("IK2ABX"));
    QCOMPARE(h.window->entryForm().Values().callsign, std::string("IK2ABX"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().callsign));
    QCOMPARE(h.Shown().front(), (Row{"IK2ABX", "0130", ""}));

    // Ctrl+Down chooses the next row, Ctrl+Enter takes it.
    h.TypeCallsign(QStringLiteral("2ab"));
    QTest::keyClick(h.c().callsign, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(h.Chosen(), 1);
    QTest::keyClick(h.c().callsign, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(h.c().callsign->text(), QStringLiteral("IZ2ABD"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().callsign));
    QCOMPARE(h.Log().RowCount(), size_t{2});  // nothing added

    // A busted callsign caught in the section: the row goes back into the callsign,
    // which is evaluated again with Enter (here from the history, in its colour).
    h.TypeCallsign(QStringLiteral("iz2xbd"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().section));
    const std::vector<Row> oneAway = {kHeading, {"IZ2ABD", "5678", ""}, {"IZ2XBC", "1234", ""}};
    QCOMPARE(h.Shown(), oneAway);
    QCOMPARE(h.Chosen(), 1);                                            // the first call, never the line
    QTest::keyClick(h.c().section, Qt::Key_Down, Qt::ControlModifier);  // Ctrl keys only in a callsign
    QCOMPARE(h.Chosen(), 1);
    h.ClickRow(2);
    QCOMPARE(h.c().callsign->text(), QStringLiteral("IZ2XBC"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().callsign));
    QCOMPARE(h.c().section->text(), QString());
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QCOMPARE(h.c().section->text(), QStringLiteral("1234"));
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), h.UnheardBackground());

    // The heading line takes nothing.
    h.TypeCallsign(QStringLiteral("iz2xbd"));
    h.ClickRow(0);
    QCOMPARE(h.c().callsign->text(), QStringLiteral("IZ2XBD"));
}

void TestKnownCalls::theHistoryFillsTheSectionInItsOwnColourUntilItIsHeard() {
    KnownCallsHarness h;
    h.Put(kHistoryFileName, kHistory);
    h.Load();
    const QColor white(0xff, 0xff, 0xff);
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), white);

    // Not in the log: the history's section, apart, with its name and grid.
    h.TypeCallsign(QStringLiteral("iz2new"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QCOMPARE(h.c().section->text(), QStringLiteral("5678"));
    QCOMPARE(h.c().sectionName->text(), QStringLiteral("ROMA"));
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), h.UnheardBackground());
    QVERIFY(h.c().newMultiplier->isVisible());
    // Typed over: heard.
    Retype(h.c().section, QStringLiteral("1234"));
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), white);

    // Left for another field: confirmed as it stands.
    h.TypeCallsign(QStringLiteral("iz2new"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), h.UnheardBackground());
    h.c().rstSent->setFocus();
    QCOMPARE(h.c().section->text(), QStringLiteral("5678"));
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), white);

    // Enter confirms it: the contact goes in with it, and the next one starts plain.
    h.TypeCallsign(QStringLiteral("iz2new"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QTest::keyClick(h.c().section, Qt::Key_Return);
    QCOMPARE(h.Log().RowCount(), size_t{3});
    QCOMPARE(h.Log().Qso(2).section, std::string("5678"));
    QCOMPARE(h.c().section->text(), QString());
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), white);

    // The log's own section wins over the history's, in the plain colour.
    h.TypeCallsign(QStringLiteral("iz2abd"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QCOMPARE(h.c().section->text(), QStringLiteral("5678"));
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), white);
}

void TestKnownCalls::listeningModeListsAndFillsForBothCallsigns() {
    const std::string journal =
        LogHeaderBytes(LogMode::Listening, Station("SWL")) +
        ListeningLine({"02.06.2007", "1100", "7", "SSB", "IZ2ABC", "59", "1234", "IZ2ABD"});
    KnownCallsHarness h(journal, "SWL");
    h.Put(kHistoryFileName, kHistory);
    h.Load();

    // Callsign 1 from the history, in its colour.
    h.TypeCallsign(QStringLiteral("iz2new"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QCOMPARE(h.c().section->text(), QStringLiteral("5678"));
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section), h.UnheardBackground());
    QTest::keyClick(h.c().section, Qt::Key_Return);  // confirmed; on to callsign 2
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().callsign2));

    // Callsign 2 typed: the list answers it; Ctrl+Enter takes a row into it.
    QTest::keyClicks(h.c().callsign2, QStringLiteral("2ab"));
    QCOMPARE(h.controller->TypedField(), EntryField::Callsign2);
    const std::vector<Row> partial = {
        {"IZ2ABC", "1234", "DUP"}, {"IZ2ABD", "0130", ""}, {"IK2ABX", "0130", ""}};
    QCOMPARE(h.Shown(), partial);  // IZ2ABD heard only answering: the history's section
    QTest::keyClick(h.c().callsign2, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(h.c().callsign2, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(h.c().callsign2->text(), QStringLiteral("IZ2ABD"));
    QCOMPARE(h.c().callsign->text(), QStringLiteral("IZ2NEW"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().callsign2));

    // Its section from the history too, apart until heard.
    QTest::keyClick(h.c().callsign2, Qt::Key_Return);
    QCOMPARE(h.c().section2->text(), QStringLiteral("0130"));
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section2), h.UnheardBackground());
    Retype(h.c().section2, QStringLiteral("1234"));
    QCOMPARE(KnownCallsHarness::FieldColour(h.c().section2), QColor(0xff, 0xff, 0xff));
}

void TestKnownCalls::updateTakesSeveralFilesAndSaysWhatItAdded() {
    KnownCallsHarness h;
    h.Put(kHistoryFileName, kHistory);
    h.Load();
    // One of this program's logs and an ADIF file of 2024: IZ2NEW sent another section
    // since the history's 2020.
    h.Put("old.trnx",
          LogHeaderBytes(LogMode::Qso, Station("SINGLE-OP CW")) +
              QsoLine({"01.06.2024", "1200", "7", "SSB", "IZ2UPD", "59", "57", "5678", "ROMA"}, "1234"));
    h.Put("old.adi",
          "Tarnex\r\n<EOH>\r\n"
          "<CALL:6>IZ2ADI<QSO_DATE:8>20240602<TIME_ON:4>1300<SRX_STRING:4>0130<EOR>\r\n"
          "<CALL:6>IZ2NEW<QSO_DATE:8>20240602<TIME_ON:4>1301<SRX_STRING:4>1234<EOR>\r\n");
    h.prompts.fileListAnswers = {{h.Path("old.trnx"), h.Path("old.adi")}};
    h.Trigger(MenuCommand::UpdateHistory);

    QCOMPARE(h.prompts.records.size(), size_t{2});
    QCOMPARE(h.prompts.records[0].kind, PromptRecord::OpenFiles);
    QCOMPARE(h.prompts.records[0].title, std::string(kHistoryChooseTitle));
    QCOMPARE(h.prompts.records[1].text,
             std::string("Stazioni aggiunte allo storico: 2\nStazioni aggiornate: 1"));
    QCOMPARE(h.prompts.records[1].title, std::string(kHistoryUpdateTitle));
    QCOMPARE(h.prompts.records[1].icon, MessageIcon::Information);

    // The file holds the update, newest per callsign, and nothing of the replace is left.
    CallHistory saved;
    QVERIFY(LoadHistoryFile(h.Path(kHistoryFileName), saved).ok);
    QCOMPARE(saved.Size(), size_t{7});
    QCOMPARE(saved.SectionOf("IZ2NEW"), std::optional<int>(1234));
    QCOMPARE(saved.SectionOf("IZ2UPD"), std::optional<int>(5678));
    QCOMPARE(QDir(QString::fromStdString(h.folder)).entryList({QStringLiteral("_storico.csv*")}),
             QStringList{QStringLiteral("_storico.csv")});

    // The list and the pre-fill take it at once.
    h.TypeCallsign(QStringLiteral("upd"));
    QCOMPARE(h.Shown(), (std::vector<Row>{{"IZ2UPD", "5678", ""}}));
    h.TypeCallsign(QStringLiteral("iz2new"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QCOMPARE(h.c().section->text(), QStringLiteral("1234"));

    // Cancel: nothing more.
    h.Trigger(MenuCommand::UpdateHistory);
    QCOMPARE(h.prompts.records.size(), size_t{3});
    QCOMPARE(h.prompts.records[2].kind, PromptRecord::OpenFiles);

    // A file of no known kind is named; the others still count.
    h.Put("notes.txt", "nothing of a contest\r\n");
    h.prompts.fileListAnswers = {{h.Path("notes.txt"), h.Path("old.adi")}};
    h.Trigger(MenuCommand::UpdateHistory);
    QCOMPARE(h.prompts.records.back().text,
             std::string("Stazioni aggiunte allo storico: 0\nStazioni aggiornate: 0\n\n"
                         "File non letti:\nnotes.txt (formato non riconosciuto)"));
    QCOMPARE(h.prompts.records.back().icon, MessageIcon::Exclamation);
}

void TestKnownCalls::aHistoryWithOtherColumnsIsNeverWrittenOver() {
    KnownCallsHarness h;
    const std::string other = "!!Order!!,Call,Sect,Name\r\nIZ2OLD,1234,Ugo\r\n";
    h.Put(kHistoryFileName, other);
    h.Load();
    h.Put("more.adi",
          "<EOH>\r\n<CALL:6>IZ2ADI<QSO_DATE:8>20240602<TIME_ON:4>1300<SRX_STRING:4>0130<EOR>\r\n");
    h.prompts.fileListAnswers = {{h.Path("more.adi")}};
    h.Trigger(MenuCommand::UpdateHistory);

    QCOMPARE(h.prompts.records.back().text, "Stazioni aggiunte allo storico: 1\nStazioni aggiornate: 0\n\n" +
                                                HistoryNotRewrittenText(h.Path(kHistoryFileName), {"Name"}));
    QCOMPARE(h.prompts.records.back().icon, MessageIcon::Exclamation);
    QCOMPARE(ReadFileBytes(h.Path(kHistoryFileName)), std::optional<std::string>(other));
    // What was read serves until the program ends.
    h.TypeCallsign(QStringLiteral("2adi"));
    QCOMPARE(h.Shown(), (std::vector<Row>{{"IZ2ADI", "0130", ""}}));
    h.TypeCallsign(QStringLiteral("2old"));
    QCOMPARE(h.Shown(), (std::vector<Row>{{"IZ2OLD", "1234", ""}}));
}

void TestKnownCalls::theListWorksOnWithoutAGoodMasterList() {
    KnownCallsHarness h;
    h.Put(kHistoryFileName, kHistory);

    // Missing: the log's and the history's, and not a word.
    h.Load("missing.scp");
    h.TypeCallsign(QStringLiteral("2ab"));
    const std::vector<Row> withoutMaster = {
        {"IZ2ABC", "1234", "DUP"}, {"IZ2ABD", "5678", ""}, {"IK2ABX", "0130", ""}};
    QCOMPARE(h.Shown(), withoutMaster);
    QVERIFY(h.prompts.records.empty());
    QVERIFY(h.controller->Note()->isHidden());

    // Damaged: what is a callsign in it still counts.
    h.Put("damaged.scp", std::string("\x00\xff\xfe garbage\r\n", 13) + std::string(300, 'I') +
                             "\r\nIZ2ABE\r\nIZ2AB\xE9\r\n,,,\r\n");
    h.Load("damaged.scp");
    h.TypeCallsign(QStringLiteral("2ab"));
    std::vector<Row> withDamaged = withoutMaster;
    withDamaged.push_back({"IZ2ABE", "", ""});
    QCOMPARE(h.Shown(), withDamaged);
    QVERIFY(h.prompts.records.empty());

    // Debian's own list: a callsign of it is found whole, first.
    const std::optional<std::vector<std::string>> debian = LoadMasterCalls(kMasterCallsPath);
    if (!debian || debian->empty()) {
        QSKIP("hamradio-files' MASTER.SCP is not installed");
    }
    h.controller->LoadSources(KnownCallsController::DefaultSources(*h.session));
    h.controller->FinishLoading();
    const QString call = QString::fromStdString(debian->back());
    h.TypeCallsign(call);
    QVERIFY(!h.Shown().empty());
    QCOMPARE(h.Shown().front(), (Row{call, "", ""}));
}

void TestKnownCalls::anUnreadableHistoryIsSaidOnceAndNeverWritten() {
    KnownCallsHarness h;
    QVERIFY(QDir(QString::fromStdString(h.folder)).mkdir(QStringLiteral("_storico.csv")));
    h.Put("master.scp", kMaster);
    h.Load();
    // Under the list, not in a box that would stop the typing.
    QVERIFY(h.prompts.records.empty());
    QVERIFY(!h.controller->Note()->isHidden());
    QVERIFY(h.controller->Note()->text().startsWith(
        QStringLiteral("Impossibile leggere lo storico nominativi:")));
    QVERIFY(h.controller->Note()->toolTip().contains(QString::fromStdString(h.Path(kHistoryFileName))));
    // The list goes on with the log and the master list.
    h.TypeCallsign(QStringLiteral("2ab"));
    const std::vector<Row> rows = {{"IZ2ABC", "1234", "DUP"}, {"IZ2ABD", "5678", ""}, {"IZ2ABE", "", ""}};
    QCOMPARE(h.Shown(), rows);

    // The update says so before asking for any file, and writes nothing.
    h.Trigger(MenuCommand::UpdateHistory);
    QCOMPARE(h.prompts.records.size(), size_t{1});
    QCOMPARE(h.prompts.records[0].kind, PromptRecord::Message);
    QCOMPARE(h.prompts.records[0].title, std::string(kErrorTitle));
    QVERIFY(h.prompts.records[0].text.rfind(
                "Impossibile leggere lo storico nominativi:\n" + h.Path(kHistoryFileName), 0) == 0);
    QVERIFY(QFileInfo(QString::fromStdString(h.Path(kHistoryFileName))).isDir());
}

void TestKnownCalls::startUpReadsTheSourcesOffTheWindowThread() {
    KnownCallsHarness h;
    h.Put(kHistoryFileName, kHistory);
    // A window opening on the folder now.
    h.window.reset();
    h.window = std::make_unique<CTarnexDlg>(*h.session, nullptr, [&h] { return h.now; });
    h.window->show();
    h.Activate();
    auto* controller = h.window->findChild<KnownCallsController*>();
    QVERIFY(controller != nullptr);
    QCOMPARE(controller->CurrentSources().historyPath, h.Path(kHistoryFileName));
    QCOMPARE(controller->CurrentSources().masterPath, std::string(kMasterCallsPath));
    if (controller->Loading()) {
        QSignalSpy loaded(controller, &KnownCallsController::sourcesLoaded);
        QVERIFY(loaded.wait(10000));
    }
    QCOMPARE(controller->History().Size(), size_t{5});
    Retype(h.window->controls().callsign, QStringLiteral("iz2new"));
    QTest::keyClick(h.window->controls().callsign, Qt::Key_Return);
    QCOMPARE(h.window->controls().section->text(), QStringLiteral("5678"));
}

void TestKnownCalls::theUnheardColoursReadAndStandOutOnEveryBackground() {
    // The stored default, plain ones, the two field colours themselves, and many more.
    std::vector<QColor> backgrounds = {ColourFromStored(11563120),
                                       Qt::white,
                                       Qt::black,
                                       Qt::yellow,
                                       Qt::cyan,
                                       Qt::red,
                                       QColor(0xff, 0xe8, 0x80),
                                       QColor(0xb8, 0xe0, 0xff)};
    for (int i = 0; i < 500; ++i) {
        backgrounds.push_back(QColor::fromRgb(static_cast<QRgb>((i * 2654435761u) & 0xffffff)));
    }
    const FieldColours yellow = UnheardSectionColours(QColor(0xb8, 0xe0, 0xff));
    const FieldColours blue = UnheardSectionColours(QColor(0xff, 0xe8, 0x80));
    QVERIFY(yellow.background != blue.background);
    auto distance = [](const QColor& a, const QColor& b) {
        return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
    };
    for (const QColor& window : backgrounds) {
        const FieldColours chosen = UnheardSectionColours(window);
        // Either pair reads well; the one further from the window's background is taken.
        QVERIFY2(ContrastRatio(chosen.text, chosen.background) >= 7.0, qPrintable(window.name()));
        const QColor other = chosen.background == yellow.background ? blue.background : yellow.background;
        QVERIFY2(distance(window, chosen.background) >= distance(window, other), qPrintable(window.name()));
        // Never the plain field's white or red.
        QVERIFY(chosen.background != QColor(Qt::white) && chosen.text != QColor(Qt::red));
    }
    QCOMPARE(ContrastRatio(Qt::black, Qt::white), 21.0);
}

QTEST_MAIN(TestKnownCalls)
#include "tst_known_calls.moc"
