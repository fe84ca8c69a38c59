// The checks before sending in the main window: a clean log shows nothing; findings
// show "TARNEX - Controllo del log" before the Cabrillo, Cabrillo 3.0 and ADIF files;
// a double click opens the row's edit dialog (or the station summary) and the list
// follows the corrections; "Esporta comunque" goes on, "Annulla" stops. And
// "Esporta -> Cabrillo 3.0" in its place in the menu, writing the settings' values,
// with the contest's name from the "Cabrillo" part of "Opzioni".

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>

#include "MainWindowHarness.h"
#include "export/Cabrillo3Export.h"
#include "log/LogFile.h"
#include "score/ScoreComputation.h"
#include "ui/CLogFindingsDlg.h"
#include "ui/COptionsDlg.h"
#include "ui/CQsoEditDlg.h"
#include "ui/CStationSummaryDlg.h"
#include "ui/CabrilloOptionsSection.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

StationSummary Station() {
    return {"IK2XYZ", "1234", "SINGLE-OP CW", "", "Mario Rossi", "", "", "", "", "", ""};
}

QsoRecord Qso(const char* call, const char* time) {
    return {"10.06.2023", time, "7", "CW", call, "599", "599", "5678", ""};
}

// Two contacts on the contest weekend of 2023: nothing to find.
const std::vector<QsoRecord> kClean = {Qso("IZ2AAA", "1300"), Qso("IZ2BBB", "1301")};
// Row 3 repeats IZ2AAA on 7 CW, row 4 is before the start (Saturday 12:00 UTC).
const std::vector<QsoRecord> kWithFindings = {Qso("IZ2AAA", "1300"), Qso("IZ2BBB", "1301"),
                                              Qso("IZ2AAA", "1302"), Qso("IZ2CCC", "1100")};

std::string Journal(const std::vector<QsoRecord>& rows) {
    std::string bytes = LogHeaderBytes(LogMode::Qso, Station());
    for (const QsoRecord& row : rows) {
        bytes += QsoLine(row, "1234");
    }
    return bytes;
}

// The window over a log, with the power chosen unless told otherwise.
struct Window : MainWindowHarness {
    explicit Window(const std::vector<QsoRecord>& rows, const char* power = "LOW")
        : MainWindowHarness(Journal(rows)) {
        settings.SetStationExtras({power, "", "ik2xyz@example.org"});
    }
    std::string Out() const { return dir.filePath(QStringLiteral("out.cbr")).toStdString(); }
    bool Written() const { return QFile::exists(dir.filePath(QStringLiteral("out.cbr"))); }
    std::string OutBytes() const {
        QFile file(dir.filePath(QStringLiteral("out.cbr")));
        file.open(QIODevice::ReadOnly);
        return file.readAll().toStdString();
    }
    // The answers an export asks for once it goes on.
    void ScriptGoingOn(MenuCommand command) {
        if (command != MenuCommand::ExportAdif) {
            prompts.yesNoAnswers.push_back(true);
        }
        prompts.fileAnswers.push_back(Out());
    }
};

// Counts the findings dialogs shown while `run` runs, closing each with Annulla.
int FindingsDialogsDuring(const std::function<void()>& run) {
    int shown = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<CLogFindingsDlg*>(QApplication::activeModalWidget())) {
            ++shown;
            dialog->reject();
        }
    });
    poll.start();
    run();
    return shown;
}

QStringList Lines(QTableWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->rowCount(); ++i) {
        lines << list->item(i, 0)->text() + QStringLiteral(": ") + list->item(i, 1)->text().left(14);
    }
    return lines;
}

void DoubleClickLine(QTableWidget* list, int line) {
    const QRect cell = list->visualItemRect(list->item(line, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

void ClickSave(QDialog* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>("save"), Qt::LeftButton);
}

}  // namespace

class TestSendingChecks : public QObject {
    Q_OBJECT
  private slots:
    void cabrillo3ComesRightAfterCabrillo();
    void aCleanLogShowsNoFindings_data();
    void aCleanLogShowsNoFindings();
    void findingsGoOnOrStop_data();
    void findingsGoOnOrStop();
    void aDoubleClickOpensTheRowAndTheListFollowsTheCorrections();
    void aStationFindingOpensTheStationSummary();
    void contestNameInTheOptions();
};

void TestSendingChecks::cabrillo3ComesRightAfterCabrillo() {
    Window w(kClean);
    QMenu* log = nullptr;
    for (QAction* menu : w.window->findChild<QMenuBar*>()->actions()) {
        if (menu->text() == QStringLiteral("Log")) {
            log = menu->menu();
        }
    }
    QVERIFY(log != nullptr);
    QStringList items;
    for (QAction* item : log->actions()) {
        if (item->text().startsWith(QStringLiteral("Esporta"))) {
            items << item->text();
        }
    }
    QCOMPARE(items, (QStringList{"Esporta -> Cabrillo", "Esporta -> Cabrillo 3.0",
                                 "Esporta -> Testo per Fastlog", "Esporta -> ADIF"}));
}

void TestSendingChecks::aCleanLogShowsNoFindings_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("Cabrillo") << int(MenuCommand::ExportCabrillo);
    QTest::newRow("Cabrillo 3.0") << int(MenuCommand::ExportCabrillo3);
    QTest::newRow("ADIF") << int(MenuCommand::ExportAdif);
}

