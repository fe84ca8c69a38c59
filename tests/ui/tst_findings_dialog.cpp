// "TARNEX - Controllo del log": the findings of the checks before an export, a row
// chosen with a double click or Enter, and the two ways out.

#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "check/LogCheck.h"
#include "log/ContestLog.h"
#include "sections/SectionTable.h"
#include "ui/CLogFindingsDlg.h"

using namespace tarnex;

namespace {

std::vector<LogFinding> SomeFindings() {
    return {
        {std::nullopt, FindingKind::PowerNotChosen, "Manca la potenza (HIGH o LOW) nei dati riassuntivi.",
         ""},
        {11, FindingKind::Duplicate, "Doppio: IK1AAA \xE8 gi\xE0 nel log in 7 CW alla riga 3.", ""},
        {0, FindingKind::OutsideContestPeriod, "Fuori dal periodo del contest.", ""},
    };
}

// Double-clicks a line of the list as the person would.
void DoubleClickLine(QTableWidget* list, int line) {
    const QRect cell = list->visualItemRect(list->item(line, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace

class TestFindingsDialog : public QObject {
    Q_OBJECT
  private slots:
    void listsEachFindingByRowWithItsReason();
    void aDoubleClickOrEnterChoosesTheRowAndKeepsTheListOpen();
    void goOnAndCancel_data();
    void goOnAndCancel();
    void findingsOfARealCheck();
};

void TestFindingsDialog::listsEachFindingByRowWithItsReason() {
    CLogFindingsDlg dialog(SomeFindings());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("TARNEX - Controllo del log"));
    QTableWidget* list = dialog.List();
    QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("Riga"));
    QCOMPARE(list->horizontalHeaderItem(1)->text(), QStringLiteral("Motivo"));
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Dati riassuntivi"));
    QCOMPARE(list->item(1, 0)->text(), QStringLiteral("12"));  // the row as the log list numbers it
    QCOMPARE(list->item(1, 1)->text(), QStringLiteral("Doppio: IK1AAA è già nel log in 7 CW alla riga 3."));
    QCOMPARE(list->item(2, 0)->text(), QStringLiteral("1"));
    QCOMPARE(dialog.GoOnButton()->text(), QStringLiteral("Esporta comunque"));
    QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("Annulla"));
    // The reasons can be read but not changed.
    QVERIFY(!(list->item(1, 1)->flags() & Qt::ItemIsEditable));

    // After an edit the caller shows the findings of a new check.
    dialog.SetFindings({SomeFindings()[2]});
    QCOMPARE(list->rowCount(), 1);
    QCOMPARE(list->item(0, 1)->text(), QStringLiteral("Fuori dal periodo del contest."));
}

void TestFindingsDialog::aDoubleClickOrEnterChoosesTheRowAndKeepsTheListOpen() {
    CLogFindingsDlg dialog(SomeFindings());
    QSignalSpy chosen(&dialog, &CLogFindingsDlg::rowChosen);
    QSignalSpy station(&dialog, &CLogFindingsDlg::stationChosen);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableWidget* list = dialog.List();
    QCOMPARE(dialog.ChosenRow(), std::nullopt);

    DoubleClickLine(list, 1);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.takeFirst().at(0).toInt(), 11);
    QCOMPARE(dialog.ChosenRow(), std::optional<size_t>(11));
    QVERIFY(dialog.isVisible());

    // The station data have no row: they open the station summary.
    QCOMPARE(station.count(), 0);
    DoubleClickLine(list, 0);
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(station.count(), 1);
    QCOMPARE(dialog.ChosenRow(), std::optional<size_t>(11));

    // Enter on the current line chooses it too, and does not end the dialog.
    list->setFocus();
    list->setCurrentCell(2, 1);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.takeFirst().at(0).toInt(), 0);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestFindingsDialog::goOnAndCancel_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("Esporta comunque") << QStringLiteral("goOn") << int(QDialog::Accepted);
    QTest::newRow("Annulla") << QStringLiteral("cancel") << int(QDialog::Rejected);
    QTest::newRow("Esc") << QStringLiteral("escape") << int(QDialog::Rejected);
}

void TestFindingsDialog::goOnAndCancel() {
    QFETCH(QString, how);
    QFETCH(int, result);
    CLogFindingsDlg dialog(SomeFindings());
    dialog.setResult(-1);
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (how == QStringLiteral("escape")) {
        QTest::keyClick(dialog.List(), Qt::Key_Escape);
    } else {
        QTest::mouseClick(how == QStringLiteral("goOn") ? dialog.GoOnButton() : dialog.CancelButton(),
                          Qt::LeftButton);
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), result);
}

void TestFindingsDialog::findingsOfARealCheck() {
    // What the window will show: the findings of the core's check, in its order.
    ContestLog log(LogMode::Qso);
    log.Append(QsoRecord{"10.06.2023", "1300", "7", "CW", "IK1AAA", "599", "599", "0130", ""});
    log.Append(QsoRecord{"10.06.2023", "1301", "7", "CW", "IK1AAA", "599", "599", "0130", ""});
    StationSummary station;
    station.callsign = "IK2XYZ";
    station.ownSection = "0130";
    station.name = "Mario";
    station.category = "SINGLE-OP CW";
    auto sections = std::make_unique<SectionTable>();
    sections->SetName(130, "BETA");
    CheckRequest request{&station, {}, CheckedExport::Cabrillo3};
    CLogFindingsDlg dialog(CheckLog(log, *sections, request));
    QCOMPARE(dialog.List()->rowCount(), 2);
    QCOMPARE(dialog.List()->item(0, 0)->text(), QStringLiteral("Dati riassuntivi"));
    QVERIFY(dialog.List()->item(0, 1)->text().startsWith(QStringLiteral("Manca la potenza")));
    QCOMPARE(dialog.List()->item(1, 0)->text(), QStringLiteral("2"));
    QVERIFY(dialog.List()->item(1, 1)->text().startsWith(QStringLiteral("Doppio: IK1AAA è già nel log")));
}

QTEST_MAIN(TestFindingsDialog)
#include "tst_findings_dialog.moc"
