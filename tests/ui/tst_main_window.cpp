// The main window driven as an operator drives it: keys into the entry form, the log
// list, the grids and pictures, the menu, the clock on an injected time.
//
// With TARNEX_SCREENSHOT_DIR set, the window is also saved there as PNG pictures
// with a loaded log, in both modes.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "ScriptedPrompts.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "entry/EntryFormObserver.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"
#include "ui/CTarnexDlg.h"
#include "ui/LogListModel.h"
#include "ui/TextCodec.h"

using namespace tarnex;
using tarnex::testing::ScriptedPrompts;

namespace {

ClockNow At(int hour, int minute, int second) {
    ClockNow now;
    now.utc = {2007, 6, 2, hour, minute, second};
    now.local = now.utc;
    return now;
}

// A window over a session in a fresh folder, with an injected clock.
struct Harness {
    explicit Harness(const QByteArray& journal = {}, const char* category = "SINGLE-OP CW",
                     ClockNow start = At(14, 23, 10))
        : settings(store), now(start) {
        sections.SetName(1234, "MILANO");
        sections.SetName(5678, "ROMA");
        settings.Load();
        settings.SetOwnSection("1234");
        settings.station.category = category;
        settings.logMode = LogModeForCategory(category);
        folder = dir.path().toStdString();
        if (!journal.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("_ult.trnx")));
            file.open(QIODevice::WriteOnly);
            file.write(journal);
        }
        session = std::make_unique<LogSession>(settings, sections, prompts, folder);
        window = std::make_unique<CTarnexDlg>(*session, nullptr, [this] { return now; });
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    const MainWindowControls& c() const { return window->controls(); }
    QByteArray JournalBytes() const {
        QFile file(dir.filePath(QStringLiteral("_ult.trnx")));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    QString LogText(int row, int column) const {
        QAbstractItemModel* model = window->logList()->model();
        return model->data(model->index(row, column)).toString();
    }
    void Key(int key) { QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key)); }

    QTemporaryDir dir;
    MemorySettingsStore store;
    Settings settings;
    SectionTable sections;
    ScriptedPrompts prompts;
    std::string folder;
    ClockNow now;
    std::unique_ptr<LogSession> session;
    std::unique_ptr<CTarnexDlg> window;
};

QByteArray QsoJournal(int rows) {
    StationSummary station{"IZ2XYZ", "1234", "SINGLE-OP CW", "", "", "", "", "", "", "", ""};
    std::string bytes = LogHeaderBytes(LogMode::Qso, station);
    for (int i = 0; i < rows; ++i) {
        QsoRecord r{"02.06.2007",
                    QString::number(1000 + i).toStdString(),
                    i % 2 ? "14" : "7",
                    i % 3 ? "SSB" : "CW",
                    "IZ" + std::to_string(i % 10) + "AB" + static_cast<char>('A' + i % 26),
                    i % 3 ? "59" : "599",
                    i % 3 ? "57" : "579",
                    i % 2 ? "5678" : "1234",
                    ""};
        bytes += QsoLine(r, "1234");
    }
    return QByteArray::fromStdString(bytes);
}

QByteArray ListeningJournal(int rows) {
    StationSummary station{"", "1234", "SWL", "", "", "", "", "", "", "", ""};
    std::string bytes = LogHeaderBytes(LogMode::Listening, station);
    for (int i = 0; i < rows; ++i) {
        HrdRecord r{"02.06.2007", QString::number(1100 + i).toStdString(), "7",
                    "SSB",        "IZ" + std::to_string(i) + "AAA",        "59",
                    "5678",       "IZ" + std::to_string(i) + "BBB"};
        bytes += ListeningLine(r);
    }
    return QByteArray::fromStdString(bytes);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void typedContactReachesListAndJournal();
    void duplicateShowsDupAndEnterDiscardsIt();
    void f9ClearsTheInputFields();
    void rttyIsNeverOnOneEight();
    void radioAndCallsignKeystrokesTakeThePersonsPaths();
    void clockAndTipsFollowTheInjectedTime();
    void logColumnsAndWidths();
    void listeningCategoryOpensTheSecondRow();
    void menuHoldsEveryItem();
    void windowIsFixedAndEscapeCloses();
    void gridCellsAndMultiplierPicture();
    void contextMenuOnlyWithASelection();
    void screenshots();
};

