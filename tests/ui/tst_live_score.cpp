// The live score beside the log and the chart in the score window, through the real
// main window: contacts typed, edited, deleted and sorted with the window's commands,
// logs opened (random ones, with entries the score leaves out), New, the switch to
// listening mode in "Dati riassuntivi". The panel must always show what "Mostra
// punteggio" computes on the same log, be drawn once per change however many rows
// it brought, and never write the stored score.

#include <QBarSet>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedBarSeries>
#include <random>

#include "MainWindowHarness.h"
#include "charts/OperatingChartView.h"
#include "log/BandMode.h"
#include "log/EntryTime.h"
#include "score/LiveFigures.h"
#include "score/RateWindow.h"
#include "score/ScoreComputation.h"
#include "score/ScoreReport.h"
#include "ui/CQsoEditDlg.h"
#include "ui/CScoreDlg.h"
#include "ui/CStationSummaryDlg.h"
#include "ui/LiveScoreController.h"
#include "util/FileIo.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

constexpr int32_t kStoredScore = 4242;

StationSummary Station() {
    return StationSummary{"IZ2XYZ", "1234", "SINGLE-OP CW", "", "Ugo", "", "", "", "", "", ""};
}

// What the panel must show for a log, worked out from the score window's own
// computation: its totals, and the rates over the entries it did not leave out.
QStringList Expected(const ContestLog& log) {
    const ScoreResult score = ComputeScore(log);
    LiveFigures figures;
    figures.mode = log.Mode();
    figures.entries = score.table.At(ScoreTable::kTotalsRow, ScoreTable::Entries);
    figures.points = score.table.At(ScoreTable::kTotalsRow, ScoreTable::Points);
    figures.multipliers = score.table.At(ScoreTable::kTotalsRow, ScoreTable::Multipliers);
    figures.score = score.claimedScore;
    RateWindow rates;
    size_t skipped = 0;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        if (skipped < score.skippedRows.size() && score.skippedRows[skipped] == row) {
            ++skipped;
            continue;
        }
        if (auto minute = EntryMinute(log.Field(row, QsoCol::Date), log.Field(row, QsoCol::Time))) {
            rates.Add(*minute);
        }
    }
    figures.latest = rates.Latest();
    figures.lastHour = rates.InLastHour();
    figures.lastTenRate = rates.LastTenRate();
    QStringList lines;
    for (const LiveFigureText& text : FormatLiveFigures(figures)) {
        lines << QString::fromStdString(text.label + " = " + text.value);
    }
    return lines;
}

struct Harness : MainWindowHarness {
    explicit Harness(const std::string& journal = {}, const char* category = "SINGLE-OP CW")
        : MainWindowHarness(journal, category) {
        controller = window->findChild<LiveScoreController*>();
        QVERIFY(controller != nullptr);
        settings.SetTips(false);
        // Only the score window and the exports may change this value.
        store.WriteInt("Parametri", "Punteggio", kStoredScore);
    }

    LiveScorePanel* Panel() const { return controller->Panel(); }
    // What the panel shows once the refresh asked for has run.
    QStringList Shown() {
        QCoreApplication::processEvents();
        QStringList lines;
        for (size_t figure = 0; figure < kLiveFigureCount; ++figure) {
            const auto index = static_cast<LiveFigureIndex>(figure);
            lines << Panel()->LabelOf(index)->text() + QStringLiteral(" = ") +
                         Panel()->ValueOf(index)->text();
        }
        return lines;
    }
    // Sets the injected clock to a minute of June 2007 (the contest: Saturday 9, 12:00
    // UTC, to Sunday 10, 11:59), and "Data/ora auto" off and on again to show it.
    void SetClock(int day, int hour, int minute) {
        now.utc = {2007, 6, day, hour, minute, 0};
        now.local = now.utc;
        c().autoClock->click();
        c().autoClock->click();
        QCOMPARE(c().date->text(), QStringLiteral("%1.06.2007").arg(day, 2, 10, QLatin1Char('0')));
    }
    // Types a contact into the entry form as the person does.
    void TypeContact(const QString& call, const QString& section) {
        QTest::keyClicks(c().callsign, call);
        QTest::keyClick(c().callsign, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), c().section);
        QTest::keyClicks(c().section, section);
        QTest::keyClick(c().section, Qt::Key_Return);
    }
    // Opens a log file through "Apri", answering the question when one comes.
    void OpenFile(const std::string& path) {
        if (settings.modified) {
            prompts.yesNoAnswers.push_back(true);
        }
        prompts.fileAnswers.push_back(path);
        Trigger(MenuCommand::Open);
        QVERIFY(prompts.yesNoAnswers.empty());
        QVERIFY(prompts.fileAnswers.empty());
    }

    LiveScoreController* controller = nullptr;
};

