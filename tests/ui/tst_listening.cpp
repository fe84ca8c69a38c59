// Listening mode in the main window: a heard exchange typed with the keys becomes two
// entries and two journal lines; the markers; the automatic swap; and a log of the
// other mode opened from a file turns the window round.

#include <QHeaderView>

#include "MainWindowHarness.h"
#include "log/BandMode.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

std::string ListeningJournal(const std::vector<HrdRecord>& rows) {
    StationSummary station{"", "1234", "SWL", "", "", "", "", "", "", "", ""};
    std::string bytes = LogHeaderBytes(LogMode::Listening, station);
    for (const HrdRecord& row : rows) {
        bytes += ListeningLine(row);
    }
    return bytes;
}

QString Heading(QTableView* list, int column) {
    return list->model()->headerData(column, Qt::Horizontal).toString();
}

}  // namespace

class TestListening : public QObject {
    Q_OBJECT
  private slots:
    void heardExchangeBecomesTwoEntries();
    void exchangeIsTurnedRoundInTheWindow();
    void duplicateIsShownAndEnterDiscardsIt();
    void openingALogOfTheOtherModeTurnsTheWindowRound();
};

void TestListening::heardExchangeBecomesTwoEntries() {
    MainWindowHarness h(ListeningJournal({}), "SWL");
    const MainWindowControls& c = h.c();
    QVERIFY(c.callsign2->isVisible());
    QCOMPARE(c.gridTitle0->text(), QStringLiteral("Sezione 1"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.callsign));

    h.TypeAndEnter(QStringLiteral("iz2aaa"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.section));
    QVERIFY(c.markerC->isVisible());
    QVERIFY(!c.markerC->IsOn());  // never heard calling: green
    h.TypeAndEnter(QStringLiteral("1234"));
    QCOMPARE(c.sectionName->text(), QStringLiteral("MILANO"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.callsign2));
    QVERIFY(c.markerM[0]->isVisible());  // 1234 not heard yet on 7 SSB
    h.TypeAndEnter(QStringLiteral("iz2bbb"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.section2));
    QCOMPARE(c.callsign2->text(), QStringLiteral("IZ2BBB"));
    QVERIFY(c.markerR[0]->isVisible());
    QVERIFY(!c.markerR[1]->isVisible());
    h.TypeAndEnter(QStringLiteral("5678"));

    QAbstractItemModel* model = h.window->logList()->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->data(model->index(0, 5)).toString(), QStringLiteral("IZ2AAA"));
    QCOMPARE(model->data(model->index(0, 8)).toString(), QStringLiteral("IZ2BBB"));
    QCOMPARE(model->data(model->index(1, 0)).toString(), QStringLiteral("    2"));
    QCOMPARE(model->data(model->index(1, 5)).toString(), QStringLiteral("IZ2BBB"));
    QCOMPARE(model->data(model->index(1, 7)).toString(), QStringLiteral("5678"));
    QCOMPARE(h.JournalBytes(), ListeningJournal({}) + "02.06.2007^1423^7^SSB^IZ2AAA^59^1234^IZ2BBB^\r\n" +
                                   "02.06.2007^1423^7^SSB^IZ2BBB^59^5678^IZ2AAA^\r\n");
    QCOMPARE(h.store.ReadInt("Parametri", "Modificato", 0), 1);
    // Ready for the next exchange.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.callsign));
    for (QLineEdit* field : {c.callsign, c.callsign2, c.section, c.section2, c.sectionName, c.sectionName2}) {
        QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    }
    QVERIFY(!c.markerC->isVisible());
    QVERIFY(!c.markerR[0]->isVisible());
    QCOMPARE(c.rstSent->text(), QStringLiteral("59"));
}

