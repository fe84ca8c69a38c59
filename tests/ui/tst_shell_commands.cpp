// The "Strumenti" and "Aiuto" commands of the real main window open their windows
// over the log session.

#include <QCheckBox>
#include <QPushButton>
#include <QTableView>

#include "MainWindowHarness.h"
#include "ui/CAboutDlg.h"
#include "ui/CInstructionsDlg.h"
#include "ui/COptionsDlg.h"
#include "ui/CSectionsDlg.h"
#include "util/FileIo.h"

using namespace tarnex;
using namespace tarnex::testing;

class TestShellCommands : public QObject {
    Q_OBJECT
  private slots:
    void optionsChangeTheSessionsSettings();
    void sectionsListShowsTheLogsWorkedBandsAndSavesTheFile();
    void importAsksFirst();
    void aboutAndInstructions();
    void helpKeyInEveryWindow();
};

void TestShellCommands::optionsChangeTheSessionsSettings() {
    MainWindowHarness h;
    QVERIFY(h.settings.tips);
    WhenModal<COptionsDlg>([](COptionsDlg* dialog) {
        dialog->TipsBox()->setChecked(false);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    h.Trigger(MenuCommand::Options);
    QVERIFY(!h.settings.tips);  // the entry form reads this same value
    QCOMPARE(h.store.ReadInt("Parametri", "Consigli", -1), 0);
}

void TestShellCommands::sectionsListShowsTheLogsWorkedBandsAndSavesTheFile() {
    MainWindowHarness h;
    h.Log().Worked().Mark(1234, 0, 0x04);  // MILANO on 7 MHz SSB
    std::vector<SectionRow> rows;
    QString bands;
    WhenModal<CSectionsDlg>([&](CSectionsDlg* dialog) {
        rows = dialog->Rows();
        dialog->WorkedBandsBox()->setChecked(true);
        bands = dialog->List()->model()->index(1, 2).data().toString();
        QTest::mouseClick(dialog->SaveButton(), Qt::LeftButton);
    });
    h.Trigger(MenuCommand::SectionsList);
    QCOMPARE(rows.size(), size_t{3});
    QCOMPARE(rows[1], (SectionRow{"1234", "MILANO"}));
    QCOMPARE(bands, QStringLiteral("--X--- ------ ------"));
    QCOMPARE(ReadFileBytes(h.folder + "/_sez.cod").value_or(""),
             std::string("0130 BARI\r\n1234 MILANO\r\n5678 ROMA\r\n"));
}

void TestShellCommands::importAsksFirst() {
    MainWindowHarness h;
    h.prompts.yesNoAnswers = {false};
    h.Trigger(MenuCommand::ImportSections);
    QCOMPARE(h.prompts.records.size(), size_t{1});
    QCOMPARE(h.prompts.records[0].kind, PromptRecord::Question);
    QCOMPARE(h.prompts.records[0].title, std::string("Informazione"));
    QCOMPARE(h.prompts.records[0].icon, MessageIcon::Information);
}

void TestShellCommands::aboutAndInstructions() {
    MainWindowHarness h;
    QWidget* instructionsParent = nullptr;
    WhenModal<CInstructionsDlg>([&](CInstructionsDlg* dialog) {
        instructionsParent = dialog->parentWidget();
        dialog->accept();
    });
    h.Trigger(MenuCommand::Instructions);
    QCOMPARE(instructionsParent, static_cast<QWidget*>(h.window.get()));

    CAboutDlg* about = nullptr;
    WhenModal<CAboutDlg>([&](CAboutDlg* dialog) {
        about = dialog;
        WhenModal<CInstructionsDlg>([&](CInstructionsDlg* instructions) {
            instructionsParent = instructions->parentWidget();
            instructions->accept();
            dialog->accept();
        });
        dialog->InstructionsButton()->click();
    });
    h.Trigger(MenuCommand::About);
    QVERIFY(about != nullptr);
    QCOMPARE(instructionsParent, static_cast<QWidget*>(about));
}

void TestShellCommands::helpKeyInEveryWindow() {
    MainWindowHarness h;
    QWidget* over = nullptr;
    const auto expectInstructions = [&over] {
        WhenModal<CInstructionsDlg>([&over](CInstructionsDlg* dialog) {
            over = dialog->parentWidget();
            dialog->accept();
        });
    };
    expectInstructions();
    QTest::keyClick(h.window->windowHandle(), Qt::Key_F1);
    QCOMPARE(over, static_cast<QWidget*>(h.window.get()));

    // In a modal dialog, which blocks the main window: the instructions open over the
    // dialog, and closing them returns to it.
    const std::pair<MenuCommand, const char*> dialogs[] = {
        {MenuCommand::Options, "tarnex::COptionsDlg"},
        {MenuCommand::StationSummary, "tarnex::CStationSummaryDlg"},
        {MenuCommand::SectionsList, "tarnex::CSectionsDlg"},
        {MenuCommand::About, "tarnex::CAboutDlg"},
    };
    for (const auto& [command, dialogClass] : dialogs) {
        over = nullptr;
        QWidget* shown = nullptr;
        QString shownClass;
        bool stillOpen = false;
        WhenModal<QDialog>([&](QDialog* dialog) {
            shown = dialog;
            shownClass = QString::fromLatin1(dialog->metaObject()->className());
            expectInstructions();
            QTest::keyClick(dialog->windowHandle(), Qt::Key_F1);
            stillOpen = dialog->isVisible() && QApplication::activeModalWidget() == dialog;
            dialog->reject();
        });
        h.Trigger(command);
        QCOMPARE(shownClass, QString::fromLatin1(dialogClass));
        QVERIFY2(over != nullptr && over == shown, dialogClass);
        QVERIFY2(stillOpen, dialogClass);
    }
}

QTEST_MAIN(TestShellCommands)
#include "tst_shell_commands.moc"