#define CHECK_PANEL(h)                                      \
    do {                                                    \
        QCOMPARE((h).Shown(), Expected((h).Log()));         \
        QVERIFY((h).Panel()->focusPolicy() == Qt::NoFocus); \
    } while (false)

// A log file of random entries of the 2007 contest and around it: about one in eight
// has a band or a mode the score does not know, or a damaged date or time.
std::string RandomLog(unsigned seed, int entries) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::string bytes = LogHeaderBytes(LogMode::Qso, Station());
    const char* const bands[] = {"1,8", "3,5", "7", "14", "21", "28", "50"};
    const char* const modes[] = {"SSB", "CW", "RTTY", "FM"};
    const char* const sections[] = {"1234", "5678", "0130", "1201", "9999", "0000"};
    for (int i = 0; i < entries; ++i) {
        const int day = 9 + pick(2);
        const int minuteOfDay = day == 9 ? 12 * 60 + pick(12 * 60) : pick(12 * 60);
        char date[32];
        char time[32];
        std::snprintf(date, sizeof date, "%02d.06.2007", day);
        std::snprintf(time, sizeof time, "%02d%02d", minuteOfDay / 60, minuteOfDay % 60);
        QsoRecord record{date,
                         time,
                         bands[pick(16) == 0 ? 6 : pick(6)],
                         modes[pick(16) == 0 ? 3 : pick(3)],
                         "IZ" + std::to_string(pick(10)) + std::string(1, static_cast<char>('A' + pick(26))) +
                             std::string(1, static_cast<char>('A' + pick(26))) + "A",
                         "59",
                         "59",
                         sections[pick(6)],
                         ""};
        switch (pick(24)) {
            case 0:
                record.date = "31.02.2007";
                break;
            case 1:
                record.time = "12:3";
                break;
            case 2:
                record.time = "2460";
                break;
            default:
                break;
        }
        bytes += QsoLine(record, "1234");
    }
    return bytes;
}

void ClickSave(QDialog* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>("save"), Qt::LeftButton);
}

// The bars of the chart: entries[hour][band] as drawn.
std::array<std::array<int64_t, kBandCount>, HourlyActivity::kHours> Bars(const OperatingChartView& view) {
    std::array<std::array<int64_t, kBandCount>, HourlyActivity::kHours> drawn{};
    for (QAbstractSeries* series : view.chart()->series()) {
        if (auto* bars = qobject_cast<QStackedBarSeries*>(series)) {
            const QList<QBarSet*> sets = bars->barSets();
            for (int band = 0; band < sets.size() && band < kBandCount; ++band) {
                for (int hour = 0; hour < sets[band]->count() && hour < HourlyActivity::kHours; ++hour) {
                    drawn[static_cast<size_t>(hour)][static_cast<size_t>(band)] =
                        static_cast<int64_t>(sets[band]->at(hour));
                }
            }
        }
    }
    return drawn;
}

