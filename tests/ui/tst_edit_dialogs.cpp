// Correcting and removing entries from the main window: "Modifica di un QSO" and
// "Modifica di un HRD" with every message, the edit of several rows, the deletion
// after the question, the sort and the mouse on the log list.

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "MainWindowHarness.h"
#include "log/BandMode.h"
#include "ui/CHrdEditDlg.h"
#include "ui/CQsoEditDlg.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

StationSummary Station(const char* category) {
    return StationSummary{"IZ2XYZ", "1234", category, "", "Ugo", "", "", "", "", "", ""};
}

// Rows IZ2AAA.. at 1001.. on 7 SSB, sections 1234 and 5678 alternately.
std::string QsoJournal(int rows) {
    std::string bytes = LogHeaderBytes(LogMode::Qso, Station("SINGLE-OP CW"));
    for (int i = 0; i < rows; ++i) {
        const std::string call = std::string("IZ2") + std::string(3, static_cast<char>('A' + i));
        bytes += QsoLine({"02.06.2007", std::to_string(1001 + i), "7", "SSB", call, "59", "57",
                          i % 2 ? "5678" : "1234", ""},
                         "1234");
    }
    return bytes;
}

std::string ListeningJournal() {
    std::string bytes = LogHeaderBytes(LogMode::Listening, Station("SWL"));
    bytes += ListeningLine({"02.06.2007", "1100", "14", "CW", "IZ2AAA", "599", "1234", "IZ2BBB"});
    return bytes;
}

void ClickSave(QDialog* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>("save"), Qt::LeftButton);
}
void ClickCancel(QDialog* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>("cancel"), Qt::LeftButton);
}

}  // namespace

class TestEditDialogs : public QObject {
    Q_OBJECT
  private slots:
    void editsARowThroughTheDialog();
    void qsoDialogShowsEveryMessageAndStaysOpen();
    void editingTwoRowsCancellingTheFirst();
    void listeningDialogChecksBothCallsigns();
    void deletesTwoRowsAfterTheQuestion();
    void answeringNoKeepsEverything();
    void mouseOnTheLogList();
};

void TestEditDialogs::editsARowThroughTheDialog() {
    MainWindowHarness h(QsoJournal(3));
    h.SelectRows({1});
    bool shown = false;
    WhenModal<CQsoEditDlg>([&](CQsoEditDlg* dialog) {
        shown = true;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Modifica di un QSO"));
        QCOMPARE(dialog->Shared().date->text(), QStringLiteral("02.06.2007"));
        QCOMPARE(dialog->Shared().time->text(), QStringLiteral("1002"));
        QCOMPARE(dialog->Shared().band->currentText(), QStringLiteral("7"));
        QCOMPARE(dialog->Shared().mode->currentText(), QStringLiteral("SSB"));
        QCOMPARE(dialog->Callsign()->text(), QStringLiteral("IZ2BBB"));
        QCOMPARE(dialog->RstSent()->text(), QStringLiteral("59"));
        QCOMPARE(dialog->RstReceived()->text(), QStringLiteral("57"));
        QCOMPARE(dialog->Section()->text(), QStringLiteral("5678"));
        Retype(dialog->Callsign(), QStringLiteral("iz2new"));
        QCOMPARE(dialog->Callsign()->text(), QStringLiteral("IZ2NEW"));  // upper case as typed
        Retype(dialog->Section(), QStringLiteral("0130"));
        dialog->Shared().band->setCurrentIndex(3);
        ClickSave(dialog);
    });
    h.Trigger(MenuCommand::EditEntries);
    QVERIFY(shown);
    QCOMPARE(h.Log().Qso(1),
             (QsoRecord{"02.06.2007", "1002", "14", "SSB", "IZ2NEW", "59", "57", "0130", "BARI"}));
    const std::string journal = h.JournalBytes();
    QVERIFY(journal.find("02.06.2007^1002^14^SSB^IZ2NEW^59^1234^57^0130^\r\n") != std::string::npos);
    QVERIFY(journal.find("IZ2BBB") == std::string::npos);
    QVERIFY(h.Log().Worked().IsWorked(130, 0, BandBit(3)));
    QVERIFY(!h.Log().Worked().IsWorked(5678, 0, BandBit(2)));
    QVERIFY(h.Log().Modified());
    QCOMPARE(h.store.ReadInt("Parametri", "Modificato", 0), 1);
    QVERIFY(h.prompts.records.empty());
}

