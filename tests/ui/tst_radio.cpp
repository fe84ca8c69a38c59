// The radio in the main window, with Hamlib's own programs: rigctld serves the dummy
// radio on 127.0.0.1 and rigctl moves it as another program would. The program is
// started as main() starts it, over settings that name the radio; the options set
// the radio and apply it at once.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "MainWindowHarness.h"
#include "Rigctld.h"
#include "ScriptedPrompts.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "rig/RigConfig.h"
#include "rig/RigModels.h"
#include "ui/Application.h"
#include "ui/COptionsDlg.h"
#include "ui/CTarnexDlg.h"
#include "ui/RadioOptionsSection.h"
#include "ui/RigController.h"
#include "ui/TextCodec.h"

using namespace tarnex;
using namespace tarnex::testing;
using tarnex::rigtest::FreeLoopbackPort;
using tarnex::rigtest::Rigctl;
using tarnex::rigtest::Rigctld;

namespace {

constexpr int kBound = 15000;  // ms: connecting, reconnecting, a move seen

QString Address(int port) {
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

// The program as main() starts it (settings, sections file and journal in a fresh
// folder) with the radio of the settings, and its main window open.
struct RadioWindow {
    explicit RadioWindow(const RigConfig& radio) {
        QFile sections(dir.filePath(QStringLiteral("_sez.cod")));
        sections.open(QIODevice::WriteOnly);
        sections.write("1234 MILANO\r\n5678 ROMA\r\n");
        sections.close();
        Settings before(store);
        before.Load();
        before.SetOwnSection("1234");
        before.SetRadio(radio.model, radio.port, radio.speed, radio.intervalMs);
        app = std::make_unique<Application>(ApplicationSetup{&store, &prompts, dir.path().toStdString()});
        app->Start();
        window =
            std::make_unique<CTarnexDlg>(app->Session(), nullptr, [] { return HarnessClock(14, 23, 10); });
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        rig = window->findChild<RigController*>();
        QVERIFY(rig != nullptr);
    }

    const MainWindowControls& c() const { return window->controls(); }
    QString Status() const { return c().radioStatus->text(); }
    bool Connected() const { return c().radioStatus->text().contains(QStringLiteral(" kHz")); }
    std::string Band() const { return window->entryForm().Values().band; }
    std::string Mode() const { return window->entryForm().Values().mode; }
    std::string Journal() const {
        QFile file(dir.filePath(QStringLiteral("_ult.trnx")));
        file.open(QIODevice::ReadOnly);
        return file.readAll().toStdString();
    }

    QTemporaryDir dir;
    MemorySettingsStore store;
    ScriptedPrompts prompts;
    std::unique_ptr<Application> app;
    std::unique_ptr<CTarnexDlg> window;
    RigController* rig = nullptr;
};

// Everything the program writes to the standard error and through Qt's messages
// while it lives.
class Logged {
  public:
    Logged() {
        file_.open();
        fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        ::dup2(file_.handle(), STDERR_FILENO);
        messages_.clear();
        previous_ = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            // The offscreen platform of the tests says what it cannot do with a window.
            if (!text.startsWith(QStringLiteral("This plugin does not support"))) {
                messages_ << text;
            }
        });
    }
    ~Logged() { Restore(); }

    // What was written, after which nothing more is taken.
    QString Text() {
        Restore();
        file_.seek(0);
        return QString::fromLocal8Bit(file_.readAll()) + messages_.join(QLatin1Char('\n'));
    }

  private:
    void Restore() {
        if (saved_ >= 0) {
            fflush(stderr);
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
            saved_ = -1;
            qInstallMessageHandler(previous_);
        }
    }

    QTemporaryFile file_;
    int saved_ = -1;
    QtMessageHandler previous_ = nullptr;
    static inline QStringList messages_;
};

RadioOptionsSection* RadioSectionOf(COptionsDlg* dialog) {
    for (const auto& section : dialog->Sections()) {
        if (auto* radio = dynamic_cast<RadioOptionsSection*>(section.get())) {
            return radio;
        }
    }
    return nullptr;
}

// Waits until the dialog is the window that takes the keys. (A dialog counts as active
// for QTest::qWaitForWindowActive as soon as its parent is, before the platform has
// made it the focus window.)
void KeysTo(QDialog* dialog) {
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == dialog, 5000);
}