void TestListening::exchangeIsTurnedRoundInTheWindow() {
    MainWindowHarness h(
        ListeningJournal({{"02.06.2007", "1000", "7", "SSB", "IZ2AAA", "59", "1234", "IZ2ZZZ"}}), "SWL");
    const MainWindowControls& c = h.c();
    h.TypeAndEnter(QStringLiteral("IZ2AAA"));
    QCOMPARE(c.section->text(), QStringLiteral("1234"));  // the section it sent before
    QVERIFY(c.markerC->isVisible());
    QVERIFY(c.markerC->IsOn());  // already heard calling on 7 SSB: red
    h.TypeAndEnter(QString());   // Enter in section 1
    h.TypeAndEnter(QStringLiteral("IZ2CCC"));
    QCOMPARE(c.callsign->text(), QStringLiteral("IZ2CCC"));
    QCOMPARE(c.callsign2->text(), QStringLiteral("IZ2AAA"));
    QCOMPARE(c.section->text(), QString());
    QCOMPARE(c.section2->text(), QStringLiteral("1234"));
    QCOMPARE(c.sectionName2->text(), QStringLiteral("MILANO"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.section));
    QVERIFY(!c.duplicate->isVisible());
    QVERIFY(!c.markerC->IsOn());
}

void TestListening::duplicateIsShownAndEnterDiscardsIt() {
    MainWindowHarness h(
        ListeningJournal({{"02.06.2007", "1000", "7", "SSB", "IZ2AAA", "59", "1234", "IZ2BBB"},
                          {"02.06.2007", "1000", "7", "SSB", "IZ2BBB", "59", "5678", "IZ2AAA"}}),
        "SWL");
    const MainWindowControls& c = h.c();
    const std::string journal = h.JournalBytes();
    h.TypeAndEnter(QStringLiteral("IZ2AAA"));
    h.TypeAndEnter(QString());
    h.TypeAndEnter(QStringLiteral("IZ2BBB"));
    QVERIFY(c.duplicate->isVisible());
    QCOMPARE(c.callsign->text(), QStringLiteral("IZ2AAA"));
    h.TypeAndEnter(QString());
    QVERIFY(!c.duplicate->isVisible());
    QCOMPARE(h.window->logList()->model()->rowCount(), 2);
    QCOMPARE(h.JournalBytes(), journal);
    QVERIFY(c.callsign2->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.callsign));
}

void TestListening::openingALogOfTheOtherModeTurnsTheWindowRound() {
    MainWindowHarness h;
    QTableView* list = h.window->logList();
    QCOMPARE(list->model()->columnCount(), 10);
    QVERIFY(!h.c().callsign2->isVisible());

    const QString heard = h.dir.filePath(QStringLiteral("heard.trnx"));
    QFile file(heard);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(
        ListeningJournal({{"02.06.2007", "1000", "7", "SSB", "IZ2AAA", "59", "1234", "IZ2BBB"}})));
    file.close();
    h.prompts.fileAnswers = {heard.toStdString()};
    h.Trigger(MenuCommand::Open);

    QCOMPARE(h.window->logMode(), LogMode::Listening);
    QCOMPARE(list->model()->columnCount(), 9);
    QCOMPARE(Heading(list, 0), QStringLiteral("Hrd"));
    QCOMPARE(Heading(list, 8), QStringLiteral("Nomin. risposta"));
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY(h.c().callsign2->isVisible());
    QVERIFY(!h.c().rstReceivedLabel->isVisible());
    QCOMPARE(h.c().gridTitle1->text(), QStringLiteral("Sezione 2"));
    QVERIFY(h.Log().Calls().Find("IZ2BBB") != nullptr);

    // A log without a header is a QSO log: back to the QSO layout.
    const QString contacts = h.dir.filePath(QStringLiteral("contacts.trnx"));
    QFile qso(contacts);
    QVERIFY(qso.open(QIODevice::WriteOnly));
    qso.write("02.06.2007^1000^7^SSB^IZ2AAA^59^1234^59^5678^\r\n");
    qso.close();
    h.prompts.fileAnswers = {contacts.toStdString()};
    h.Trigger(MenuCommand::Open);
    QCOMPARE(h.window->logMode(), LogMode::Qso);
    QCOMPARE(list->model()->columnCount(), 10);
    QCOMPARE(Heading(list, 0), QStringLiteral("Qso"));
    QVERIFY(!h.c().callsign2->isVisible());
    QCOMPARE(h.c().gridTitle0->text(), QStringLiteral("Moltiplicatore"));
}

QTEST_MAIN(TestListening)
#include "tst_listening.moc"