void TestEditDialogs::qsoDialogShowsEveryMessageAndStaysOpen() {
    MainWindowHarness h(QsoJournal(1));
    h.SelectRows({0});
    struct Step {
        const char* field;  // object name of the field to retype
        const char* text;
        const char* message;  // the box Salva shows; nullptr: none
    };
    const Step steps[] = {
        {"callsign", "K1ABC", "Nominativo errato"},
        {"callsign", "IZ2CCC", nullptr},
        {"date", "30.02.2005", "Data errata!"},
        {"date", "15.05.1920", nullptr},
        {"time", "14:05", "Ora errata!"},
        {"time", "2359", nullptr},
        {"rstSent", "599", "RST trasmesso (o modo) errato!"},
        {"rstSent", "55", nullptr},
        {"rstReceived", "29", "RST ricevuto (o modo) errato!"},
        {"rstReceived", "33", nullptr},
        {"section", "99999",
         "ATTENZIONE! Il codice sezione specificato\nnon \xE8 nell'elenco delle sezioni.\n\n"
         "Vuoi inserirlo ugualmente?"},
    };
    bool done = false;
    WhenModal<CQsoEditDlg>([&](CQsoEditDlg* dialog) {
        for (const Step& step : steps) {
            auto* field = dialog->findChild<QLineEdit*>(step.field);
            QVERIFY(field);
            Retype(field, QString::fromLatin1(step.text));
            if (step.message == nullptr) {
                continue;
            }
            h.prompts.records.clear();
            ClickSave(dialog);  // the question gets No: stays open
            QVERIFY2(dialog->isVisible(), step.message);
            QCOMPARE(h.prompts.Boxes().size(), size_t{1});
            QCOMPARE(h.prompts.Boxes()[0].text, std::string(step.message));
            if (std::string(step.field) != "section") {
                QCOMPARE(h.prompts.Boxes()[0].title, std::string("Errore"));
                QCOMPARE(h.prompts.Boxes()[0].icon, MessageIcon::Stop);
                QCOMPARE(dialog->focusWidget(), field);
            } else {
                QCOMPARE(h.prompts.Boxes()[0].title, std::string("Domanda"));
                QCOMPARE(h.prompts.Boxes()[0].kind, PromptRecord::Question);
            }
            QCOMPARE(h.Log().Qso(0).callsign, std::string("IZ2AAA"));  // untouched until accepted
        }
        h.prompts.yesNoAnswers = {true};
        ClickSave(dialog);
        done = !dialog->isVisible();
    });
    h.Trigger(MenuCommand::EditEntries);
    QVERIFY(done);
    QCOMPARE(h.Log().Qso(0),
             (QsoRecord{"15.05.1920", "2359", "7", "SSB", "IZ2CCC", "55", "33", "99999", ""}));
    QVERIFY(h.JournalBytes().find("15.05.1920^2359^7^SSB^IZ2CCC^55^1234^33^99999^\r\n") != std::string::npos);
}

void TestEditDialogs::editingTwoRowsCancellingTheFirst() {
    MainWindowHarness h(QsoJournal(4));
    h.SelectRows({3, 1});
    QStringList shown;
    WhenModal<CQsoEditDlg>([&](CQsoEditDlg* dialog) {
        shown << dialog->Callsign()->text();
        ClickCancel(dialog);
        WhenModal<CQsoEditDlg>([&](CQsoEditDlg* second) {
            shown << second->Callsign()->text();
            Retype(second->RstSent(), QStringLiteral("58"));
            ClickSave(second);
        });
    });
    h.Trigger(MenuCommand::EditEntries);
    QCOMPARE(shown, (QStringList{QStringLiteral("IZ2BBB"), QStringLiteral("IZ2DDD")}));
    QCOMPARE(h.Log().Qso(1).rstSent, std::string("59"));
    QCOMPARE(h.Log().Qso(3).rstSent, std::string("58"));
}

