// The sections dialog and its edit dialog, driven as the person would.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <deque>

#include "ScriptedPrompts.h"
#include "log/WorkedSections.h"
#include "sections/SectionTable.h"
#include "ui/CSectionEditDlg.h"
#include "ui/CSectionsDlg.h"

using namespace tarnex;
using tarnex::testing::PromptRecord;
using tarnex::testing::ScriptedPrompts;
using Command = CSectionsDlg::Command;

namespace {

// Answers the edit dialog from a script and records what it was given.
struct ScriptedEdits {
    struct Answer {
        bool save;
        std::string code;
        std::string name;
    };
    std::deque<Answer> answers;
    std::vector<SectionRow> offered;
    std::vector<bool> addModes;
    CSectionsDlg::EditRunner Fn() {
        return [this](std::string& code, std::string& name, bool addMode, QWidget*) {
            offered.push_back({code, name});
            addModes.push_back(addMode);
            if (answers.empty()) {
                return false;
            }
            Answer answer = answers.front();
            answers.pop_front();
            if (answer.save) {
                code = answer.code;
                name = answer.name;
            }
            return answer.save;
        };
    }
};

struct Fixture {
    explicit Fixture(std::vector<std::pair<int32_t, std::string>> sections = {}) {
        for (auto& [code, name] : sections) {
            table.SetName(code, name);
        }
    }
    std::unique_ptr<CSectionsDlg> Open() {
        return std::make_unique<CSectionsDlg>(table, worked, prompts, nullptr, edits.Fn());
    }
    SectionTable table;
    WorkedSections worked;
    ScriptedPrompts prompts;
    ScriptedEdits edits;
};

std::vector<SectionRow> Rows(std::initializer_list<std::pair<const char*, const char*>> rows) {
    std::vector<SectionRow> result;
    for (auto& [code, name] : rows) {
        result.push_back({code, name});
    }
    return result;
}

void Select(CSectionsDlg& dialog, std::initializer_list<int> rows) {
    dialog.List()->clearSelection();
    for (int row : rows) {
        dialog.List()->selectionModel()->select(dialog.List()->model()->index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

// Types text as the keyboard would, letters beyond ASCII included.
void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

QString Shown(CSectionsDlg& dialog, int row, int column) {
    return dialog.List()->model()->index(row, column).data().toString();
}

}  // namespace

class TestSectionsDialog : public QObject {
    Q_OBJECT
  private slots:
    void opensWithTheTableInCodeOrder();
    void menuAndContextMenuHoldTheCommandsInOrder();
    void emptyTableSavesEmpty();
    void columnWidthsFollowTheWorkedBandsBox();
    void workedBandsText_data();
    void workedBandsText();
    void workedBandsColumnIsASnapshot();
    void sorts_data();
    void sorts();
    void headerClicksSortAndDropTheBandsColumn_data();
    void headerClicksSortAndDropTheBandsColumn();
    void editsEverySelectedRowTopFirst();
    void addAppendsAtTheEndAndDeleteRemovesSelected();
    void nothingSelectedMeansNothingHappens();
    void duplicateCodeBlocksCancelUntilASaveSucceeds();
    void enterSaves();
    void editDialogChecks_data();
    void editDialogChecks();
    void editDialogFieldsTakeOnlyWhatFits();
    void doubleClickRunsTheRealEditDialog();
};

void TestSectionsDialog::opensWithTheTableInCodeOrder() {
    Fixture f({{130, "BETA"}, {1, "ALFA"}, {0, "X"}, {9999, "ULTIMA"}});
    auto dialog = f.Open();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Elenco Sezioni ARI"));
    QCOMPARE(dialog->Rows(), Rows({{"0000", "X"}, {"0001", "ALFA"}, {"0130", "BETA"}, {"9999", "ULTIMA"}}));
    QCOMPARE(dialog->List()->model()->columnCount(), 2);
    QCOMPARE(dialog->List()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Codice"));
    QCOMPARE(dialog->List()->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Nome Sezione"));
    QCOMPARE(Shown(*dialog, 2, 0), QStringLiteral("0130"));
    QVERIFY(!dialog->WorkedBandsBox()->isChecked());
    QCOMPARE(dialog->WorkedBandsBox()->text(), QStringLiteral("Mostra bande/modi lavorati"));
    QCOMPARE(dialog->List()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(dialog->SaveButton()->isDefault());
    QCOMPARE(dialog->CancelButton()->text(), QStringLiteral("Annulla"));
}

void TestSectionsDialog::menuAndContextMenuHoldTheCommandsInOrder() {
    Fixture f;
    auto dialog = f.Open();
    QMenuBar* bar = dialog->findChild<QMenuBar*>();
    QVERIFY(bar != nullptr);
    QCOMPARE(bar->actions().size(), 1);
    QCOMPARE(bar->actions()[0]->text(), QStringLiteral("Sezione"));
    QStringList texts;
    for (QAction* action : bar->actions()[0]->menu()->actions()) {
        texts << action->text();
    }
    const QStringList expected = {QStringLiteral("Modifica una o pi\u00f9 sezioni"),
                                  QStringLiteral("Aggiungi una sezione"),
                                  QStringLiteral("Elimina una o pi\u00f9 sezioni"),
                                  QStringLiteral("Ordina per codice"),
                                  QStringLiteral("Ordina per nome"),
                                  QStringLiteral("Salva"),
                                  QStringLiteral("Annulla")};
    QCOMPARE(texts, expected);
    QStringList context;
    for (QAction* action : dialog->ContextMenu()->actions()) {
        context << action->text();
    }
    QCOMPARE(context, expected.mid(0, 5));
}

void TestSectionsDialog::emptyTableSavesEmpty() {
    Fixture f;
    auto dialog = f.Open();
    QCOMPARE(dialog->List()->model()->rowCount(), 0);
    f.table.SetName(5, "INTRUSA");  // whatever the table holds, Salva replaces it
    dialog->Save();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.table.KnownCount(), size_t{0});
}

void TestSectionsDialog::columnWidthsFollowTheWorkedBandsBox() {
    Fixture f({{1, "ALFA"}});
    auto dialog = f.Open();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QHeaderView* header = dialog->List()->horizontalHeader();
    const int w = dialog->List()->viewport()->width() - 20;
    QCOMPARE(header->sectionSize(0), w * 16 / 100);
    QCOMPARE(header->sectionSize(1), w * 84 / 100);
    QTest::mouseClick(dialog->WorkedBandsBox(), Qt::LeftButton);
    QVERIFY(dialog->WorkedBandsBox()->isChecked());
    QCOMPARE(dialog->List()->model()->columnCount(), 3);
    QCOMPARE(dialog->List()->model()->headerData(2, Qt::Horizontal).toString(),
             QStringLiteral("Bande lavorate ssb/cw/rtty"));
    QCOMPARE(header->sectionSize(1), w * 42 / 100);
    QCOMPARE(header->sectionSize(2), w * 42 / 100);
    QTest::mouseClick(dialog->WorkedBandsBox(), Qt::LeftButton);
    QCOMPARE(dialog->List()->model()->columnCount(), 2);
    QCOMPARE(header->sectionSize(1), w * 84 / 100);
}

void TestSectionsDialog::workedBandsText_data() {
    QTest::addColumn<int>("ssb");
    QTest::addColumn<int>("cw");
    QTest::addColumn<int>("rtty");
    QTest::addColumn<QString>("text");
    QTest::newRow("never worked") << 0 << 0 << 0 << "------ ------ ------";
    QTest::newRow("7 SSB, 14 CW") << 0x04 << 0x08 << 0 << "--X--- ---X-- ------";
    QTest::newRow("1,8 and 28 RTTY") << 0 << 0 << 0x21 << "------ ------ X----X";
    QTest::newRow("everything") << 0x3F << 0x3F << 0x3F << "XXXXXX XXXXXX XXXXXX";
}

void TestSectionsDialog::workedBandsText() {
    QFETCH(int, ssb);
    QFETCH(int, cw);
    QFETCH(int, rtty);
    QFETCH(QString, text);
    Fixture f({{1, "ALFA"}, {4321, "BETA"}});
    const int modes[3] = {ssb, cw, rtty};
    for (int mode = 0; mode < 3; ++mode) {
        for (int band = 0; band < 6; ++band) {
            if (modes[mode] & (1 << band)) {
                f.worked.Mark(4321, mode, static_cast<uint8_t>(1 << band));
            }
        }
    }
    f.worked.Mark(1, 0, 0x3F);  // another section's marks stay in its own row
    auto dialog = f.Open();
    dialog->WorkedBandsBox()->setChecked(true);
    QCOMPARE(Shown(*dialog, 1, 2), text);
    QCOMPARE(Shown(*dialog, 0, 2), QStringLiteral("XXXXXX ------ ------"));
}

void TestSectionsDialog::workedBandsColumnIsASnapshot() {
    Fixture f({{1, "ALFA"}, {2, "BETA"}});
    f.worked.Mark(2, 1, 0x01);
    f.edits.answers = {{true, "0002", "BETA NUOVA"}, {true, "0003", "GAMMA"}};
    auto dialog = f.Open();
    dialog->WorkedBandsBox()->setChecked(true);
    Select(*dialog, {1});
    dialog->EditSelected();
    dialog->AddSection();
    QCOMPARE(Shown(*dialog, 1, 1), QStringLiteral("BETA NUOVA"));
    QCOMPARE(Shown(*dialog, 1, 2), QStringLiteral("------ X----- ------"));  // unchanged by the edit
    QCOMPARE(Shown(*dialog, 2, 2), QString());                               // a new row has no text
    Select(*dialog, {0});
    dialog->DeleteSelected();
    QCOMPARE(Shown(*dialog, 0, 2), QStringLiteral("------ X----- ------"));  // follows its row
}

void TestSectionsDialog::sorts_data() {
    QTest::addColumn<bool>("byName");
    QTest::addColumn<std::vector<SectionRow>>("added");
    QTest::addColumn<std::vector<SectionRow>>("sorted");
    QTest::newRow("by name") << true << Rows({{"0003", "BETA"}, {"0001", "ALFA"}, {"0002", "ALFA2"}})
                             << Rows({{"0001", "ALFA"}, {"0002", "ALFA2"}, {"0003", "BETA"}});
    QTest::newRow("by code") << false << Rows({{"0300", "A"}, {"0030", "B"}, {"3000", "C"}, {"0003", "D"}})
                             << Rows({{"0003", "D"}, {"0030", "B"}, {"0300", "A"}, {"3000", "C"}});
    QTest::newRow("bytes above 127 after letters")
        << true << Rows({{"0001", "\xC8ZIO"}, {"0002", "ZETA"}, {"0003", "AB"}})
        << Rows({{"0003", "AB"}, {"0002", "ZETA"}, {"0001", "\xC8ZIO"}});
    QTest::newRow("one row") << true << Rows({{"0001", "SOLA"}}) << Rows({{"0001", "SOLA"}});
}

void TestSectionsDialog::sorts() {
    QFETCH(bool, byName);
    QFETCH(std::vector<SectionRow>, added);
    QFETCH(std::vector<SectionRow>, sorted);
    Fixture f;
    for (const SectionRow& row : added) {
        f.edits.answers.push_back({true, row.code, row.name});
    }
    auto dialog = f.Open();
    for (size_t i = 0; i < added.size(); ++i) {
        dialog->AddSection();
    }
    QCOMPARE(dialog->Rows(), added);
    dialog->action(byName ? Command::SortByName : Command::SortByCode)->trigger();
    QCOMPARE(dialog->Rows(), sorted);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestSectionsDialog::headerClicksSortAndDropTheBandsColumn_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("first");
    QTest::newRow("code header") << 0 << "0001";
    QTest::newRow("name header") << 1 << "0009";
    QTest::newRow("bands header") << 2 << "0009";
}

void TestSectionsDialog::headerClicksSortAndDropTheBandsColumn() {
    QFETCH(int, column);
    QFETCH(QString, first);
    Fixture f({{1, "ZULU"}, {9, "ALFA"}, {5, "MIKE"}});
    auto dialog = f.Open();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->WorkedBandsBox()->setChecked(true);
    dialog->SortByName();  // some order that is not by code
    dialog->WorkedBandsBox()->setChecked(true);
    QHeaderView* header = dialog->List()->horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    QCOMPARE(Shown(*dialog, 0, 0), first);
    QVERIFY(!dialog->WorkedBandsBox()->isChecked());
    QCOMPARE(dialog->List()->model()->columnCount(), 2);
    QCOMPARE(header->sectionSize(1), (dialog->List()->viewport()->width() - 20) * 84 / 100);
}

void TestSectionsDialog::editsEverySelectedRowTopFirst() {
    Fixture f({{1, "ALFA"}, {2, "BETA"}, {3, "GAMMA"}, {4, "DELTA"}});
    f.edits.answers = {{true, "0011", "ALFA UNO"}, {false, "", ""}, {true, "0044", "DELTA QUATTRO"}};
    auto dialog = f.Open();
    Select(*dialog, {3, 0, 1});
    dialog->action(Command::Edit)->trigger();
    QCOMPARE(f.edits.offered, Rows({{"0001", "ALFA"}, {"0002", "BETA"}, {"0004", "DELTA"}}));
    QCOMPARE(f.edits.addModes, std::vector<bool>({false, false, false}));
    QCOMPARE(dialog->Rows(),
             Rows({{"0011", "ALFA UNO"}, {"0002", "BETA"}, {"0003", "GAMMA"}, {"0044", "DELTA QUATTRO"}}));
    // The table changes only with Salva.
    QCOMPARE(f.table.NameOf(1), std::string("ALFA"));
    QVERIFY(!f.table.IsKnown(11));
}

void TestSectionsDialog::addAppendsAtTheEndAndDeleteRemovesSelected() {
    Fixture f({{5, "E"}, {1, "A"}, {3, "C"}});
    f.edits.answers = {{true, "0002", "BB"}};
    auto dialog = f.Open();
    dialog->action(Command::Add)->trigger();
    QCOMPARE(f.edits.addModes, std::vector<bool>({true}));
    QCOMPARE(f.edits.offered, Rows({{"", ""}}));
    QCOMPARE(dialog->Rows(), Rows({{"0001", "A"}, {"0003", "C"}, {"0005", "E"}, {"0002", "BB"}}));
    Select(*dialog, {0, 2, 3});
    dialog->action(Command::Delete)->trigger();
    QCOMPARE(dialog->Rows(), Rows({{"0003", "C"}}));
    QVERIFY(f.prompts.records.empty());  // no question before deleting
    dialog->Save();
    QCOMPARE(f.table.KnownCount(), size_t{1});
    QCOMPARE(f.table.NameOf(3), std::string("C"));
}

void TestSectionsDialog::nothingSelectedMeansNothingHappens() {
    Fixture f({{1, "ALFA"}, {2, "BETA"}});
    auto dialog = f.Open();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->List()->clearSelection();
    dialog->EditSelected();
    dialog->DeleteSelected();
    QVERIFY(f.edits.offered.empty());
    QCOMPARE(dialog->Rows().size(), size_t{2});
    QVERIFY(!dialog->ShowContextMenu(dialog->mapToGlobal(QPoint(5, 5))));
    QVERIFY(!dialog->ContextMenu()->isVisible());
    Select(*dialog, {1});
    QVERIFY(dialog->ShowContextMenu(dialog->mapToGlobal(QPoint(5, 5))));
    QVERIFY(dialog->ContextMenu()->isVisible());
    dialog->ContextMenu()->hide();
}

void TestSectionsDialog::duplicateCodeBlocksCancelUntilASaveSucceeds() {
    Fixture f({{1, "ALFA"}, {2, "BETA"}, {3, "GAMMA"}});
    f.edits.answers = {{true, "0002", "NUOVA"}, {true, "0004", "NUOVA"}};
    auto dialog = f.Open();
    dialog->show();
    dialog->AddSection();  // same code as BETA: the edit dialog takes it
    dialog->SortByCode();  // stable: BETA stays above the new row
    dialog->Save();
    QVERIFY(dialog->isVisible());
    const auto boxes = f.prompts.Boxes();
    QCOMPARE(boxes.size(), size_t{1});
    QCOMPARE(boxes[0].text,
             std::string("ATTENZIONE!\n\nLe sezioni di BETA\ne di NUOVA\nhanno lo stesso codice: "
                         "0002\n\nModifica i codici!"));
    QCOMPARE(boxes[0].title, std::string("Errore"));
    QCOMPARE(boxes[0].icon, MessageIcon::Stop);
    // The table holds the rows above the duplicate only.
    QCOMPARE(f.table.KnownCount(), size_t{2});
    QVERIFY(!f.table.IsKnown(3));

    // Annulla is gone in every form.
    QVERIFY(!dialog->CancelAvailable());
    QVERIFY(!dialog->CancelButton()->isEnabled());
    QVERIFY(!dialog->action(Command::Cancel)->isEnabled());
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QVERIFY(dialog->isVisible());
    dialog->close();
    QVERIFY(dialog->isVisible());
    dialog->reject();
    QVERIFY(dialog->isVisible());

    // Correct the code and save again: the whole table is rebuilt.
    Select(*dialog, {2});
    dialog->EditSelected();
    dialog->Save();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.table.KnownCount(), size_t{4});
    QCOMPARE(f.table.NameOf(3), std::string("GAMMA"));
    QCOMPARE(f.table.NameOf(4), std::string("NUOVA"));
    QCOMPARE(f.prompts.Boxes().size(), size_t{1});
}

void TestSectionsDialog::enterSaves() {
    Fixture f({{7, "SETTE"}});
    auto dialog = f.Open();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    f.table.Clear();
    QTest::keyClick(dialog->List(), Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.table.NameOf(7), std::string("SETTE"));
}

void TestSectionsDialog::editDialogChecks_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");  // empty: accepted
    QTest::addColumn<QString>("title");
    const QString format =
        QStringLiteral("Il codice ha un formato errato!\n\nI codici sono numeri di 4 cifre");
    const QString noName = QStringLiteral("Devi specificare il nome della sezione!\n");
    QTest::newRow("0000 accepted") << "0000"
                                   << "ZERO" << QString() << QString();
    QTest::newRow("three digits") << "123"
                                  << "ALFA" << format << "Errore";
    QTest::newRow("empty code") << ""
                                << "ALFA" << format << "Errore";
    QTest::newRow("letter in code") << "12A4"
                                    << "ALFA" << format << "Errore";
    QTest::newRow("space in code") << "12 4"
                                   << "ALFA" << format << "Errore";
    QTest::newRow("one letter") << "1234"
                                << "A" << noName << "Errore";
    QTest::newRow("two letters") << "1234"
                                 << "AB" << QString() << QString();
    QTest::newRow("code checked first") << "12"
                                        << "" << format << "Errore";
    QTest::newRow("25 characters") << "1234" << QString(25, QLatin1Char('N')) << QString() << QString();
    QTest::newRow("26 characters") << "1234" << QString(26, QLatin1Char('N'))
                                   << QStringLiteral("Non digitare pi\u00f9 di 25 caratteri.") << "Tarnex";
}

void TestSectionsDialog::editDialogChecks() {
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, title);
    ScriptedPrompts prompts;
    CSectionEditDlg dialog(prompts);
    dialog.SetValues(code.toStdString(), name.toStdString(), false);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Modifica dati di una Sezione"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.CodeField()->setFocus();
    QTest::keyClick(dialog.CodeField(), Qt::Key_Return);  // Salva is the default button
    if (message.isEmpty()) {
        QVERIFY(prompts.records.empty());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(dialog.Name()), name);
        return;
    }
    QVERIFY(dialog.isVisible());
    QCOMPARE(prompts.records.size(), size_t{1});
    QCOMPARE(QString::fromLatin1(prompts.records[0].text.c_str()), message);  // Windows-1252 bytes
    QCOMPARE(QString::fromStdString(prompts.records[0].title), title);
    QCOMPARE(prompts.records[0].icon, title == "Errore" ? MessageIcon::Stop : MessageIcon::Exclamation);
    if (title == "Tarnex") {
        QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.NameField()));
    }
}