void TestSendingChecks::aCleanLogShowsNoFindings() {
    QFETCH(int, command);
    const auto which = static_cast<MenuCommand>(command);
    Window w(kClean);
    w.settings.SetContestName("ARI-SEZIONI");
    w.ScriptGoingOn(which);
    QCOMPARE(FindingsDialogsDuring([&] { w.Trigger(which); }), 0);
    QVERIFY(w.Written());
    if (which == MenuCommand::ExportCabrillo3) {
        // The file of the writer with the values of the settings; the same question and
        // save dialog as the 2.0 file.
        Cabrillo3Options options;
        options.contest = "ARI-SEZIONI";
        options.extras = {"LOW", "", "ik2xyz@example.org"};
        QCOMPARE(w.OutBytes(), ExportCabrillo3(w.Log(), Station(), w.sections,
                                               ComputeScore(w.Log()).claimedScore, options));
        QCOMPARE(w.prompts.records.size(), size_t{2});
        QCOMPARE(w.prompts.records[0].title, std::string("Richiesta conferma"));
        QCOMPARE(w.prompts.records[1].file.title, std::string("Esporta log in formato Cabrillo"));
        QCOMPARE(w.prompts.records[1].file.initialName, std::string("ik2xyz"));
    }
}

void TestSendingChecks::findingsGoOnOrStop_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<QStringList>("lines");
    const QStringList rows = {"3: Doppio: IZ2AAA", "4: Fuori dal peri"};
    QTest::newRow("Cabrillo, Annulla") << int(MenuCommand::ExportCabrillo) << false << rows;
    QTest::newRow("Cabrillo, Esporta comunque") << int(MenuCommand::ExportCabrillo) << true << rows;
    // Only the 3.0 file states the power.
    const QStringList withPower = QStringList{"Dati riassuntivi: Manca la poten"} + rows;
    QTest::newRow("Cabrillo 3.0, Annulla") << int(MenuCommand::ExportCabrillo3) << false << withPower;
    QTest::newRow("Cabrillo 3.0, Esporta comunque") << int(MenuCommand::ExportCabrillo3) << true << withPower;
    QTest::newRow("ADIF, Annulla") << int(MenuCommand::ExportAdif) << false << rows;
    QTest::newRow("ADIF, Esporta comunque") << int(MenuCommand::ExportAdif) << true << rows;
}

void TestSendingChecks::findingsGoOnOrStop() {
    QFETCH(int, command);
    QFETCH(bool, goOn);
    QFETCH(QStringList, lines);
    const auto which = static_cast<MenuCommand>(command);
    Window w(kWithFindings, "");
    if (goOn) {
        w.ScriptGoingOn(which);
    }
    bool shown = false;
    WhenModal<CLogFindingsDlg>([&](CLogFindingsDlg* dialog) {
        shown = true;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("TARNEX - Controllo del log"));
        QCOMPARE(Lines(dialog->List()), lines);
        QTest::mouseClick(goOn ? dialog->GoOnButton() : dialog->CancelButton(), Qt::LeftButton);
    });
    w.Trigger(which);
    QVERIFY(shown);
    QCOMPARE(w.Written(), goOn);
    // Annulla stops before anything is asked.
    QCOMPARE(w.prompts.records.size(), goOn ? size_t(which == MenuCommand::ExportAdif ? 1 : 2) : size_t{0});
    QCOMPARE(w.Log().RowCount(), size_t{4});
}