void TestEditDialogs::listeningDialogChecksBothCallsigns() {
    MainWindowHarness h(ListeningJournal(), "SWL");
    QCOMPARE(h.window->logList()->model()->columnCount(), 9);
    h.SelectRows({0});
    bool done = false;
    WhenModal<CHrdEditDlg>([&](CHrdEditDlg* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Modifica di un HRD"));
        QCOMPARE(dialog->CallingCall()->text(), QStringLiteral("IZ2AAA"));
        QCOMPARE(dialog->Rst()->text(), QStringLiteral("599"));
        QCOMPARE(dialog->CallingSection()->text(), QStringLiteral("1234"));
        QCOMPARE(dialog->AnsweringCall()->text(), QStringLiteral("IZ2BBB"));
        QCOMPARE(dialog->Shared().band->currentText(), QStringLiteral("14"));
        Retype(dialog->AnsweringCall(), QStringLiteral("IZ2"));
        ClickSave(dialog);
        QCOMPARE(h.prompts.Boxes().back().text, std::string("Errore nei nominativi."));
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(dialog->AnsweringCall()));
        Retype(dialog->AnsweringCall(), QStringLiteral("iz2zzz"));
        Retype(dialog->Rst(), QStringLiteral("59"));
        ClickSave(dialog);
        QCOMPARE(h.prompts.Boxes().back().text, std::string("RST (o modo) errato!"));
        Retype(dialog->Rst(), QStringLiteral("579"));
        Retype(dialog->CallingSection(), QStringLiteral("4321"));
        ClickSave(dialog);  // the question answered No
        QCOMPARE(
            h.prompts.Boxes().back().text,
            std::string("ATTENZIONE! CodicE sezione non in elenco sezioni.\n\nVuoi inserirli ugualmente?"));
        QVERIFY(dialog->isVisible());
        Retype(dialog->CallingSection(), QStringLiteral("5678"));
        ClickSave(dialog);
        done = !dialog->isVisible();
    });
    h.Trigger(MenuCommand::EditEntries);
    QVERIFY(done);
    QCOMPARE(h.Log().Listening(0),
             (HrdRecord{"02.06.2007", "1100", "14", "CW", "IZ2AAA", "579", "5678", "IZ2ZZZ"}));
    QVERIFY(h.Log().Calls().Find("IZ2BBB") == nullptr);
    QCOMPARE(h.Log().Calls().Find("IZ2AAA")->section, 5678);
    QCOMPARE(h.JournalBytes(), LogHeaderBytes(LogMode::Listening, h.settings.station) +
                                   "02.06.2007^1100^14^CW^IZ2AAA^579^5678^IZ2ZZZ^\r\n");
}

