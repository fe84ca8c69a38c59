// "TARNEX - Dati riassuntivi" from the main window: what it shows, the category
// questions, the refusals on Salva, and what Salva changes, the switch to listening
// mode included.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "MainWindowHarness.h"
#include "ui/CStationSummaryDlg.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

std::string QsoJournal() {
    StationSummary station{"I1ABC", "1234", "SINGLE-OP CW", "", "Ugo", "", "", "", "", "", ""};
    return LogHeaderBytes(LogMode::Qso, station) + "02.06.2007^1000^7^SSB^IZ2AAA^59^1234^57^5678^\r\n" +
           "02.06.2007^1001^7^SSB^IZ2BBB^59^1234^57^1234^\r\n";
}

void ClickSave(QDialog* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>("save"), Qt::LeftButton);
}

// Moves the category list with the keys to an entry, as the person picks it (the
// dialog may then show another entry).
void PickCategory(CStationSummaryDlg* dialog, int index) {
    QComboBox* category = dialog->Category();
    category->setFocus();
    const int steps = index - category->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i) {
        QTest::keyClick(category, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }
}

}  // namespace

class TestStationSummary : public QObject {
    Q_OBJECT
  private slots:
    void showsTheCurrentValues();
    void savingSwlSwitchesToListeningMode();
    void answeringNoAndCancellingChangeNothing();
    void refusalsKeepTheDialogOpen();
    void savingInTheSameModeKeepsTheLog();
};

void TestStationSummary::showsTheCurrentValues() {
    MainWindowHarness h(QsoJournal());
    bool shown = false;
    WhenModal<CStationSummaryDlg>([&](CStationSummaryDlg* dialog) {
        shown = true;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("TARNEX - Dati riassuntivi"));
        QCOMPARE(dialog->Field(SummaryField::Callsign)->text(), QStringLiteral("I1ABC"));
        QCOMPARE(dialog->Field(SummaryField::Name)->text(), QStringLiteral("Ugo"));
        QCOMPARE(dialog->Category()->count(), 7);
        QCOMPARE(dialog->Category()->itemText(0), QStringLiteral("SINGLE-OP SSB"));
        QCOMPARE(dialog->Category()->itemText(6), QStringLiteral("CHECKLOG"));
        QCOMPARE(dialog->Category()->currentText(), QStringLiteral("SINGLE-OP CW"));
        QCOMPARE(dialog->OwnSection()->count(), 3);
        QCOMPARE(dialog->OwnSection()->itemText(0), QStringLiteral("0130 - BARI"));
        QCOMPARE(dialog->OwnSection()->currentText(), QStringLiteral("1234 - MILANO"));
        // The limits stop the typing.
        Retype(dialog->Field(SummaryField::Callsign), QStringLiteral("i1abcdefghijklmnop"));
        QCOMPARE(dialog->Field(SummaryField::Callsign)->text(), QStringLiteral("I1ABCDEFGHIJKL"));
        Retype(dialog->Field(SummaryField::Operators), QString(70, QLatin1Char('o')));
        QCOMPARE(dialog->Field(SummaryField::Operators)->text(), QString(60, QLatin1Char('O')));
        dialog->reject();
    });
    QTest::keyClick(h.window.get(), Qt::Key_F4);
    QVERIFY(shown);
    QCOMPARE(h.settings.station.callsign, std::string("I1ABC"));
}

void TestStationSummary::savingSwlSwitchesToListeningMode() {
    MainWindowHarness h(QsoJournal());
    h.settings.SetOpenLog("/tmp/gara.trnx", "gara.trnx");
    h.session->MarkModified();
    h.prompts.yesNoAnswers = {true};
    bool saved = false;
    WhenModal<CStationSummaryDlg>([&](CStationSummaryDlg* dialog) {
        PickCategory(dialog, 5);
        QCOMPARE(dialog->Category()->currentText(), QStringLiteral("SWL"));
        QCOMPARE(h.prompts.Boxes().size(), size_t{1});
        QCOMPARE(h.prompts.Boxes()[0].title, std::string("Richiesta conferma"));
        QVERIFY(h.prompts.Boxes()[0].text.find("dal modo QSO al modo SWL") != std::string::npos);
        // The mode changes only with Salva.
        QCOMPARE(h.Log().RowCount(), size_t{2});
        dialog->OwnSection()->setCurrentIndex(0);
        Retype(dialog->Field(SummaryField::Callsign), QStringLiteral("iz2swl"));
        ClickSave(dialog);
        saved = !dialog->isVisible();
    });
    h.Trigger(MenuCommand::StationSummary);
    QVERIFY(saved);

    // The window in listening mode, with an empty log.
    QCOMPARE(h.window->logMode(), LogMode::Listening);
    QCOMPARE(h.Log().Mode(), LogMode::Listening);
    QCOMPARE(h.window->logList()->model()->rowCount(), 0);
    QCOMPARE(h.window->logList()->model()->columnCount(), 9);
    QVERIFY(h.c().callsign2->isVisible());
    QCOMPARE(h.c().gridTitle0->text(), QStringLiteral("Sezione 1"));
    QCOMPARE(h.window->windowTitle(), QStringLiteral("TARNEX - Contest delle Sezioni ARI"));
    QCOMPARE(h.c().ownSection->text(), QStringLiteral("0130"));
    // The settings and the journal.
    QCOMPARE(h.store.ReadString("Dati riassuntivi", "Categoria", "?"), std::string("SWL"));
    QCOMPARE(h.store.ReadString("Dati riassuntivi", "Nominativo", "?"), std::string("IZ2SWL"));
    QCOMPARE(h.store.ReadString("Dati riassuntivi", "Sezione", "?"), std::string("0130"));
    QCOMPARE(h.store.ReadString("Parametri", "Path log aperto", "?"), std::string());
    QCOMPARE(h.store.ReadString("Parametri", "Nome log aperto", "?"), std::string());
    QCOMPARE(h.store.ReadInt("Parametri", "Modificato", 7), 0);
    QCOMPARE(h.JournalBytes(), LogHeaderBytes(LogMode::Listening, h.settings.station));
    QCOMPARE(h.JournalBytes().substr(0, 20), std::string("trnx141;hrd\r\nIZ2SWL\r"));

    // The first heard exchange of the new log.
    h.Activate();
    h.TypeAndEnter(QStringLiteral("IZ2AAA"));
    h.TypeAndEnter(QStringLiteral("1234"));
    h.TypeAndEnter(QStringLiteral("IZ2BBB"));
    h.TypeAndEnter(QStringLiteral("5678"));
    QCOMPARE(h.Log().RowCount(), size_t{2});
}