QPushButton* SaveButton(COptionsDlg* dialog) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("Salva")) {
            return button;
        }
    }
    return nullptr;
}

int ModelNumber(const char* name) {
    for (const RigModel& model : RigModels()) {
        if (model.name == name) {
            return model.number;
        }
    }
    return -1;
}

}  // namespace

class TestRadio : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void formFollowsTheRadioAndTheJournalHoldsWhatItSaid();
    void typingNeverWaitsForARadioThatIsGoneAndItComesBackByItself();
    void badRadioSettingsStartQuietly_data();
    void badRadioSettingsStartQuietly();
    void optionsChooseTheRadioAndApplyAtOnce();
};

void TestRadio::formFollowsTheRadioAndTheJournalHoldsWhatItSaid() {
    const int port = FreeLoopbackPort();
    Rigctld daemon(port);
    QVERIFY2(daemon.Ready(), "rigctld (libhamlib-utils) did not start");
    RadioWindow w({kNetworkRadioModel, Address(port).toStdString(), 0, 100});
    QVERIFY(w.c().radioStatus->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(w.Connected(), kBound);
    QCOMPARE(w.c().radioStatus->toolTip(), QStringLiteral("Hamlib NET rigctl su ") + Address(port));

    // Each move shows in the status, and the same hand-over has moved the form: the
    // lists, the stored "Banda" and "Modo", the reports for the mode. RTTY never on
    // 1,8; a frequency outside the contest bands and a mode the contest does not have
    // change nothing.
    struct Move {
        std::vector<std::string> rigctl;
        QString status;
        const char* band;
        const char* mode;
        QString report;
    } moves[] = {
        {{"F", "14025000", "M", "CW", "0"}, "Radio: 14.025,0 kHz CW", "14", "CW", "599"},
        {{"F", "7050000", "M", "LSB", "0"}, "Radio: 7.050,0 kHz SSB", "7", "SSB", "59"},
        {{"F", "1838000", "M", "RTTY", "0"}, "Radio: 1.838,0 kHz RTTY", "3,5", "RTTY", "599"},
        {{"F", "10120000"}, "Radio: 10.120,0 kHz RTTY", "3,5", "RTTY", "599"},
        {{"F", "21080000", "M", "PKTUSB", "0"}, "Radio: 21.080,0 kHz PKTUSB", "21", "RTTY", "599"},
    };
    for (const Move& m : moves) {
        QVERIFY(Rigctl(port, m.rigctl));
        QTRY_COMPARE_WITH_TIMEOUT(w.Status(), m.status, kBound);
        QCOMPARE(w.c().band->currentText(), QString::fromLatin1(m.band));
        QCOMPARE(w.c().mode->currentText(), QString::fromLatin1(m.mode));
        QCOMPARE(w.store.ReadString("Parametri", "Banda", ""), std::string(m.band));
        QCOMPARE(w.store.ReadString("Parametri", "Modo", ""), std::string(m.mode));
        QCOMPARE(w.c().rstSent->text(), m.report);
    }

    // The person chooses by hand; the radio moving within its band leaves that
    // choice, its next band wins again.
    QVERIFY(Rigctl(port, {"F", "14030000", "M", "CW", "0"}));
    QTRY_COMPARE_WITH_TIMEOUT(w.Status(), QStringLiteral("Radio: 14.030,0 kHz CW"), kBound);
    QCOMPARE(w.Band(), std::string("14"));
    w.c().band->setCurrentIndex(w.c().band->findText(QStringLiteral("28")));
    QCOMPARE(w.Band(), std::string("28"));
    QVERIFY(Rigctl(port, {"F", "14035000"}));
    QTRY_COMPARE_WITH_TIMEOUT(w.Status(), QStringLiteral("Radio: 14.035,0 kHz CW"), kBound);
    QCOMPARE(w.Band(), std::string("28"));
    QVERIFY(Rigctl(port, {"F", "7030000"}));
    QTRY_COMPARE_WITH_TIMEOUT(w.Band(), std::string("7"), kBound);

    // A contact typed up to its last Enter; the radio moves, and the window has not
    // yet had the move handed over when Enter comes: the contact is added on the
    // radio's band and mode, which the form shows too.
    QTest::keyClicks(w.c().callsign, QStringLiteral("iz2aaa"));
    QTest::keyClick(w.c().callsign, Qt::Key_Return);
    QTest::keyClicks(w.c().section, QStringLiteral("5678"));
    QCOMPARE(QApplication::focusWidget(), w.c().section);
    QVERIFY(Rigctl(port, {"F", "21200000", "M", "USB", "0"}));
    // No event of the window runs while this waits.
    QVERIFY(rigtest::WaitUntil([&] {
        const RigStatus read = w.rig->Status();
        return read.frequencyHz == 21'200'000 && read.radioMode == "USB";
    }));
    QCOMPARE(w.Band(), std::string("7"));
    QCOMPARE(w.Mode(), std::string("CW"));
    QTest::keyClick(w.c().section, Qt::Key_Return);
    QCOMPARE(w.app->Session().Log().RowCount(), size_t(1));
    QVERIFY2(w.Journal().ends_with("\r\n02.06.2007^1423^21^SSB^IZ2AAA^59^1234^59^5678^\r\n"),
             w.Journal().c_str());
    QCOMPARE(w.c().band->currentText(), QStringLiteral("21"));
    QCOMPARE(w.c().mode->currentText(), QStringLiteral("SSB"));
    QCOMPARE(w.Status(), QStringLiteral("Radio: 21.200,0 kHz SSB"));
    QVERIFY(w.prompts.records.empty());
}

void TestRadio::typingNeverWaitsForARadioThatIsGoneAndItComesBackByItself() {
    const int port = FreeLoopbackPort();
    auto daemon = std::make_unique<Rigctld>(port);
    QVERIFY2(daemon->Ready(), "rigctld (libhamlib-utils) did not start");
    RadioWindow w({kNetworkRadioModel, Address(port).toStdString(), 0, 100});
    QTRY_VERIFY_WITH_TIMEOUT(w.Connected(), kBound);

    // rigctld dies: disconnected, the reason on hover, no box.
    daemon->Kill();
    QTRY_COMPARE_WITH_TIMEOUT(w.Status(), QStringLiteral("Radio: non collegata"), kBound);
    QVERIFY2(w.c().radioStatus->toolTip().startsWith(QStringLiteral("Hamlib NET rigctl su ") + Address(port) +
                                                     QStringLiteral(": ")),
             qPrintable(w.c().radioStatus->toolTip()));
    // The poller goes on trying meanwhile; every key is taken as it is pressed.
    const QString call = QStringLiteral("IK2ABC");
    for (int i = 0; i < call.size(); ++i) {
        QTest::keyClick(w.c().callsign, call[i].toLower().toLatin1());
        QCOMPARE(w.c().callsign->text(), call.left(i + 1));
        QCOMPARE(w.window->entryForm().Values().callsign, call.left(i + 1).toStdString());
    }

    // rigctld is back on its port: the program finds it by itself and follows it.
    daemon = std::make_unique<Rigctld>(port);
    QVERIFY(daemon->Ready());
    QTRY_VERIFY_WITH_TIMEOUT(w.Connected(), kBound);
    QVERIFY(Rigctl(port, {"F", "28500000", "M", "USB", "0"}));
    QTRY_COMPARE_WITH_TIMEOUT(w.Status(), QStringLiteral("Radio: 28.500,0 kHz SSB"), kBound);
    QCOMPARE(w.Band(), std::string("28"));
    QCOMPARE(w.Mode(), std::string("SSB"));
    QCOMPARE(w.c().callsign->text(), call);
    QVERIFY(w.prompts.records.empty());
}

void TestRadio::badRadioSettingsStartQuietly_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QString>("reason");
    const int refusing = FreeLoopbackPort();
    QTest::newRow("a model Hamlib does not know")
        << 999999 << QString() << 0 << QStringLiteral("Modello di radio sconosciuto: 999999");
    const int serial = ModelNumber("FT-991");
    QTest::newRow("a serial port that does not exist")
        << serial << QStringLiteral("/dev/ttyTARNEX9") << 4800
        << QStringLiteral("Yaesu FT-991 su /dev/ttyTARNEX9: apertura non riuscita");
    QTest::newRow("a host that refuses")
        << int(kNetworkRadioModel) << Address(refusing) << 0
        << QStringLiteral("Hamlib NET rigctl su %1: apertura non riuscita").arg(Address(refusing));
}