void TestMainWindow::typedContactReachesListAndJournal() {
    Harness h;
    QCOMPARE(QApplication::focusWidget(), h.c().callsign);
    QCOMPARE(h.c().rstSent->text(), QStringLiteral("59"));  // the stored mode, "SSB" by default
    QCOMPARE(h.c().date->text(), QStringLiteral("02.06.2007"));
    QCOMPARE(h.c().time->text(), QStringLiteral("1423"));
    QTest::keyClicks(h.c().callsign, QStringLiteral("iz2aaa"));
    QCOMPARE(h.c().callsign->text(), QStringLiteral("IZ2AAA"));  // upper case as typed
    h.Key(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), h.c().section);
    QTest::keyClicks(h.c().section, QStringLiteral("5678"));
    QCOMPARE(h.c().sectionName->text(), QStringLiteral("ROMA"));
    QVERIFY(h.c().newMultiplier->isVisible());
    h.Key(Qt::Key_Return);

    QCOMPARE(h.window->logList()->model()->rowCount(), 1);
    QCOMPARE(h.LogText(0, 0), QStringLiteral("    1"));
    QCOMPARE(h.LogText(0, 5), QStringLiteral("IZ2AAA"));
    QCOMPARE(h.LogText(0, 9), QStringLiteral("ROMA"));
    QVERIFY(h.JournalBytes().endsWith("\r\n02.06.2007^1423^7^SSB^IZ2AAA^59^1234^59^5678^\r\n"));
    QCOMPARE(h.c().callsign->text(), QString());
    QCOMPARE(h.c().section->text(), QString());
    QVERIFY(!h.c().newMultiplier->isVisible());
    QCOMPARE(QApplication::focusWidget(), h.c().callsign);
    QCOMPARE(h.store.ReadInt("Parametri", "Modificato", 0), 1);
}

void TestMainWindow::duplicateShowsDupAndEnterDiscardsIt() {
    Harness h(QsoJournal(3));        // row 0: IZ0ABA on 7 CW, section 1234
    h.c().mode->setCurrentIndex(1);  // CW
    QTest::keyClicks(h.c().callsign, QStringLiteral("IZ0ABA"));
    h.Key(Qt::Key_Return);
    QVERIFY(h.c().duplicate->isVisible());
    QCOMPARE(h.c().section->text(), QString());
    QCOMPARE(h.c().previousCall->text(), QStringLiteral("IZ0ABA"));
    QCOMPARE(h.c().previousList->model()->rowCount(), 1);
    QVERIFY(h.c().cells[GridCell(1, 1, 2)]->IsOn());

    h.Key(Qt::Key_Return);
    QVERIFY(!h.c().duplicate->isVisible());
    QCOMPARE(h.window->logList()->model()->rowCount(), 3);
    QCOMPARE(h.c().callsign->text(), QString());
    QCOMPARE(h.c().previousList->model()->rowCount(), 0);
    QCOMPARE(QApplication::focusWidget(), h.c().callsign);
}

void TestMainWindow::f9ClearsTheInputFields() {
    Harness h(QsoJournal(3));
    QTest::keyClicks(h.c().callsign, QStringLiteral("IZ0ABA"));
    h.c().rstSent->setFocus();  // leaving the callsign lists its contacts
    QTest::keyClicks(h.c().rstSent, QStringLiteral("5"));
    QCOMPARE(h.c().section->text(), QStringLiteral("1234"));
    h.Key(Qt::Key_F9);
    QCOMPARE(h.c().callsign->text(), QString());
    QCOMPARE(h.c().section->text(), QString());
    QCOMPARE(h.c().rstSent->text(), QStringLiteral("59"));
    QCOMPARE(QApplication::focusWidget(), h.c().callsign);
    QCOMPARE(h.c().previousList->model()->rowCount(), 1);  // kept on screen

    QTest::keyClicks(h.c().callsign, QStringLiteral("IZ9"));
    QTest::mouseClick(h.c().clear, Qt::LeftButton);  // the "C" button does the same
    QCOMPARE(h.c().callsign->text(), QString());
}

void TestMainWindow::rttyIsNeverOnOneEight() {
    Harness h;
    h.c().mode->setCurrentIndex(2);
    h.c().band->setCurrentIndex(0);
    QCOMPARE(h.c().band->currentText(), QStringLiteral("3,5"));
    QCOMPARE(h.store.ReadString("Parametri", "Banda", ""), std::string("3,5"));
    QCOMPARE(h.store.ReadString("Parametri", "Modo", ""), std::string("RTTY"));

    h.c().mode->setCurrentIndex(0);
    QCOMPARE(h.c().rstSent->text(), QStringLiteral("59"));
    h.c().band->setFocus();
    QTest::keyClick(h.c().band, Qt::Key_Home);  // "1,8" chosen with the keyboard
    QCOMPARE(h.c().band->currentText(), QStringLiteral("1,8"));
    h.c().mode->setFocus();
    QTest::keyClick(h.c().mode, Qt::Key_End);  // "RTTY"
    QCOMPARE(h.c().band->currentText(), QStringLiteral("3,5"));
    QCOMPARE(h.c().rstReceived->text(), QStringLiteral("599"));
}

