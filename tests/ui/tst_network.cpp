// Several positions, one log, in the main window: a real nats-server on the loopback
// address, the window as one position and a second position of the same log beside
// it (the log session and network session the window runs, polled by the test).

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "MainWindowHarness.h"
#include "NatsServer.h"
#include "NetPosition.h"
#include "net/SharedLogAdmin.h"
#include "score/LiveScore.h"
#include "ui/COptionsDlg.h"
#include "ui/KnownCallsController.h"
#include "ui/KnownCallsModel.h"
#include "ui/LiveScoreController.h"
#include "ui/NetController.h"
#include "ui/NetOptionsSection.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

constexpr int kBound = 10000;  // ms: far above what any of this takes on a loaded machine

NetOptionsSection* NetSectionOf(COptionsDlg* dialog) {
    for (const auto& section : dialog->Sections()) {
        if (auto* net = dynamic_cast<NetOptionsSection*>(section.get())) {
            return net;
        }
    }
    return nullptr;
}

QPushButton* SaveButton(COptionsDlg* dialog) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("Salva")) {
            return button;
        }
    }
    return nullptr;
}

QString Cell(QTableView* list, int row, int column) {
    QAbstractItemModel* model = list->model();
    return model->data(model->index(row, column)).toString();
}

QString Heading(QTableView* list, int column) {
    return list->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

// The "DUP" column of the known-calls row of `call` ("-" when the call is not listed).
QString KnownMark(CTarnexDlg& window, const QString& call) {
    auto* known = window.findChild<KnownCallsController*>();
    const KnownCallsModel& model = known->Model();
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.data(model.index(row, 0), Qt::DisplayRole).toString() == call) {
            return model.data(model.index(row, 2), Qt::DisplayRole).toString();
        }
    }
    return QStringLiteral("-");
}

}  // namespace

class TestNetwork : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void windowAndAnotherPositionShareTheLog();
    void optionsJoinAndLeaveAndTheStatusTellsAServerGone();
    void aLogThatCannotBeJoinedIsSaidInTheStatus();

  private:
    std::unique_ptr<NetScratch> scratch_;
    std::unique_ptr<NatsServer> server_;
};

void TestNetwork::init() {
    if (NatsServerProgram().empty()) {
        QSKIP("no nats-server (scripts/install-deps.sh installs it)");
    }
    server_.reset();
    scratch_ = std::make_unique<NetScratch>();
    server_ = std::make_unique<NatsServer>("s1", scratch_->Sub("store"));
    QVERIFY(server_->Start());
    SharedLogAnswer made = CreateSharedLog({server_->Url()}, "ARI", 1);
    QVERIFY2(made.ok, made.error.c_str());
}