void TestRadio::badRadioSettingsStartQuietly() {
    QFETCH(int, model);
    QFETCH(QString, port);
    QFETCH(int, speed);
    QFETCH(QString, reason);
    QVERIFY(model > 0);
    Logged logged;
    {
        RadioWindow w({model, port.toStdString(), speed, 100});
        QVERIFY(w.c().radioStatus->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(w.c().radioStatus->toolTip().startsWith(reason), kBound);
        QCOMPARE(w.Status(), QStringLiteral("Radio: non collegata"));
        QTest::keyClicks(w.c().callsign, QStringLiteral("ik2abc"));
        QCOMPARE(w.window->entryForm().Values().callsign, std::string("IK2ABC"));
        QVERIFY(w.prompts.records.empty());
        // A retry or two later it still says so, quietly.
        QTest::qWait(1200);
        QCOMPARE(w.Status(), QStringLiteral("Radio: non collegata"));
    }
    const QString text = logged.Text();
    QVERIFY2(text.isEmpty(), qPrintable(text));
}

void TestRadio::optionsChooseTheRadioAndApplyAtOnce() {
    const int port = FreeLoopbackPort();
    Rigctld daemon(port);
    QVERIFY2(daemon.Ready(), "rigctld (libhamlib-utils) did not start");
    MainWindowHarness h;
    auto* rig = h.window->findChild<RigController*>();
    QVERIFY(rig != nullptr);
    QVERIFY(!h.c().radioStatus->isVisible());  // no radio chosen yet
    QCOMPARE(rig->Config().model, kNoRadioModel);

    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        KeysTo(dialog);
        RadioOptionsSection* radio = RadioSectionOf(dialog);
        QVERIFY(radio != nullptr);
        QCOMPARE(radio->Box()->title(), QStringLiteral("Radio"));
        QComboBox* models = radio->ModelList();
        QCOMPARE(models->count(), int(RigModels().size()));
        QCOMPARE(models->itemText(0), QStringLiteral("Nessuna radio"));
        QCOMPARE(models->currentIndex(), 0);
        QCOMPARE(radio->SpeedList()->currentText(), QStringLiteral("Quella del modello"));
        QCOMPARE(radio->IntervalField()->text(), QStringLiteral("500"));
        QCOMPARE(radio->PortField()->text(), QString());

        // The search narrows the list by maker and name, or by number; the first radio
        // found is chosen, and a chosen one stays chosen while it is found.
        QTest::keyClicks(radio->SearchField(), QStringLiteral("yaesu 991"));
        QCOMPARE(models->count(), 2);
        QCOMPARE(models->currentText(), QStringLiteral("Yaesu FT-991 (%1)").arg(ModelNumber("FT-991")));
        Retype(radio->SearchField(), QStringLiteral("rigctl"));
        QCOMPARE(models->currentText(), QStringLiteral("Hamlib NET rigctl (2)"));
        Retype(radio->SearchField(), QStringLiteral("nessuna marca"));  // nothing found: the choice stays
        QCOMPARE(models->count(), 2);
        QCOMPARE(models->currentText(), QStringLiteral("Hamlib NET rigctl (2)"));
        Retype(radio->SearchField(), QString());
        QCOMPARE(models->count(), int(RigModels().size()));
        QCOMPARE(radio->ChosenModel(), int(kNetworkRadioModel));

        // Salva refuses what the radio cannot work with, says why and puts the focus
        // on the field; nothing is stored.
        struct Refusal {
            QString interval;
            QString port;
            QLineEdit* field;
            std::string text;
        } refusals[] = {
            {"20", "", radio->IntervalField(),
             "L'intervallo di lettura della radio va da 50 a 60000 millisecondi."},
            {"", "", radio->IntervalField(),
             "L'intervallo di lettura della radio va da 50 a 60000 millisecondi."},
            {"100", "127.0.0.1:99999", radio->PortField(),
             "Per la radio condivisa da rigctld la porta si scrive host:porta, per esempio 127.0.0.1:4532."},
            {"100", "localhost:rig", radio->PortField(),
             "Per la radio condivisa da rigctld la porta si scrive host:porta, per esempio 127.0.0.1:4532."},
            {"100", "/dev/tty USB0", radio->PortField(),
             "La porta della radio si scrive senza spazi: il dispositivo seriale (per esempio /dev/ttyUSB0) "
             "o host:porta."},
        };
        for (const Refusal& r : refusals) {
            Retype(radio->IntervalField(), r.interval);
            Retype(radio->PortField(), r.port);
            h.prompts.records.clear();
            QTest::mouseClick(SaveButton(dialog), Qt::LeftButton);
            QVERIFY(dialog->isVisible());
            QCOMPARE(h.prompts.records.size(), size_t(1));
            QCOMPARE(h.prompts.records[0].text, r.text);
            QCOMPARE(h.prompts.records[0].title, std::string("Errore"));
            QCOMPARE(QApplication::focusWidget(), r.field);
        }
        QCOMPARE(h.store.ReadInt("Parametri", "Radio modello", -1), -1);

        Retype(radio->PortField(), Address(port));
        Retype(radio->IntervalField(), QStringLiteral("100"));
        h.prompts.records.clear();
        QTest::mouseClick(SaveButton(dialog), Qt::LeftButton);
        QVERIFY(h.prompts.records.empty());
    });
    h.Trigger(MenuCommand::Options);
    QCOMPARE(h.store.ReadInt("Parametri", "Radio modello", -1), 2);
    QCOMPARE(h.store.ReadString("Parametri", "Radio porta", ""), Address(port).toStdString());
    QCOMPARE(h.store.ReadInt("Parametri", "Radio velocit\xE0", -1), 0);
    QCOMPARE(h.store.ReadInt("Parametri", "Radio intervallo", -1), 100);

    // Applied at once: the status shows, the radio is read and the form follows it.
    QVERIFY(h.c().radioStatus->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(h.c().radioStatus->text().contains(QStringLiteral(" kHz")), kBound);
    QVERIFY(Rigctl(port, {"F", "3550000", "M", "CW", "0"}));
    QTRY_COMPARE_WITH_TIMEOUT(h.c().radioStatus->text(), QStringLiteral("Radio: 3.550,0 kHz CW"), kBound);
    QCOMPARE(h.c().band->currentText(), QStringLiteral("3,5"));
    QCOMPARE(h.c().mode->currentText(), QStringLiteral("CW"));

    // Saving without a change of the radio keeps it as it is; "Nessuna radio" stops it.
    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        RadioOptionsSection* radio = RadioSectionOf(dialog);
        QCOMPARE(radio->ModelList()->currentText(), QStringLiteral("Hamlib NET rigctl (2)"));
        QCOMPARE(radio->PortField()->text(), Address(port));
        QTest::mouseClick(SaveButton(dialog), Qt::LeftButton);
    });
    const int writes = h.store.Writes();
    h.Trigger(MenuCommand::Options);
    QCOMPARE(h.store.Writes(), writes + 2);  // the dialog's own two options only
    QVERIFY(h.c().radioStatus->text().contains(QStringLiteral(" kHz")));

    // While a dialog is up, a move of the radio shows in the status at once and
    // reaches the form when the dialog has closed.
    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        QVERIFY(Rigctl(port, {"F", "21030000"}));
        QTRY_COMPARE_WITH_TIMEOUT(h.c().radioStatus->text(), QStringLiteral("Radio: 21.030,0 kHz CW"),
                                  kBound);
        QCOMPARE(h.c().band->currentText(), QStringLiteral("3,5"));
        dialog->reject();
    });
    h.Trigger(MenuCommand::Options);
    QTRY_COMPARE_WITH_TIMEOUT(h.c().band->currentText(), QStringLiteral("21"), kBound);

    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        RadioOptionsSection* radio = RadioSectionOf(dialog);
        radio->ModelList()->setCurrentIndex(0);
        Retype(radio->PortField(), QStringLiteral("tty USB0"));  // no radio: nothing to refuse
        QTest::mouseClick(SaveButton(dialog), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    h.Trigger(MenuCommand::Options);
    QCOMPARE(h.store.ReadInt("Parametri", "Radio modello", -1), 0);
    QCOMPARE(rig->Config().model, kNoRadioModel);
    QVERIFY(!h.c().radioStatus->isVisible());
    QVERIFY(h.prompts.records.empty());
}

QTEST_MAIN(TestRadio)
#include "tst_radio.moc"