void TestEditDialogs::deletesTwoRowsAfterTheQuestion() {
    MainWindowHarness h(QsoJournal(5));
    h.SelectRows({1, 3});
    h.prompts.yesNoAnswers = {true};
    h.Trigger(MenuCommand::DeleteEntries);
    QCOMPARE(h.prompts.Boxes().size(), size_t{1});
    QCOMPARE(h.prompts.Boxes()[0].text,
             std::string("Hai scelto di cancellare 2 QSO del log.\nDopo la cancellazione "
                         "non sar\xE0 pi\xF9 possibile recuperarli.\n\nVuoi procedere?"));
    QCOMPARE(h.prompts.Boxes()[0].title, std::string("Richiesta di conferma"));
    QAbstractItemModel* model = h.window->logList()->model();
    QCOMPARE(model->rowCount(), 3);
    const char* expected[][2] = {{"    1", "IZ2AAA"}, {"    2", "IZ2CCC"}, {"    3", "IZ2EEE"}};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(model->data(model->index(row, 0)).toString(), QString::fromLatin1(expected[row][0]));
        QCOMPARE(model->data(model->index(row, 5)).toString(), QString::fromLatin1(expected[row][1]));
    }
    QCOMPARE(h.JournalBytes(), LogHeaderBytes(LogMode::Qso, h.settings.station) +
                                   "02.06.2007^1001^7^SSB^IZ2AAA^59^1234^57^1234^\r\n"
                                   "02.06.2007^1003^7^SSB^IZ2CCC^59^1234^57^1234^\r\n"
                                   "02.06.2007^1005^7^SSB^IZ2EEE^59^1234^57^1234^\r\n");
    QVERIFY(!h.Log().Worked().IsWorked(5678, 0, BandBit(2)));
    QCOMPARE(h.store.ReadInt("Parametri", "Modificato", 0), 1);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestEditDialogs::answeringNoKeepsEverything() {
    MainWindowHarness h(QsoJournal(3));
    const std::string journal = h.JournalBytes();
    h.SelectRows({0, 2});
    h.prompts.yesNoAnswers = {false};
    h.Trigger(MenuCommand::DeleteEntries);
    QCOMPARE(h.Log().RowCount(), size_t{3});
    QCOMPARE(h.JournalBytes(), journal);
    QVERIFY(!h.Log().Modified());
    // With nothing selected neither command asks or shows anything.
    h.window->logList()->clearSelection();
    h.prompts.records.clear();
    h.Trigger(MenuCommand::DeleteEntries);
    h.Trigger(MenuCommand::EditEntries);
    QVERIFY(h.prompts.records.empty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestEditDialogs::mouseOnTheLogList() {
    std::string journal = LogHeaderBytes(LogMode::Qso, Station("SINGLE-OP CW"));
    for (const char* dateTime : {"02.06.2007^1500", "02.06.2007^0900", "01.06.2007^2359"}) {
        journal += std::string(dateTime) + "^7^SSB^IZ2AAA^59^1234^59^1234^\r\n";
    }
    MainWindowHarness h(journal);
    QTableView* list = h.window->logList();
    QHeaderView* header = list->horizontalHeader();
    auto clickHeading = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                                 header->height() / 2));
    };
    clickHeading(3);  // "MHz" does not sort
    QCOMPARE(h.Log().Text(0, 2), std::string("1500"));
    clickHeading(2);  // "Utc" sorts by date and time
    QCOMPARE(h.Log().Text(0, 1) + " " + h.Log().Text(0, 2), std::string("01.06.2007 2359"));
    QCOMPARE(h.Log().Text(2, 0) + " " + h.Log().Text(2, 2), std::string("    3 1500"));
    QCOMPARE(h.JournalBytes(), journal);  // the journal keeps its order
    QVERIFY(!h.Log().Modified());

    // A double click edits the row under the mouse.
    list->clearSelection();
    const QRect cell = list->visualRect(list->model()->index(1, 5));
    bool shown = false;
    WhenModal<CQsoEditDlg>([&](CQsoEditDlg* dialog) {
        shown = true;
        QCOMPARE(dialog->Shared().time->text(), QStringLiteral("0900"));
        ClickCancel(dialog);
    });
    // The first click of the two selects the row, the second is the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(shown);
    QCOMPARE(h.window->selectedLogRows(), (std::vector<size_t>{1}));

    // The right button opens the "Qso" menu only over a selection.
    auto rightClick = [&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, cell.center(),
                                list->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(list->viewport(), &event);
    };
    QWidget* opened = nullptr;
    QTimer::singleShot(50, [&] {
        opened = QApplication::activePopupWidget();
        if (opened != nullptr) {
            opened->close();
        }
    });
    rightClick();
    QCOMPARE(opened, static_cast<QWidget*>(h.window->qsoMenu()));
    QCOMPARE(h.window->qsoMenu()->actions().size(), 2);
    list->clearSelection();
    opened = nullptr;
    rightClick();
    QTest::qWait(80);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
}

QTEST_MAIN(TestEditDialogs)
#include "tst_edit_dialogs.moc"