void TestMainWindow::radioAndCallsignKeystrokesTakeThePersonsPaths() {
    struct Keystrokes : EntryFormObserver {
        void CallsignTyped(EntryField field, const std::string& text) override {
            seen.push_back(QString::fromStdString(text));
        }
        QStringList seen;
    } keystrokes;
    Harness h(QsoJournal(3));  // row 0: IZ0ABA on 7 CW, section 1234
    h.window->entryForm().AddObserver(&keystrokes);
    QTest::keyClicks(h.c().callsign, QStringLiteral("iz0aba"));
    QCOMPARE(keystrokes.seen, (QStringList{"I", "IZ", "IZ0", "IZ0A", "IZ0AB", "IZ0ABA"}));
    QTest::keyClicks(h.c().rstSent, QStringLiteral("5"));  // other fields tell nobody
    QCOMPARE(keystrokes.seen.size(), 6);

    // The radio goes to CW: the list shows it, the reports follow the mode and the
    // callsign is evaluated again, a duplicate on 7 CW.
    h.window->bandModeReported("7", "CW");
    QCOMPARE(h.c().mode->currentText(), QStringLiteral("CW"));
    QCOMPARE(h.c().rstReceived->text(), QStringLiteral("599"));
    QVERIFY(h.c().duplicate->isVisible());
    QVERIFY(h.c().cells[GridCell(1, 1, 2)]->IsOn());
    QCOMPARE(h.store.ReadString("Parametri", "Modo", ""), std::string("CW"));

    h.window->bandModeReported("1,8", "RTTY");
    QCOMPARE(h.c().band->currentText(), QStringLiteral("3,5"));
    QCOMPARE(h.c().mode->currentText(), QStringLiteral("RTTY"));
    QCOMPARE(h.store.ReadString("Parametri", "Banda", ""), std::string("3,5"));
    h.window->entryForm().RemoveObserver(&keystrokes);
}

void TestMainWindow::clockAndTipsFollowTheInjectedTime() {
    Harness h({}, "SINGLE-OP CW", At(10, 14, 37));
    QCOMPARE(h.c().time->text(), QStringLiteral("1014"));
    QVERIFY(h.window->clockTimer()->isActive());
    QCOMPARE(h.window->clockTimer()->interval(), 23000);
    QVERIFY(h.c().autoClock->isChecked());
    QVERIFY(h.c().pcShowsUtc->isVisible());

    h.now = At(10, 15, 0);
    h.window->onClockTick();
    QCOMPARE(h.c().time->text(), QStringLiteral("1015"));
    QCOMPARE(h.window->clockTimer()->interval(), 60000);
    QCOMPARE(h.prompts.records.size(), size_t(1));
    QCOMPARE(h.prompts.records[0].title, std::string("Consiglio"));
    QCOMPARE(
        h.prompts.records[0].text,
        std::string(
            "Al primo quarto d'ora\nsi consiglia di operare sulla banda dei 15 metri\nper almeno 5 minuti!"));

    // Switching the automatic clock off stops the timer and hides "pc mostra utc".
    QTest::mouseClick(h.c().autoClock, Qt::LeftButton, {}, QPoint(5, h.c().autoClock->height() / 2));
    QVERIFY(!h.c().autoClock->isChecked());
    QVERIFY(!h.window->clockTimer()->isActive());
    QVERIFY(!h.c().pcShowsUtc->isVisible());
    QCOMPARE(QApplication::focusWidget(), h.c().date);
}