void TestStationSummary::answeringNoAndCancellingChangeNothing() {
    MainWindowHarness h(QsoJournal());
    h.prompts.yesNoAnswers = {false};
    WhenModal<CStationSummaryDlg>([&](CStationSummaryDlg* dialog) {
        PickCategory(dialog, 5);
        QCOMPARE(dialog->Category()->currentText(), QStringLiteral("SINGLE-OP SSB"));  // the log has no file
        PickCategory(dialog, 4);
        QCOMPARE(h.prompts.Boxes().size(), size_t{1});  // within QSO mode nothing is asked
        Retype(dialog->Field(SummaryField::Name), QStringLiteral("Gino"));
        dialog->reject();
    });
    const std::string journal = h.JournalBytes();
    const int writes = h.store.Writes();
    h.Trigger(MenuCommand::StationSummary);
    QCOMPARE(h.store.Writes(), writes);
    QCOMPARE(h.settings.station.name, std::string("Ugo"));
    QCOMPARE(h.JournalBytes(), journal);
    QCOMPARE(h.window->logMode(), LogMode::Qso);
}

void TestStationSummary::refusalsKeepTheDialogOpen() {
    // A value from a loaded log's header may be longer than its field takes.
    StationSummary station{"I1ABC", "1234", "SINGLE-OP CW", "", "Ugo", std::string(61, 'x'), "", "", "",
                           "",      ""};
    MainWindowHarness h(LogHeaderBytes(LogMode::Qso, station));
    bool stayedOpen = false;
    WhenModal<CStationSummaryDlg>([&](CStationSummaryDlg* dialog) {
        QCOMPARE(dialog->Field(SummaryField::Address1)->text().size(), 61);
        ClickSave(dialog);
        QCOMPARE(h.prompts.Boxes().back().text, std::string("Non digitare pi\xF9 di 60 caratteri."));
        QCOMPARE(h.prompts.Boxes().back().title, std::string("Tarnex"));
        QCOMPARE(h.prompts.Boxes().back().icon, MessageIcon::Exclamation);
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(dialog->Field(SummaryField::Address1)));
        Retype(dialog->Field(SummaryField::Address1), QStringLiteral("Via Roma 1"));
        Retype(dialog->Field(SummaryField::Name), QStringLiteral("Al"));
        ClickSave(dialog);
        QCOMPARE(
            h.prompts.Boxes().back().text,
            std::string("Correggi i dati!\n\nDevi inserire almeno\nnominativo, nome, sezione e categoria."));
        QCOMPARE(h.prompts.Boxes().back().title, std::string("Errore"));
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    h.Trigger(MenuCommand::StationSummary);
    QVERIFY(stayedOpen);
    QCOMPARE(h.prompts.Boxes().size(), size_t{2});
}

void TestStationSummary::savingInTheSameModeKeepsTheLog() {
    MainWindowHarness h(QsoJournal());
    h.settings.SetOpenLog("/tmp/gara.trnx", "gara.trnx");
    WhenModal<CStationSummaryDlg>([&](CStationSummaryDlg* dialog) {
        PickCategory(dialog, 4);  // "MULTI-ONE": no question, no change of mode
        dialog->OwnSection()->setCurrentIndex(2);
        ClickSave(dialog);
    });
    h.Trigger(MenuCommand::StationSummary);
    QVERIFY(h.prompts.records.empty());
    QCOMPARE(h.Log().RowCount(), size_t{2});
    QCOMPARE(h.window->logMode(), LogMode::Qso);
    QCOMPARE(h.settings.openLogPath, std::string("/tmp/gara.trnx"));
    QCOMPARE(h.c().ownSection->text(), QStringLiteral("5678"));
    QCOMPARE(h.store.ReadString("Dati riassuntivi", "Categoria", "?"), std::string("MULTI-ONE"));
    // Every contact line carries the new own section.
    StationSummary station = h.settings.station;
    QCOMPARE(h.JournalBytes(), LogHeaderBytes(LogMode::Qso, station) +
                                   "02.06.2007^1000^7^SSB^IZ2AAA^59^5678^57^5678^\r\n" +
                                   "02.06.2007^1001^7^SSB^IZ2BBB^59^5678^57^1234^\r\n");
}

QTEST_MAIN(TestStationSummary)
#include "tst_station_summary.moc"
