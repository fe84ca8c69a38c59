// "Stampa": the print dialog's choices, and the pages as they come out of a PDF file,
// read back with pdftotext: the heading, the dashes and the entries at their
// character positions, 50 entries to a page, 48 to a page of a selection.

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "FileOutputFixture.h"
#include "ui/LogPrinter.h"

using namespace tarnex;
using tarnex::testing::FileOutputFixture;

namespace {

QsoRecord Contact(int n) {
    char call[16];
    std::snprintf(call, sizeof call, "IK%04d", n);
    return {"12.03.2005", "1423", "14", "CW", call, "599", "579", "1201", "GAMMA"};
}

// A log of `count` contacts with the callsigns IK0001, IK0002, ...
struct PrintFixture : FileOutputFixture {
    explicit PrintFixture(int count, std::vector<Preset> presets = {}) : FileOutputFixture(presets) {
        for (int n = 1; n <= count; ++n) {
            if (session->Log().Mode() == LogMode::Qso) {
                session->Log().Append(Contact(n));
            } else {
                session->Log().Append(
                    HrdRecord{"12.03.2005", "1423", "7", "SSB", Contact(n).callsign, "59", "0101", "IK9ZZZ"});
            }
        }
        pdf = QString::fromStdString(File("log.pdf"));
    }

    // The print dialog answered by the test: the range asked for, printed to the PDF.
    void Answer(QPrinter::PrintRange range, int from = 0, int to = 0, bool accept = true) {
        controllers.printer->SetDialogRunner(
            [=, this](QPrinter& printer, const PrintDialogSetup& setup, QWidget*) {
                offered.push_back(setup);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                printer.setPrintRange(range);
                printer.setFromTo(from, to);
                return accept;
            });
    }

    QString pdf;
    std::vector<PrintDialogSetup> offered;
};

QString Pdftotext(const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (program.isEmpty()) {
        qFatal("pdftotext (poppler-utils, see scripts/install-deps.sh) is needed by this test");
    }
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page, in layout.
QStringList PageTexts(const QString& pdf) {
    QStringList pages =
        Pdftotext({QStringLiteral("-layout"), pdf, QStringLiteral("-")}).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    return pages;
}

// The callsign numbers printed on a page, top to bottom.
QList<int> EntriesOn(const QString& page) {
    QList<int> numbers;
    static const QRegularExpression call(QStringLiteral("IK(\\d{4})"));
    for (auto it = call.globalMatch(page); it.hasNext();) {
        numbers << it.next().captured(1).toInt();
    }
    return numbers;
}

QList<int> Range(int first, int last) {
    QList<int> numbers;
    for (int n = first; n <= last; ++n) {
        numbers << n;
    }
    return numbers;
}

// The lines of a page with their words collapsed to single spaces.
QStringList Lines(const QString& page) {
    QStringList lines;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) {
            lines << line.simplified();
        }
    }
    return lines;
}

struct Word {
    QString text;
    double x;
    double y;
};

// The words of one page with the top left corner of each.
QList<Word> WordsOf(const QString& pdf, int page) {
    const QString html = Pdftotext({QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                    QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

// The words grouped into lines, top to bottom, each line left to right.
QList<QList<Word>> WordLines(QList<Word> words) {
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return std::abs(a.y - b.y) > 0.01 ? a.y < b.y : a.x < b.x;
    });
    QList<QList<Word>> lines;
    for (const Word& word : words) {
        if (lines.isEmpty() || std::abs(lines.last().first().y - word.y) > 0.01) {
            lines.append(QList<Word>{});
        }
        lines.last().append(word);
    }
    return lines;
}

const char* const kQsoHeading = "N.Qso Data Ora MHz Modo Nominativo Rst Rst Sez. Nome sezione";
const char* const kQsoDashes =
    "----- ---------- ----- --- ---- -------------- --- --- ---- -------------------";

}  // namespace

class TestPrint : public QObject {
    Q_OBJECT
  private slots:
    void allPagesOfA120EntryLog();
    void textsStandAtTheirCharacterPositions();
    void pageRangePrintsOnlyThosePages_data();
    void pageRangePrintsOnlyThosePages();
    void selectionFills48EntriesToAPage();
    void listeningLogHeading();
    void emptyLogOrCancelPrintsNothing();
    void printDialogOffersThePagesAndTheSelection();
};