void TestNetwork::windowAndAnotherPositionShareTheLog() {
    const std::string url = server_->Url();
    MainWindowHarness h({}, "MULTI-ONE", [&](Settings& settings) { settings.SetNet(url, "ARI", "RUN"); });
    NetPosition mult(scratch_->Sub("mult"));
    QVERIFY(mult.Start(url, "ARI", "MULT"));
    const auto pollMult = [&] {
        mult.net->Poll();
        return true;
    };
    QTableView* list = h.window->logList();
    QLabel* status = h.c().networkStatus;

    // Joined at start-up: the status and the "Pos." column.
    QVERIFY(status->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT((pollMult(), status->text()), QStringLiteral("Rete: 2 postazioni, in linea"),
                              kBound);
    QCOMPARE(status->toolTip(), QString());
    QCOMPARE(list->model()->columnCount(), 11);
    QCOMPARE(Heading(list, 10), QStringLiteral("Pos."));
    QVERIFY(list->columnWidth(10) > 0);
    QVERIFY(list->columnWidth(9) + list->columnWidth(10) <= list->viewport()->width());

    // Another position's contact: in the list with its position, in the live score.
    mult.AddQso("I1AAA");
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 1, kBound);
    QCOMPARE(Cell(list, 0, 5), QStringLiteral("I1AAA"));
    QCOMPARE(Cell(list, 0, 10), QStringLiteral("MULT"));
    auto* live = h.window->findChild<LiveScoreController*>();
    QTRY_COMPARE_WITH_TIMEOUT(live->Score().Figures().entries, int64_t(1), kBound);

    // This window's contact reaches the other position as RUN's.
    QTest::keyClicks(h.c().callsign, QStringLiteral("i2bbb"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QTest::keyClicks(h.c().section, QStringLiteral("5678"));
    QTest::keyClick(h.c().section, Qt::Key_Return);
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(Cell(list, 1, 10), QStringLiteral("RUN"));
    QTRY_VERIFY_WITH_TIMEOUT((pollMult(), mult.Log().RowCount() == 2), kBound);
    QCOMPARE(std::string(mult.net->PositionOfRow(1)), std::string("RUN"));
    QCOMPARE(std::string(mult.Log().Field(1, 5)), std::string("I2BBB"));

    // The same band and mode as the other position's contacts.
    h.c().mode->setCurrentIndex(h.c().mode->findText(QStringLiteral("CW")));
    h.c().band->setCurrentIndex(h.c().band->findText(QStringLiteral("14")));
    h.window->findChild<KnownCallsController*>()->FinishLoading();

    // Still typing a callsign when the other position logs it: the known calls mark it
    // as worked at once; the text, the cursor and the focus stay the person's.
    h.c().callsign->setFocus();
    QTest::keyClicks(h.c().callsign, QStringLiteral("i3ccc"));
    h.c().callsign->setCursorPosition(2);
    QCOMPARE(KnownMark(*h.window, QStringLiteral("I3CCC")), QStringLiteral("-"));
    mult.AddQso("I3CCC");
    QTRY_COMPARE_WITH_TIMEOUT(KnownMark(*h.window, QStringLiteral("I3CCC")), QStringLiteral("DUP"), kBound);
    QCOMPARE(list->model()->rowCount(), 3);
    QCOMPARE(h.c().callsign->text(), QStringLiteral("I3CCC"));
    QCOMPARE(h.c().callsign->cursorPosition(), 2);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().callsign));
    QVERIFY(!h.c().duplicate->isVisible());  // told when the callsign is left, as always
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QVERIFY(h.c().duplicate->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the duplicate discarded
    QCOMPARE(list->model()->rowCount(), 3);

    // The callsign typed and left, the section being heard: the duplicate shows at
    // once, without a keystroke.
    QTest::keyClicks(h.c().callsign, QStringLiteral("i4ddd"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.c().section));
    QTest::keyClicks(h.c().section, QStringLiteral("56"));
    // Another callsign comes in: the form is left alone.
    mult.AddQso("I5EEE");
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 4, kBound);
    QCOMPARE(h.c().section->text(), QStringLiteral("56"));
    QCOMPARE(h.c().section->cursorPosition(), 2);
    QVERIFY(!h.c().duplicate->isVisible());
    mult.AddQso("I4DDD");
    QTRY_VERIFY_WITH_TIMEOUT(h.c().duplicate->isVisible(), kBound);
    QCOMPARE(h.c().callsign->text(), QStringLiteral("I4DDD"));
    QCOMPARE(h.c().previousList->model()->rowCount(), 1);
    QCOMPARE(h.c().section->text(), QString());  // as for any duplicate
    QCOMPARE(list->model()->rowCount(), 5);
    QCOMPARE(Cell(list, 4, 10), QStringLiteral("MULT"));

    // Both hold one log, row for row.
    QTRY_VERIFY_WITH_TIMEOUT(
        (pollMult(), mult.net->Status().unsent == 0 && h.Log().RowCount() == 5 && mult.Log().RowCount() == 5),
        kBound);
    for (size_t row = 0; row < 5; ++row) {
        QCOMPARE(h.Log().Identity(row), mult.Log().Identity(row));
    }

    // While a dialog is up no row moves under it; the contact shows once it closes.
    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        mult.AddQso("I6FFF");
        QTRY_VERIFY_WITH_TIMEOUT((pollMult(), mult.net->Status().unsent == 0), kBound);
        QTest::qWait(300);
        QCOMPARE(list->model()->rowCount(), 5);
        dialog->reject();
    });
    h.Trigger(MenuCommand::Options);
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 6, kBound);

    // Another position changes the station's own section: the form shows it, as after
    // Open.
    StationSummary station = mult.settings.station;
    station.ownSection = "5678";
    mult.settings.SetStation(station);
    mult.session->StationSummaryChanged();
    QTRY_COMPARE_WITH_TIMEOUT(h.c().ownSection->text(), QStringLiteral("5678"), kBound);
    QCOMPARE(h.settings.station.ownSection, std::string("5678"));
    QVERIFY(h.prompts.records.empty());
}