void TestSendingChecks::aDoubleClickOpensTheRowAndTheListFollowsTheCorrections() {
    Window w(kWithFindings);
    w.ScriptGoingOn(MenuCommand::ExportCabrillo3);
    bool shown = false;
    QStringList edited;
    WhenModal<CLogFindingsDlg>([&](CLogFindingsDlg* dialog) {
        shown = true;
        QTableWidget* list = dialog->List();
        QCOMPARE(list->rowCount(), 2);
        // The duplicate: another station in row 3.
        WhenModal<CQsoEditDlg>([&](CQsoEditDlg* edit) {
            edited << edit->Callsign()->text();
            Retype(edit->Callsign(), QStringLiteral("iz2ddd"));
            ClickSave(edit);
        });
        DoubleClickLine(list, 0);
        QCOMPARE(edited, QStringList{"IZ2AAA"});
        QCOMPARE(w.window->selectedLogRows(), std::vector<size_t>{2});  // the row, alone
        QCOMPARE(Lines(list), QStringList{"4: Fuori dal peri"});
        QVERIFY(dialog->isVisible());

        // The last finding corrected: nothing is left, and the export goes on.
        WhenModal<CQsoEditDlg>([&](CQsoEditDlg* edit) {
            edited << edit->Callsign()->text();
            Retype(edit->Shared().time, QStringLiteral("1400"));
            ClickSave(edit);
        });
        DoubleClickLine(list, 0);
        QVERIFY(!dialog->isVisible());
    });
    w.Trigger(MenuCommand::ExportCabrillo3);
    QVERIFY(shown);
    QCOMPARE(edited, (QStringList{"IZ2AAA", "IZ2CCC"}));
    QCOMPARE(w.Log().Text(2, QsoCol::Callsign), std::string("IZ2DDD"));
    QCOMPARE(w.Log().Text(3, QsoCol::Time), std::string("1400"));
    // The corrections reached the journal and the file.
    QVERIFY(w.JournalBytes().find("IZ2DDD") != std::string::npos);
    const std::string file = w.OutBytes();
    QVERIFY(file.find(" IZ2DDD ") != std::string::npos);
    QVERIFY(file.find("2023-06-10 1400 ") != std::string::npos);
}

void TestSendingChecks::aStationFindingOpensTheStationSummary() {
    Window w(kClean, "");
    w.ScriptGoingOn(MenuCommand::ExportCabrillo3);
    bool summary = false;
    WhenModal<CLogFindingsDlg>([&](CLogFindingsDlg* dialog) {
        QCOMPARE(Lines(dialog->List()), QStringList{"Dati riassuntivi: Manca la poten"});
        WhenModal<CStationSummaryDlg>([&](CStationSummaryDlg* station) {
            summary = true;
            station->Power()->setCurrentIndex(1);  // HIGH
            ClickSave(station);
        });
        DoubleClickLine(dialog->List(), 0);
    });
    w.Trigger(MenuCommand::ExportCabrillo3);
    QVERIFY(summary);
    QCOMPARE(w.store.ReadString("Dati riassuntivi", "Potenza", "?"), std::string("HIGH"));
    QVERIFY(w.OutBytes().find("\r\nCATEGORY-POWER: HIGH\r\n") != std::string::npos);
}

void TestSendingChecks::contestNameInTheOptions() {
    Window w(kClean);
    bool refused = false;
    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        CabrilloOptionsSection* cabrillo = nullptr;
        for (const auto& section : dialog->Sections()) {
            if (auto* found = dynamic_cast<CabrilloOptionsSection*>(section.get())) {
                cabrillo = found;
            }
        }
        QVERIFY(cabrillo != nullptr);
        QCOMPARE(cabrillo->Box()->title(), QStringLiteral("Cabrillo"));
        QLineEdit* name = cabrillo->ContestName();
        QCOMPARE(name->text(), QStringLiteral("SEZIONI"));  // the default
        // A name the tag does not take: refused, nothing stored, the dialog open.
        Retype(name, QStringLiteral("ari sezioni"));
        QCOMPARE(name->text(), QStringLiteral("ARI SEZIONI"));  // upper case as typed
        QPushButton* save = nullptr;
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Salva")) {
                save = button;
            }
        }
        QVERIFY(save != nullptr);
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        refused = w.prompts.records.size() == 1 && w.prompts.records[0].text == kContestNameErrorText &&
                  w.prompts.records[0].title == "Errore" && w.prompts.records[0].icon == MessageIcon::Stop;
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(name));
        QVERIFY(!w.store.Has("Parametri", "Nome contest Cabrillo"));
        Retype(name, QStringLiteral("ari-sezioni-2024"));
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    w.Trigger(MenuCommand::Options);
    QVERIFY(refused);
    QCOMPARE(w.store.ReadString("Parametri", "Nome contest Cabrillo", "?"), std::string("ARI-SEZIONI-2024"));
    QCOMPARE(w.settings.contestName, std::string("ARI-SEZIONI-2024"));
}

QTEST_MAIN(TestSendingChecks)
#include "tst_cabrillo3.moc"