void TestPrint::allPagesOfA120EntryLog() {
    PrintFixture f(120);
    f.Answer(QPrinter::AllPages);
    f.Trigger(MenuCommand::Print);
    QCOMPARE(f.offered.size(), size_t{1});
    QCOMPARE(f.offered[0].pageCount, 3);
    QVERIFY(!f.offered[0].selectionEnabled);

    const QStringList pages = PageTexts(f.pdf);
    QCOMPARE(pages.size(), 3);
    const QList<int> expected[] = {Range(1, 50), Range(51, 100), Range(101, 120)};
    for (int p = 0; p < 3; ++p) {
        const QStringList lines = Lines(pages[p]);
        QCOMPARE(lines.value(0), QString(kQsoHeading));
        QCOMPARE(lines.value(1), QString(kQsoDashes));
        QCOMPARE(EntriesOn(pages[p]), expected[p]);
    }
    // One whole entry line as printed: every field, the number first.
    QCOMPARE(Lines(pages[1]).value(2), QStringLiteral("51 12.03.2005 1423 14 CW IK0051 599 579 1201 GAMMA"));
}

void TestPrint::textsStandAtTheirCharacterPositions() {
    PrintFixture f(60);
    f.Answer(QPrinter::AllPages);
    f.Trigger(MenuCommand::Print);
    const QList<QList<Word>> lines = WordLines(WordsOf(f.pdf, 1));
    QCOMPARE(lines.size(), 52);  // heading, dashes, 50 entries

    // The heading: w is the width of one character position.
    const QList<Word>& heading = lines[0];
    const QStringList headings = {"N.Qso",      "Data", "Ora", "MHz",  "Modo",
                                  "Nominativo", "Rst",  "Rst", "Sez.", "Nome"};
    const int positions[] = {0, 6, 17, 23, 27, 32, 47, 51, 55, 60};
    QCOMPARE(heading.size(), 11);
    QCOMPARE(heading[10].text, QStringLiteral("sezione"));
    const double x0 = heading[0].x;
    const double w = (heading[1].x - x0) / 6;
    QVERIFY(w > 0);
    for (int i = 0; i < headings.size(); ++i) {
        QCOMPARE(heading[i].text, headings[i]);
        QVERIFY2(std::abs(heading[i].x - (x0 + positions[i] * w)) < 0.5, qPrintable(headings[i]));
    }
    // The dashes share the columns.
    QCOMPARE(lines[1].size(), 10);
    for (int i = 0; i < 10; ++i) {
        QVERIFY(lines[1][i].text.startsWith(QLatin1Char('-')));
        QVERIFY(std::abs(lines[1][i].x - heading[i].x) < 0.01);
    }
    // Lines are evenly spaced; every entry's fields start at their columns (the
    // number is right-aligned in its five places, "%5d").
    const double lineHeight = lines[1][0].y - heading[0].y;
    QVERIFY(lineHeight > 0);
    for (int k = 2; k < 52; ++k) {
        const QList<Word>& entry = lines[k];
        QVERIFY2(std::abs(entry[0].y - (heading[0].y + k * lineHeight)) < 0.05,
                 qPrintable(QString::number(k)));
        QCOMPARE(entry.size(), 10);
        QCOMPARE(entry[0].text, QString::number(k - 1));
        QVERIFY(entry[0].x > x0 && entry[0].x < x0 + 5 * w);
        for (int i = 1; i < 10; ++i) {
            QVERIFY2(std::abs(entry[i].x - heading[i].x) < 0.5, qPrintable(entry[i].text));
        }
    }

    // The measures are the printer font's: line height = h * 5 / 4 of the "X" height,
    // in the same proportion to the "X" width.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(f.File("measure.pdf")));
    QPainter painter(&printer);
    const QFontMetrics metrics = painter.fontMetrics();
    const double expected =
        double(metrics.height() * 5 / 4) / double(metrics.horizontalAdvance(QLatin1Char('X')));
    QVERIFY2(std::abs(lineHeight / w - expected) < 0.02,
             qPrintable(QStringLiteral("%1 vs %2").arg(lineHeight / w).arg(expected)));
    painter.end();
}

void TestPrint::pageRangePrintsOnlyThosePages_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<QList<int>>>("pages");
    QTest::newRow("2 to 2") << 2 << 2 << QList<QList<int>>{Range(51, 100)};
    QTest::newRow("3 to 3") << 3 << 3 << QList<QList<int>>{Range(101, 120)};
    QTest::newRow("1 to 2") << 1 << 2 << QList<QList<int>>{Range(1, 50), Range(51, 100)};
}

