// "Mostra punteggio": the messages for entries left out, the stored score and the
// score window "Punteggio" with its report, font and focus.

#include <QApplication>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FileOutputFixture.h"
#include "score/ScoreReport.h"
#include "ui/CScoreDlg.h"
#include "ui/ScoreController.h"

using namespace tarnex;
using tarnex::testing::FileOutputFixture;
using tarnex::testing::PromptRecord;

namespace {

QsoRecord Contact(const char* band, const char* mode, const char* section) {
    return {"12.03.2005", "1423", band, mode, "IK2AAA", "599", "579", section, ""};
}

// What the score window showed.
struct Shown {
    QString title;
    QString text;
    bool fixedPitch = false;
    int windows = 0;
};

void CaptureDialog(FileOutputFixture& f, Shown& shown) {
    f.controllers.score->SetDialogRunner([&shown](CScoreDlg& dialog) {
        ++shown.windows;
        shown.title = dialog.windowTitle();
        shown.text = dialog.ReportBox()->toPlainText();
        // Every character the report uses takes the same width, whichever font the
        // machine has for fixed pitch.
        const QFontMetrics metrics(dialog.ReportBox()->font());
        shown.fixedPitch = true;
        for (QChar c : QStringLiteral(" .0123456789:ABCIMQSW-il|")) {
            shown.fixedPitch =
                shown.fixedPitch && metrics.horizontalAdvance(c) == metrics.horizontalAdvance('W');
        }
    });
}

// The report as the text box holds it (line feeds for CR LF).
QString Displayed(const ScoreTable& table, LogMode mode) {
    return QString::fromLatin1(BuildScoreReport(table, mode))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

ScoreTable TableOf(const std::vector<std::array<int64_t, 3>>& bands) {
    ScoreTable table;
    for (size_t row = 0; row < bands.size(); ++row) {
        table.cells[row] = bands[row];
    }
    table.FillTotals();
    return table;
}

}  // namespace

class TestScore : public QObject {
    Q_OBJECT
  private slots:
    void skippedEntriesAreToldThenTheScoreIsShownAndStored();
    void emptyLogShowsZeros();
    void listeningLogCountsHeardEntries();
    void reportTextIsWholeAndTheFocusStaysOffIt();
    void okClosesTheModalWindow();
};

void TestScore::skippedEntriesAreToldThenTheScoreIsShownAndStored() {
    FileOutputFixture f({FileOutputFixture::Number("Parametri", "Punteggio", 999)});
    f.AddQso(Contact("7", "SSB", "1201"));
    f.AddQso(Contact("7", "CW", "1201"));
    f.AddQso(Contact("14", "SSB", "1201"));
    f.AddQso(Contact("50", "SSB", "1201"));  // no contest band
    f.AddQso(Contact("21", "FM", "1201"));   // no contest mode
    Shown shown;
    CaptureDialog(f, shown);
    f.Trigger(MenuCommand::ShowScore);

    const std::vector<PromptRecord> boxes = f.prompts.Boxes();
    QCOMPARE(boxes.size(), size_t{2});
    QCOMPARE(boxes[0].text, std::string("Ignorato QSO n. 4 per BANDA errata."));
    QCOMPARE(boxes[1].text, std::string("Ignorato QSO n. 5 per MODO errato."));
    for (const PromptRecord& box : boxes) {
        QCOMPARE(box.title, std::string("Errore"));
        QCOMPARE(box.icon, MessageIcon::Stop);
    }
    // 40 m: 2 entries, 2 points, 2 multipliers; 20 m: 1, 3, 1; score 5 x 3.
    QCOMPARE(f.store.ReadInt("Parametri", "Punteggio", -1), 15);
    QCOMPARE(f.settings.score, 15);
    QCOMPARE(shown.windows, 1);
    QCOMPARE(shown.title, QStringLiteral("Punteggio"));
    QCOMPARE(shown.text, Displayed(TableOf({{0, 0, 0}, {0, 0, 0}, {2, 2, 2}, {1, 3, 1}}), LogMode::Qso));
    QVERIFY(shown.text.endsWith(QStringLiteral("   PUNTEGGIO TOTALE = 15\n")));
    QVERIFY(shown.fixedPitch);
    // Nothing of the log changed.
    QCOMPARE(f.session->Log().RowCount(), size_t{5});
}

void TestScore::emptyLogShowsZeros() {
    FileOutputFixture f({FileOutputFixture::Number("Parametri", "Punteggio", 999)});
    Shown shown;
    CaptureDialog(f, shown);
    f.Trigger(MenuCommand::ShowScore);
    QVERIFY(f.prompts.records.empty());
    QCOMPARE(f.store.ReadInt("Parametri", "Punteggio", -1), 0);
    QVERIFY(shown.text.contains(QStringLiteral("   TOT.         0        0       0   \n")));
    QVERIFY(shown.text.endsWith(QStringLiteral("PUNTEGGIO TOTALE = 0\n")));
}

void TestScore::listeningLogCountsHeardEntries() {
    FileOutputFixture f({FileOutputFixture::Text("Dati riassuntivi", "Categoria", "SWL")});
    QCOMPARE(f.session->Log().Mode(), LogMode::Listening);
    // Same calling section and mode on one band: one multiplier, whoever answered.
    f.AddListening({"12.03.2005", "1423", "21", "CW", "IK1AAA", "599", "1201", "IK2BBB"});
    f.AddListening({"12.03.2005", "1424", "21", "CW", "IK3CCC", "599", "1201", "IK4DDD"});
    Shown shown;
    CaptureDialog(f, shown);
    f.Trigger(MenuCommand::ShowScore);
    QVERIFY(shown.text.contains(QStringLiteral("   Banda    N.Hrd    Punti   Molt.   Tot. banda\n")));
    QVERIFY(shown.text.contains(QStringLiteral("    15m         2       10       1           10\n")));
    QCOMPARE(f.store.ReadInt("Parametri", "Punteggio", -1), 10);
}

void TestScore::reportTextIsWholeAndTheFocusStaysOffIt() {
    // Large values: the widest report the window must show without cutting.
    const ScoreTable table = TableOf(
        {{1000, 2000, 300}, {40, 80, 25}, {120, 120, 60}, {30, 90, 20}, {2, 10, 2}, {998808, 999999, 999}});
    CScoreDlg dialog(table, LogMode::Qso);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QPlainTextEdit* report = dialog.ReportBox();
    QCOMPARE(report->toPlainText(), Displayed(table, LogMode::Qso));
    QVERIFY(report->toPlainText().contains(QStringLiteral("1.000.000")));

    // Every line fits the box.
    const QFontMetrics metrics(report->font());
    const QStringList lines = report->toPlainText().split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        QVERIFY2(metrics.horizontalAdvance(line) <= report->viewport()->width(), qPrintable(line));
    }
    QVERIFY(lines.size() * metrics.lineSpacing() <= report->viewport()->height());

    QCOMPARE(QApplication::focusWidget(), dialog.OkButton());
    report->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), dialog.OkButton());
    QTest::keyClick(dialog.OkButton(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog.OkButton());
    // A click into the text selects nothing.
    QTest::mouseDClick(report->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
    QVERIFY(!report->textCursor().hasSelection());
    QVERIFY(dialog.OkButton()->isDefault());
}

void TestScore::okClosesTheModalWindow() {
    FileOutputFixture f;
    f.AddQso(Contact("28", "CW", "0101"));
    bool sawWindow = false;
    // Looks for the window while it runs modally, then presses Enter in it.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<CScoreDlg*>(widget);
            if (dialog != nullptr && dialog->isVisible()) {
                sawWindow = QApplication::activeModalWidget() == dialog;
                QTest::keyClick(dialog->OkButton(), Qt::Key_Return);
                if (dialog->isVisible()) {
                    dialog->reject();  // never leave the test hanging
                }
            }
        }
    });
    closer.start(20);
    f.Trigger(MenuCommand::ShowScore);  // returns once the window is closed
    QVERIFY(sawWindow);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(f.store.ReadInt("Parametri", "Punteggio", -1), 5);
}

QTEST_MAIN(TestScore)
#include "tst_score.moc"