// The report as the score window's text box holds it.
QString Displayed(const ContestLog& log) {
    return QString::fromLatin1(BuildScoreReport(ComputeScore(log).table, log.Mode()))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

class TestLiveScore : public QObject {
    Q_OBJECT
  private slots:
    void panelShowsWhatTheScoreWindowComputesAfterEveryChange();
    void scoreWindowDrawsTheLogsHoursUnderTheReport();
};

void TestLiveScore::panelShowsWhatTheScoreWindowComputesAfterEveryChange() {
    Harness h;
    QCOMPARE(h.Panel()->parentWidget(), h.c().scoreGroup);
    QCOMPARE(h.Shown(), (QStringList{"QSO = 0", "Punti = 0", "Molt. = 0", "Punteggio = 0",
                                     "Ultimi 60 min = 0", "Ultimi 10 = 0 QSO/ora"}));

    // Typed contacts: one refresh each, the figures at once.
    struct Typed {
        int hour, minute;
        int band;  // index in the band list
        const char* call;
        const char* section;
    };
    const Typed typed[] = {{12, 5, 2, "iz2aaa", "5678"},
                           {12, 40, 2, "iz2aab", "5678"},
                           {13, 10, 3, "iz2aac", "5678"},
                           {13, 12, 4, "iz2aad", "0130"},
                           {13, 30, 4, "iz2aae", "1234"}};
    for (const Typed& t : typed) {
        h.SetClock(9, t.hour, t.minute);
        h.c().band->setCurrentIndex(t.band);
        const int before = h.controller->Refreshes();
        h.TypeContact(QString::fromLatin1(t.call), QString::fromLatin1(t.section));
        CHECK_PANEL(h);
        QCOMPARE(h.controller->Refreshes(), before + 1);
    }
    QCOMPARE(h.Log().RowCount(), size_t{5});
    // 40 m: 2 entries, 2 points, 1 multiplier; 20 m: 1, 3, 1; 15 m: 2, 10, 2. The last
    // hour (12:31 to 13:30) holds four; the five took 86 minutes: 5 x 60 / 86 = 3.49.
    QCOMPARE(h.Shown(), (QStringList{"QSO = 5", "Punti = 15", "Molt. = 4", "Punteggio = 60",
                                     "Ultimi 60 min = 4", "Ultimi 10 = 3 QSO/ora"}));

    // Edited through "Modifica": the second contact moves to 80 m.
    h.SelectRows({1});
    bool edited = false;
    WhenModal<CQsoEditDlg>([&](CQsoEditDlg* dialog) {
        dialog->Shared().band->setCurrentIndex(1);
        Retype(dialog->Section(), QStringLiteral("0130"));
        ClickSave(dialog);
        edited = !dialog->isVisible();
    });
    h.Trigger(MenuCommand::EditEntries);
    QVERIFY(edited);
    QCOMPARE(h.Log().Field(1, QsoCol::Band), std::string_view("3,5"));
    CHECK_PANEL(h);
    QCOMPARE(h.Shown()[kFigPoints], QStringLiteral("Punti = 16"));  // 40 m's 1 point became 80 m's 2
    QCOMPARE(h.Shown()[kFigMultipliers], QStringLiteral("Molt. = 5"));
    QCOMPARE(h.Shown()[kFigScore], QStringLiteral("Punteggio = 80"));

    // Deleted through "Elimina", and sorted.
    h.SelectRows({0, 3});
    h.prompts.yesNoAnswers = {true};
    h.Trigger(MenuCommand::DeleteEntries);
    QCOMPARE(h.Log().RowCount(), size_t{3});
    CHECK_PANEL(h);
    h.Trigger(MenuCommand::SortByDateTime);
    CHECK_PANEL(h);

    // Logs opened: random ones with entries the score leaves out. Open appends the
    // file's rows one by one; the panel is drawn once.
    QTemporaryDir files;
    for (unsigned seed : {1u, 2u, 3u}) {
        const std::string path = files.filePath(QStringLiteral("gara%1.trnx").arg(seed)).toStdString();
        QVERIFY(WriteFileAtomically(path, RandomLog(seed, 300 * static_cast<int>(seed))));
        QCoreApplication::processEvents();
        const int before = h.controller->Refreshes();
        h.OpenFile(path);
        QCOMPARE(h.Log().RowCount(), size_t{300} * seed);
        QVERIFY(!ComputeScore(h.Log()).skippedRows.empty());
        CHECK_PANEL(h);
        QCOMPARE(h.controller->Refreshes(), before + 1);
    }
    // A contact typed after the contest's last one moves "now".
    h.Activate();
    h.SetClock(10, 14, 0);
    h.TypeContact(QStringLiteral("iz9zzz"), QStringLiteral("1234"));
    CHECK_PANEL(h);
    QCOMPARE(h.Shown()[kFigLastHour], QStringLiteral("Ultimi 60 min = 1"));

    // New empties it.
    h.prompts.yesNoAnswers = {true};
    h.Trigger(MenuCommand::NewLog);
    QCOMPARE(h.Log().RowCount(), size_t{0});
    CHECK_PANEL(h);
    QCOMPARE(h.Shown()[kFigScore], QStringLiteral("Punteggio = 0"));

    // Switched to listening mode in "Dati riassuntivi": heard entries.
    h.TypeContact(QStringLiteral("iz2aaa"), QStringLiteral("5678"));
    h.prompts.yesNoAnswers = {true};
    bool switched = false;
    WhenModal<CStationSummaryDlg>([&](CStationSummaryDlg* dialog) {
        QComboBox* category = dialog->Category();
        category->setFocus();
        while (category->currentText() != QStringLiteral("SWL") &&
               category->currentIndex() + 1 < category->count()) {
            QTest::keyClick(category, Qt::Key_Down);
        }
        ClickSave(dialog);
        switched = !dialog->isVisible();
    });
    h.Trigger(MenuCommand::StationSummary);
    QVERIFY(switched);
    QCOMPARE(h.Log().Mode(), LogMode::Listening);
    CHECK_PANEL(h);
    QCOMPARE(h.Shown()[kFigEntries], QStringLiteral("HRD = 0"));
    h.Activate();
    h.SetClock(9, 18, 0);
    h.TypeAndEnter(QStringLiteral("IZ2AAA"));
    h.TypeAndEnter(QStringLiteral("1234"));
    h.TypeAndEnter(QStringLiteral("IZ2BBB"));
    h.TypeAndEnter(QStringLiteral("5678"));
    QCOMPARE(h.Log().RowCount(), size_t{2});  // each station heard calling
    CHECK_PANEL(h);
    QCOMPARE(h.Shown()[kFigLastTen], QStringLiteral("Ultimi 10 = 120 HRD/ora"));

    // None of this wrote the stored score; the score window does.
    QCOMPARE(h.store.ReadInt("Parametri", "Punteggio", -1), kStoredScore);
    QString report;
    WhenModal<CScoreDlg>([&](CScoreDlg* dialog) {
        report = dialog->ReportBox()->toPlainText();
        QTest::keyClick(dialog->OkButton(), Qt::Key_Return);
    });
    h.Trigger(MenuCommand::ShowScore);
    QCOMPARE(report, Displayed(h.Log()));
    QVERIFY(report.endsWith(QStringLiteral("PUNTEGGIO TOTALE = ") + h.Panel()->ValueOf(kFigScore)->text() +
                            QStringLiteral("\n")));
    QCOMPARE(h.store.ReadInt("Parametri", "Punteggio", -1),
             static_cast<int32_t>(ComputeScore(h.Log()).claimedScore));
}

void TestLiveScore::scoreWindowDrawsTheLogsHoursUnderTheReport() {
    // The 2007 contest: Saturday 9 June 12:00 to Sunday 10 June 11:59 UTC. Hour 0 is
    // 12:00, hour 12 is 00:00, hour 23 is 11:00.
    std::string journal = LogHeaderBytes(LogMode::Qso, Station());
    const QsoRecord lines[] = {
        {"09.06.2007", "1200", "7", "SSB", "IZ2AAA", "59", "59", "5678", ""},     // hour 0, 40 m
        {"09.06.2007", "1259", "7", "CW", "IZ2AAB", "599", "599", "5678", ""},    // hour 0, 40 m
        {"09.06.2007", "1230", "14", "SSB", "IZ2AAC", "59", "59", "0130", ""},    // hour 0, 20 m
        {"10.06.2007", "0005", "3,5", "CW", "IZ2AAD", "599", "599", "1234", ""},  // hour 12, 80 m
        {"10.06.2007", "1159", "28", "SSB", "IZ2AAE", "59", "59", "1234", ""},    // hour 23, 10 m
        {"10.06.2007", "1200", "28", "SSB", "IZ2AAF", "59", "59", "1201", ""},    // after the end
        {"09.06.2007", "1300", "50", "SSB", "IZ2AAG", "59", "59", "1201", ""},    // no contest band
        {"09.06.2007", "1301", "21", "FM", "IZ2AAH", "59", "59", "1201", ""},     // no contest mode
        {"09.06.2007", "13:0", "21", "CW", "IZ2AAI", "599", "599", "1201", ""},   // damaged time
    };
    for (const QsoRecord& line : lines) {
        journal += QsoLine(line, "1234");
    }
    Harness h(journal);
    QCOMPARE(h.Log().RowCount(), std::size(lines));

    QString report;
    bool checked = false;
    WhenModal<CScoreDlg>([&](CScoreDlg* dialog) {
        // The report as before, over the chart.
        report = dialog->ReportBox()->toPlainText();
        OperatingChartView* view = dialog->ChartView();
        QVERIFY(view != nullptr);
        QVERIFY(view->isVisible());
        QVERIFY(view->geometry().top() >= dialog->ReportBox()->geometry().bottom());
        QVERIFY(view->geometry().bottom() <= dialog->OkButton()->geometry().top());

        std::array<std::array<int64_t, kBandCount>, HourlyActivity::kHours> expected{};
        expected[0][2] = 2;
        expected[0][3] = 1;
        expected[12][1] = 1;
        expected[23][5] = 1;
        QCOMPARE(Bars(*view), expected);
        // The multiplier line: 40 m SSB and CW and 20 m SSB in the first hour, 80 m
        // CW at midnight, 10 m SSB in the last hour.
        QLineSeries* line = nullptr;
        for (QAbstractSeries* series : view->chart()->series()) {
            line = line != nullptr ? line : qobject_cast<QLineSeries*>(series);
        }
        QVERIFY(line != nullptr);
        QCOMPARE(line->count(), HourlyActivity::kHours);
        QCOMPARE(line->at(0).y(), 3.0);
        QCOMPARE(line->at(11).y(), 3.0);
        QCOMPARE(line->at(12).y(), 4.0);
        QCOMPARE(line->at(23).y(), 5.0);
        QVERIFY(view->chart()->title().contains(QStringLiteral("1 fuori dal periodo del contest")));
        QVERIFY(view->chart()->title().contains(QStringLiteral("1 senza data od ora valida")));

        // The focus stays on OK: a click or a Tab never gives it to the chart.
        // Let the window manager make it the active window, as a person finds it.
        QTRY_VERIFY(dialog->isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), dialog->OkButton());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->viewport()->rect().center());
        QCOMPARE(QApplication::focusWidget(), dialog->OkButton());
        QTest::keyClick(dialog->OkButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog->OkButton());
        dialog->ReportBox()->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), dialog->OkButton());
        QVERIFY(dialog->OkButton()->isDefault());

        // The window fits its screen, the chart no smaller than it reads.
        const QRect screen = dialog->screen()->availableGeometry();
        QVERIFY(dialog->width() <= screen.width());
        QVERIFY(dialog->height() <= screen.height());
        checked = true;
        QTest::keyClick(dialog->OkButton(), Qt::Key_Return);
    });
    h.Trigger(MenuCommand::ShowScore);
    QVERIFY(checked);
    QCOMPARE(report, Displayed(h.Log()));
    // 80 m: 1 entry, 2 points, 1 multiplier; 40 m: 2, 2, 2; 20 m: 1, 3, 1; 15 m: 1, 5, 1
    // (the damaged time counts in the score, not in the chart); 10 m: 2, 10, 2 (so does
    // the entry after the end). 50 MHz and FM are left out: 22 x 7.
    QVERIFY(report.endsWith(QStringLiteral("PUNTEGGIO TOTALE = 154\n")));
    QCOMPARE(h.prompts.Boxes().size(), size_t{2});
}

QTEST_MAIN(TestLiveScore)
#include "tst_live_score.moc"