void TestSectionsDialog::editDialogFieldsTakeOnlyWhatFits() {
    ScriptedPrompts prompts;
    CSectionEditDlg dialog(prompts);
    dialog.SetValues("", "", true);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Aggiunta di una nuova Sezione Ari"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(dialog.CodeField(), QStringLiteral("1a2-3 456"));
    QCOMPARE(dialog.CodeField()->text(), QStringLiteral("1234"));
    Type(dialog.NameField(), QStringLiteral("citt\u00e0 di prova, lunga assai"));
    QCOMPARE(dialog.NameField()->text(), QStringLiteral("CITT\u00c0 DI PROVA, LUNGA ASS"));
    QCOMPARE(dialog.Name(), std::string("CITT\xC0 DI PROVA, LUNGA ASS"));

    // A longer name from the file stays whole: it can be shortened, not lengthened.
    const std::string longName(30, 'L');
    dialog.SetValues("0001", longName, false);
    QCOMPARE(dialog.Name(), longName);
    dialog.NameField()->end(false);
    QTest::keyClicks(dialog.NameField(), QStringLiteral("X"));
    QCOMPARE(dialog.Name(), longName);
    QTest::keyClick(dialog.NameField(), Qt::Key_Backspace);
    QCOMPARE(dialog.Name(), std::string(29, 'L'));
}

