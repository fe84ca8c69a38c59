// The splash, about and instructions windows.

#include <algorithm>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "app/Settings.h"
#include "ui/CAboutDlg.h"
#include "ui/CInstructionsDlg.h"
#include "ui/CSplashDlg.h"
#include "ui/DialogColours.h"

using namespace tarnex;

namespace {
int PixelsOf(QWidget* widget, QRgb colour) {
    QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

// Text drawn in black on white, whatever the font smooths its edges with: the
// darkest pixel is close to black and no pixel carries a colour (grey levels only).
struct Greys {
    int darkest = 255;
    int coloured = 0;
};
Greys GreysOf(QWidget* widget) {
    QImage image = widget->grab().toImage();
    Greys greys;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb p = image.pixel(x, y);
            int low = std::min({qRed(p), qGreen(p), qBlue(p)});
            int high = std::max({qRed(p), qGreen(p), qBlue(p)});
            greys.darkest = std::min(greys.darkest, high);
            greys.coloured += high - low > 48 ? 1 : 0;
        }
    }
    return greys;
}
}  // namespace

class TestShellWindows : public QObject {
    Q_OBJECT
  private slots:
    void splashClosesByItself();
    void splashClosesEarlyOnEnterOrEscape_data();
    void splashClosesEarlyOnEnterOrEscape();
    void lineFeedsBecomeCrLf_data();
    void lineFeedsBecomeCrLf();
    void instructionsShowOneLinePerLineFeed();
    void instructionsAreBlackOnWhiteWhateverTheDialogColours();
    void aboutShowsTitleAndElevenLines();
    void aboutOpensInstructionsOverItself();
};

void TestShellWindows::splashClosesByItself() {
    CSplashDlg splash;
    QCOMPARE(splash.Timer()->interval(), 1500);
    QVERIFY(splash.Timer()->isSingleShot());
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    QLabel* picture = splash.findChild<QLabel*>();
    QVERIFY(picture != nullptr);
    QCOMPARE(picture->pixmap().size(), QSize(400, 300));
    QElapsedTimer clock;
    clock.start();
    // No input at all: exec returns once the timer has fired.
    QCOMPARE(splash.exec(), int(QDialog::Accepted));
    QVERIFY(clock.elapsed() >= 1400);
    QVERIFY(!splash.isVisible());
    QVERIFY(!splash.Timer()->isActive());
}

void TestShellWindows::splashClosesEarlyOnEnterOrEscape_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestShellWindows::splashClosesEarlyOnEnterOrEscape() {
    QFETCH(int, key);
    CSplashDlg splash;
    splash.show();
    QVERIFY(splash.Timer()->isActive());
    QTest::keyClick(&splash, Qt::Key(key));
    QVERIFY(!splash.isVisible());
}

void TestShellWindows::lineFeedsBecomeCrLf_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no line end") << "Riga"
                                 << "Riga";
    QTest::newRow("LF lines") << "uno\ndue\n"
                              << "uno\r\ndue\r\n";
    QTest::newRow("empty lines") << "\n\n"
                                 << "\r\n\r\n";
    QTest::newRow("CR LF gets another CR") << "uno\r\ndue"
                                           << "uno\r\r\ndue";
    QTest::newRow("lone CR kept") << "a\rb"
                                  << "a\rb";
    QTest::newRow("accented") << "citt\u00e0\n"
                              << "citt\u00e0\r\n";
}

void TestShellWindows::lineFeedsBecomeCrLf() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(WithCrLf(text), shown);
    CInstructionsDlg dialog(text);
    QCOMPARE(dialog.ShownText(), shown);
}

void TestShellWindows::instructionsShowOneLinePerLineFeed() {
    const QString text = InstructionsText();
    QVERIFY(text.size() > 1000);  // the guide is compiled into the program
    QVERIFY(!text.contains(QLatin1Char('\r')));
    QVERIFY(text.endsWith(QLatin1Char('\n')));
    CInstructionsDlg dialog(text);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Istruzioni"));
    QVERIFY(dialog.Field()->isReadOnly());
    QCOMPARE(dialog.Field()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // One paragraph per LF (the last line end leaves an empty last one).
    QCOMPARE(dialog.Field()->document()->blockCount(), int(text.count(QLatin1Char('\n'))) + 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QTextBlock block = dialog.Field()->document()->firstBlock();
    for (const QString& line : lines) {
        QCOMPARE(block.text(), line);
        block = block.next();
    }
    QPushButton* close = dialog.findChild<QPushButton*>();
    QCOMPARE(close->text(), QStringLiteral("Chiudi"));
    QVERIFY(close->isDefault());
}

void TestShellWindows::instructionsAreBlackOnWhiteWhateverTheDialogColours() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const QString before = app->styleSheet();
    ApplyDialogColours(*app, RgbToColour(0, 0, 200), RgbToColour(255, 255, 0));
    CInstructionsDlg dialog(QStringLiteral("WWWWWWWW WWWWWWWW\nWWWWWWWW\n"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget* viewport = dialog.Field()->viewport();
    QCOMPARE(dialog.Field()->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(dialog.Field()->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(PixelsOf(viewport, qRgb(255, 255, 255)) > 1000);
    const Greys greys = GreysOf(viewport);
    QVERIFY2(greys.darkest < 96, qPrintable(QString::number(greys.darkest)));
    QCOMPARE(greys.coloured, 0);
    // The dialog itself takes the dialog colours.
    QVERIFY(PixelsOf(&dialog, qRgb(0, 0, 200)) > 0);
    app->setStyleSheet(before);
}

void TestShellWindows::aboutShowsTitleAndElevenLines() {
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su TARNEX"));
    QCOMPARE(about.Lines().size(), 11);
    QCOMPARE(about.Lines()[0]->text(), QStringLiteral("TARNEX versione 1.0"));
    QCOMPARE(about.Lines()[1]->text(), QStringLiteral("Gestione Contest delle Sezioni"));
    QCOMPARE(about.Lines()[2]->text(), QStringLiteral("della Associazione Radioamatori Italiani"));
    for (QLabel* line : about.Lines()) {
        QVERIFY(!line->text().isEmpty());
    }
    QCOMPARE(about.CloseButton()->text(), QStringLiteral("Chiudi"));
    QVERIFY(about.CloseButton()->isDefault());
    QCOMPARE(about.InstructionsButton()->text(), QStringLiteral("Istruzioni"));
    bool pictureFound = false;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        pictureFound |= label->pixmap().size() == QSize(140, 204);
    }
    QVERIFY(pictureFound);
}

void TestShellWindows::aboutOpensInstructionsOverItself() {
    CAboutDlg about;
    about.show();
    QWidget* seenOnTop = nullptr;
    bool aboutStillShown = false;
    QString seenTitle;
    QWidget* seenParent = nullptr;
    QTimer::singleShot(0, this, [&] {
        seenOnTop = QApplication::activeModalWidget();
        if (seenOnTop != nullptr) {
            seenTitle = seenOnTop->windowTitle();
            seenParent = seenOnTop->parentWidget();
            aboutStillShown = about.isVisible();
            QTest::keyClick(seenOnTop, Qt::Key_Return);  // "Chiudi"
        }
    });
    QTest::mouseClick(about.InstructionsButton(), Qt::LeftButton);
    QVERIFY(seenOnTop != nullptr);
    QCOMPARE(seenTitle, QStringLiteral("Istruzioni"));
    QCOMPARE(seenParent, static_cast<QWidget*>(&about));
    QVERIFY(aboutStillShown);
    // Back in the about box, which is still open.
    QVERIFY(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestShellWindows)
#include "tst_shell_windows.moc"