void TestPrint::pageRangePrintsOnlyThosePages() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<QList<int>>, pages);
    PrintFixture f(120);
    f.Answer(QPrinter::PageRange, from, to);
    f.Trigger(MenuCommand::Print);
    const QStringList printed = PageTexts(f.pdf);
    QCOMPARE(printed.size(), pages.size());
    for (int p = 0; p < printed.size(); ++p) {
        QCOMPARE(Lines(printed[p]).value(0), QString(kQsoHeading));
        QCOMPARE(EntriesOn(printed[p]), pages[p]);
    }
}

void TestPrint::selectionFills48EntriesToAPage() {
    PrintFixture f(120);
    for (size_t row = 109; row >= 10; --row) {  // any order: the log's order is printed
        f.selection.push_back(row);
    }
    f.Answer(QPrinter::Selection);
    f.Trigger(MenuCommand::Print);
    QVERIFY(f.offered.at(0).selectionEnabled);
    const QStringList pages = PageTexts(f.pdf);
    QCOMPARE(pages.size(), 3);
    const QList<int> expected[] = {Range(11, 58), Range(59, 106), Range(107, 110)};
    for (int p = 0; p < 3; ++p) {
        QCOMPARE(Lines(pages[p]).value(0), QString(kQsoHeading));
        QCOMPARE(Lines(pages[p]).value(1), QString(kQsoDashes));
        QCOMPARE(EntriesOn(pages[p]), expected[p]);
    }
}

void TestPrint::listeningLogHeading() {
    PrintFixture f(3, {FileOutputFixture::Text("Dati riassuntivi", "Categoria", "SWL")});
    QCOMPARE(f.session->Log().Mode(), LogMode::Listening);
    f.Answer(QPrinter::AllPages);
    f.Trigger(MenuCommand::Print);
    const QStringList pages = PageTexts(f.pdf);
    QCOMPARE(pages.size(), 1);
    const QStringList lines = Lines(pages[0]);
    QCOMPARE(lines.value(0),
             QStringLiteral("N.Qso Data Ora MHz Modo Nominativo Rst Sez. Nominativo Rst Sez."));
    // The second report and section columns stay empty.
    QCOMPARE(lines.value(2), QStringLiteral("1 12.03.2005 1423 7 SSB IK0001 59 0101 IK9ZZZ"));
}

void TestPrint::emptyLogOrCancelPrintsNothing() {
    PrintFixture empty(0);
    empty.Answer(QPrinter::AllPages);
    empty.Trigger(MenuCommand::Print);
    QVERIFY(empty.offered.empty());
    QVERIFY(!QFile::exists(empty.pdf));

    PrintFixture cancelled(10);
    cancelled.Answer(QPrinter::AllPages, 0, 0, false);
    cancelled.Trigger(MenuCommand::Print);
    QCOMPARE(cancelled.offered.size(), size_t{1});
    QVERIFY(!QFile::exists(cancelled.pdf));
    QVERIFY(empty.prompts.records.empty() && cancelled.prompts.records.empty());
}

void TestPrint::printDialogOffersThePagesAndTheSelection() {
    for (bool selection : {false, true}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setCopyCount(4);
        QPrintDialog dialog(&printer);
        LogPrinter::ConfigurePrintDialog(dialog, printer, {3, selection});
        QCOMPARE(dialog.minPage(), 1);
        QCOMPARE(dialog.maxPage(), 3);
        QCOMPARE(dialog.fromPage(), 1);
        QCOMPARE(dialog.toPage(), 3);
        QCOMPARE(dialog.printRange(), QAbstractPrintDialog::AllPages);
        QVERIFY(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
        QCOMPARE(dialog.testOption(QAbstractPrintDialog::PrintSelection), selection);
        QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintCurrentPage));
        QCOMPARE(printer.copyCount(), 1);
    }
    // What the dialog leaves in the printer becomes the request.
    QPrinter printer;
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    PrintRequest request = LogPrinter::RequestFromPrinter(printer);
    QCOMPARE(request.range, PrintRequest::Range::Pages);
    QCOMPARE(request.firstPage, 2);
    QCOMPARE(request.lastPage, 3);
    printer.setPrintRange(QPrinter::Selection);
    QCOMPARE(LogPrinter::RequestFromPrinter(printer).range, PrintRequest::Range::Selection);
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