void TestNetwork::optionsJoinAndLeaveAndTheStatusTellsAServerGone() {
    MainWindowHarness h({}, "MULTI-ONE");
    QTableView* list = h.window->logList();
    QLabel* status = h.c().networkStatus;
    auto* net = h.window->findChild<NetController*>();
    QVERIFY(net != nullptr);
    QVERIFY(!net->On());
    QVERIFY(!status->isVisible());
    QCOMPARE(list->model()->columnCount(), 10);  // a single-computer log, as always

    const QString url = QString::fromStdString(server_->Url());
    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        // The dialog takes the keys (it counts as active before the platform says so).
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == dialog, 5000);
        NetOptionsSection* section = NetSectionOf(dialog);
        QVERIFY(section != nullptr);
        QCOMPARE(section->Box()->title(), QStringLiteral("Rete"));
        QCOMPARE(section->ServersField()->text(), QString());
        // Nothing to check while no server is given.
        Retype(section->PositionField(), QStringLiteral("run 1"));
        const std::string servers =
            "Gli indirizzi dei server della rete si scrivono host:porta, separati da virgole, per esempio "
            "nats://192.168.1.10:4222, nats://192.168.1.11:4222.";
        const std::string log =
            "Il nome del log condiviso va da 1 a 32 lettere senza accenti, cifre, \"-\" o \"_\", senza "
            "spazi.";
        const std::string position =
            "Il nome della postazione va da 1 a 12 lettere senza accenti, cifre, \"-\" o \"_\", senza spazi.";
        struct Refusal {
            QString servers, log, position;
            QLineEdit* field;
            std::string text;
        } refusals[] = {
            {url + QStringLiteral(", nats://127.0.0.1:99999"), "ARI", "RUN", section->ServersField(),
             servers},
            {QStringLiteral("nats://server uno:4222"), "ARI", "RUN", section->ServersField(), servers},
            {QStringLiteral(" , "), "ARI", "RUN", section->ServersField(), servers},
            {url, "", "RUN", section->LogField(), log},
            {url, QStringLiteral("ARI 2024"), "RUN", section->LogField(), log},
            {url, "ARI", QStringLiteral("run 1"), section->PositionField(), position},
            {url, "ARI", QStringLiteral("post\u00e0"), section->PositionField(), position},
        };
        for (const Refusal& r : refusals) {
            section->ServersField()->setText(r.servers);
            section->LogField()->setText(r.log);
            section->PositionField()->setText(r.position);
            SaveButton(dialog)->setFocus();
            h.prompts.records.clear();
            QTest::mouseClick(SaveButton(dialog), Qt::LeftButton);
            QVERIFY(dialog->isVisible());
            QCOMPARE(h.prompts.records.size(), size_t(1));
            QCOMPARE(h.prompts.records[0].text, r.text);
            QCOMPARE(h.prompts.records[0].title, std::string("Errore"));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(r.field));
        }
        QCOMPARE(h.store.ReadString("Parametri", "Rete server", "-"), std::string("-"));
        Retype(section->ServersField(), QStringLiteral("%1 , nats://127.0.0.1:1").arg(url));
        Retype(section->LogField(), QStringLiteral("ARI"));
        Retype(section->PositionField(), QStringLiteral("RUN"));
        h.prompts.records.clear();
        QTest::mouseClick(SaveButton(dialog), Qt::LeftButton);
        QVERIFY(h.prompts.records.empty());
    });
    h.Trigger(MenuCommand::Options);
    QCOMPARE(h.store.ReadString("Parametri", "Rete server", ""), server_->Url() + " , nats://127.0.0.1:1");
    QCOMPARE(h.store.ReadString("Parametri", "Rete log", ""), std::string("ARI"));
    QCOMPARE(h.store.ReadString("Parametri", "Rete postazione", ""), std::string("RUN"));

    // Joined at once.
    QVERIFY(net->On());
    QVERIFY(status->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Rete: 1 postazione, in linea"), kBound);
    QCOMPARE(list->model()->columnCount(), 11);

    // The server gone: a contact is logged all the same and waits; the status says so
    // and why on hover.
    server_->Stop();
    QTest::keyClicks(h.c().callsign, QStringLiteral("i2bbb"));
    QTest::keyClick(h.c().callsign, Qt::Key_Return);
    QTest::keyClicks(h.c().section, QStringLiteral("5678"));
    QTest::keyClick(h.c().section, Qt::Key_Return);
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(Cell(list, 0, 10), QStringLiteral("RUN"));
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Rete: non collegata, 1 QSO da inviare"),
                              kBound);
    QVERIFY(!status->toolTip().isEmpty());
    QCOMPARE(status->toolTip(), QString::fromStdString(net->Status().reason));

    // An empty server list leaves the network: the window as a single computer's.
    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        NetOptionsSection* section = NetSectionOf(dialog);
        Retype(section->ServersField(), QString());
        Retype(section->PositionField(), QStringLiteral("non controllato"));
        QTest::mouseClick(SaveButton(dialog), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    h.Trigger(MenuCommand::Options);
    QVERIFY(!net->On());
    QVERIFY(!net->Session().Running());
    QVERIFY(!status->isVisible());
    QCOMPARE(list->model()->columnCount(), 10);
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY(h.prompts.records.empty());
}