void TestSectionsDialog::doubleClickRunsTheRealEditDialog() {
    SectionTable table;
    table.SetName(1, "ALFA");
    table.SetName(2, "BETA");
    WorkedSections worked;
    ScriptedPrompts prompts;
    CSectionsDlg dialog(table, worked, prompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QString seenTitle, seenCode, seenName;
    QTimer::singleShot(0, this, [&] {
        auto* edit = qobject_cast<CSectionEditDlg*>(QApplication::activeModalWidget());
        if (edit == nullptr) {
            return;
        }
        seenTitle = edit->windowTitle();
        seenCode = edit->CodeField()->text();
        seenName = edit->NameField()->text();
        edit->NameField()->clear();
        QTest::keyClicks(edit->NameField(), QStringLiteral("beta bis"));
        QTest::keyClick(edit->NameField(), Qt::Key_Return);
    });
    QTableView* list = dialog.List();
    const QRect cell = list->visualRect(list->model()->index(1, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(seenTitle, QStringLiteral("Modifica dati di una Sezione"));
    QCOMPARE(seenCode, QStringLiteral("0002"));
    QCOMPARE(seenName, QStringLiteral("BETA"));
    QCOMPARE(dialog.Rows()[1], (SectionRow{"0002", "BETA BIS"}));
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TestSectionsDialog)
#include "tst_sections_dialog.moc"