void TestMainWindow::logColumnsAndWidths() {
    const std::vector<int> expected = {42, 96, 42, 36, 42, 114, 42, 42, 42, 108};
    QCOMPARE(CTarnexDlg::ColumnWidthsFor(LogMode::Qso, 622), expected);

    Harness h(QsoJournal(5));
    QTableView* list = h.window->logList();
    QHeaderView* header = list->horizontalHeader();
    QCOMPARE(header->count(), 10);
    const char* headings[] = {"Qso",        "Data", "Utc",  "MHz",  "Modo",
                              "Nominativo", "RstT", "RstR", "Sez.", "Nome"};
    const std::vector<int> widths =
        CTarnexDlg::ColumnWidthsFor(LogMode::Qso, list->width() - 2 * list->frameWidth());
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(list->model()->headerData(i, Qt::Horizontal).toString(), QString::fromLatin1(headings[i]));
        QCOMPARE(header->sectionSize(i), widths[static_cast<size_t>(i)]);
    }
    QCOMPARE(list->model()->data(list->model()->index(0, 0), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
             int(Qt::AlignRight));
    QCOMPARE(list->model()->data(list->model()->index(0, 1), Qt::TextAlignmentRole).toInt() & Qt::AlignLeft,
             int(Qt::AlignLeft));
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(h.c().previousList->model()->columnCount(), 6);
    QCOMPARE(h.c().previousList->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Giorno"));

    // Several rows can be selected; the list says which.
    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(list->model()->index(3, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(h.window->selectedLogRows(), (std::vector<size_t>{1, 3}));
}

void TestMainWindow::listeningCategoryOpensTheSecondRow() {
    Harness h(ListeningJournal(4), "SWL");
    QCOMPARE(h.window->logMode(), LogMode::Listening);
    QCOMPARE(h.window->logList()->horizontalHeader()->count(), 9);
    QCOMPARE(h.window->logList()->model()->headerData(5, Qt::Horizontal).toString(),
             QStringLiteral("Nomin. chiamante"));
    QCOMPARE(h.LogText(3, 0), QStringLiteral("    4"));
    QVERIFY(h.c().callsign2->isVisible());
    QVERIFY(h.c().section2->isVisible());
    QVERIFY(h.c().sectionName2->isVisible());
    QVERIFY(!h.c().rstReceivedLabel->isVisible());
    QCOMPARE(h.c().rstReceived->x(), h.c().rstSent->x());
    QCOMPARE(h.c().rstReceived->y(), h.c().callsign2->y());
    QCOMPARE(h.c().gridTitle0->text(), QStringLiteral("Sezione 1"));
    QCOMPARE(h.c().gridTitle1->text(), QStringLiteral("Sezione 2"));

    // Back to QSO mode: the log is emptied and the first row restored.
    h.window->setLogMode(LogMode::Qso);
    QCOMPARE(h.window->logList()->horizontalHeader()->count(), 10);
    QCOMPARE(h.window->logList()->model()->rowCount(), 0);
    QVERIFY(!h.c().callsign2->isVisible());
    QVERIFY(h.c().rstReceivedLabel->isVisible());
    QCOMPARE(h.c().rstReceived->y(), h.c().rstSent->y());
    QCOMPARE(h.c().gridTitle0->text(), QStringLiteral("Moltiplicatore"));
}

void TestMainWindow::menuHoldsEveryItem() {
    Harness h;
    QStringList menus;
    for (QAction* menu : h.window->findChild<QMenuBar*>()->actions()) {
        menus << menu->text();
    }
    QCOMPARE(menus, (QStringList{"File", "Log", "Qso", "Strumenti", "Aiuto"}));
    const std::pair<MenuCommand, const char*> items[] = {
        {MenuCommand::NewLog, "Nuovo log"},
        {MenuCommand::Open, "Apri"},
        {MenuCommand::Save, "Salva\tF5"},
        {MenuCommand::SaveAs, "Salva come..."},
        {MenuCommand::Print, "Stampa\tF2"},
        {MenuCommand::Exit, "Esci"},
        {MenuCommand::StationSummary, "Dati riassuntivi\tF4"},
        {MenuCommand::ShowScore, "Mostra punteggio\tF8"},
        {MenuCommand::SortByDateTime, "Riordina per data ed ora"},
        {MenuCommand::ClearInput, "Cancella campi input\tF9"},
        {MenuCommand::ExportCabrillo, "Esporta -> Cabrillo"},
        {MenuCommand::ExportFastlog, "Esporta -> Testo per Fastlog"},
        {MenuCommand::ExportAdif, "Esporta -> ADIF"},
        {MenuCommand::EditEntries, "Modifica"},
        {MenuCommand::DeleteEntries, "Elimina"},
        {MenuCommand::Options, "Opzioni"},
        {MenuCommand::SectionsList, "Elenco Sezioni Ari"},
        {MenuCommand::ImportSections, "Importa elenco Sezioni da file di testo"},
        {MenuCommand::About, "Info"},
        {MenuCommand::Instructions, "Istruzioni\tF1"},
    };
    for (const auto& [command, text] : items) {
        QAction* action = h.window->action(command);
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), QString::fromLatin1(text));
        QVERIFY(action->isEnabled());
    }
    QCOMPARE(h.window->qsoMenu()->actions().size(), 2);

    // The keys reach their items (whatever the items were connected to is left out).
    int printed = 0;
    int saved = 0;
    for (MenuCommand command : {MenuCommand::Print, MenuCommand::Save}) {
        QObject::disconnect(h.window->action(command), &QAction::triggered, nullptr, nullptr);
    }
    QObject::connect(h.window->action(MenuCommand::Print), &QAction::triggered, [&] { ++printed; });
    QObject::connect(h.window->action(MenuCommand::Save), &QAction::triggered, [&] { ++saved; });
    h.Key(Qt::Key_F2);
    h.Key(Qt::Key_F5);
    QCOMPARE(printed, 1);
    QCOMPARE(saved, 1);
}

void TestMainWindow::windowIsFixedAndEscapeCloses() {
    Harness h;
    QCOMPARE(h.window->minimumSize(), h.window->maximumSize());
    QVERIFY(!(h.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(h.window->windowTitle(), QStringLiteral("TARNEX - Contest delle Sezioni ARI"));
    QVERIFY(!h.window->windowIcon().isNull());
    h.Key(Qt::Key_Escape);
    QVERIFY(!h.window->isVisible());
}

void TestMainWindow::gridCellsAndMultiplierPicture() {
    Harness h(QsoJournal(4));  // 1234 on 7 CW (row 0) and 7 SSB (row 2); 5678 on 14
    h.c().section->setFocus();
    QTest::keyClicks(h.c().section, QStringLiteral("1234"));
    QVERIFY(h.c().cells[GridCell(0, 0, 2)]->IsOn());
    QVERIFY(h.c().cells[GridCell(0, 1, 2)]->IsOn());
    QVERIFY(!h.c().cells[GridCell(0, 0, 3)]->IsOn());
    QVERIFY(!h.c().newMultiplier->isVisible());  // 1234 already worked on 7 CW
    QTest::keyClick(h.c().section, Qt::Key_Backspace);
    QVERIFY(!h.c().cells[GridCell(0, 0, 2)]->IsOn());
    // Red when worked, white when not.
    const QImage off = h.c().cells[0]->grab().toImage();
    h.c().section->setText(QString());
    QTest::keyClicks(h.c().section, QStringLiteral("1234"));
    const QImage lit = h.c().cells[GridCell(0, 1, 2)]->grab().toImage();
    QCOMPARE(lit.pixelColor(lit.width() / 2, lit.height() / 2), QColor(255, 0, 0));
    QCOMPARE(off.pixelColor(off.width() / 2, off.height() / 2), QColor(255, 255, 255));
}

void TestMainWindow::contextMenuOnlyWithASelection() {
    Harness h(QsoJournal(3));
    QTableView* list = h.window->logList();
    int popups = 0;
    auto rightClick = [&] {
        QTimer::singleShot(50, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                ++popups;
                QCOMPARE(popup, static_cast<QWidget*>(h.window->qsoMenu()));
                popup->close();
            }
        });
        emit list->customContextMenuRequested(QPoint(10, 10));
        QTest::qWait(100);
    };
    rightClick();
    QCOMPARE(popups, 0);
    list->selectRow(1);
    rightClick();
    QCOMPARE(popups, 1);
}

void TestMainWindow::screenshots() {
    const QByteArray folder = qgetenv("TARNEX_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        QSKIP("TARNEX_SCREENSHOT_DIR not set");
    }
    {
        Harness h(QsoJournal(40));
        QTest::keyClicks(h.c().callsign, QStringLiteral("IZ3ABD"));
        h.c().rstSent->setFocus();
        QTest::qWait(50);
        QVERIFY(h.window->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/main_qso.png")));
        h.c().callsign->setFocus();
        QTest::keyClick(h.c().callsign, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(h.c().callsign, QStringLiteral("IZ1ABB"));  // worked on 14 SSB: a duplicate
        h.c().band->setCurrentIndex(3);
        QVERIFY(h.c().duplicate->isVisible());
        QVERIFY(h.window->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/main_dup.png")));
    }
    {
        Harness h(ListeningJournal(12), "SWL");
        h.c().band->setCurrentIndex(3);  // 14: nobody heard there yet
        h.c().callsign->setFocus();
        QTest::keyClicks(h.c().callsign, QStringLiteral("IZ5AAA"));
        h.Key(Qt::Key_Return);  // section 1 comes from the earlier entry
        h.Key(Qt::Key_Return);  // on to callsign 2
        QTest::keyClicks(h.c().callsign2, QStringLiteral("IZ7BBB"));
        h.Key(Qt::Key_Tab);
        QTest::qWait(50);
        QVERIFY(h.window->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/main_swl.png")));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