void TestNetwork::aLogThatCannotBeJoinedIsSaidInTheStatus() {
    const std::string url = server_->Url();
    struct Case {
        const char* log;
        QString reason;
    } cases[] = {
        {"ARI 2025", QStringLiteral("Nome del log non valido in \"Rete log\"")},
        {"NOLOG", QStringLiteral("Il log \"NOLOG\" non esiste sul server")},
    };
    for (const Case& c : cases) {
        MainWindowHarness h({}, "MULTI-ONE", [&](Settings& settings) { settings.SetNet(url, c.log, "RUN"); });
        QLabel* status = h.c().networkStatus;
        QVERIFY(status->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(status->toolTip().startsWith(c.reason), kBound);
        QCOMPARE(status->text(), QStringLiteral("Rete: non collegata, 0 QSO da inviare"));
        // The person goes on logging, told nothing else.
        QTest::keyClicks(h.c().callsign, QStringLiteral("i2bbb"));
        QTest::keyClick(h.c().callsign, Qt::Key_Return);
        QTest::keyClicks(h.c().section, QStringLiteral("5678"));
        QTest::keyClick(h.c().section, Qt::Key_Return);
        QCOMPARE(h.window->logList()->model()->rowCount(), 1);
        QVERIFY(h.prompts.records.empty());
    }
}

QTEST_MAIN(TestNetwork)
#include "tst_network.moc"
