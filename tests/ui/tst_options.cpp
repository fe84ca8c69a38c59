// The options dialog: the two check boxes and their settings, the colour buttons and
// the sample field, and the colours applied to dialogs at start-up.

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <optional>

#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "ui/COptionsDlg.h"
#include "ui/DialogColours.h"

using namespace tarnex;

namespace {

// Answers the colour chooser from a script and records what it was offered.
struct ScriptedChooser {
    std::deque<std::optional<QColor>> answers;
    std::vector<QColor> offered;
    COptionsDlg::ColourChooser Fn() {
        return [this](const QColor& initial, QWidget*) {
            offered.push_back(initial);
            std::optional<QColor> answer = answers.empty() ? std::nullopt : answers.front();
            if (!answers.empty()) {
                answers.pop_front();
            }
            return answer;
        };
    }
};

int32_t StoredInt(MemorySettingsStore& store, const char* key) {
    return store.ReadInt("Parametri", key, -12345);
}

// Renders the widget and counts the pixels of one colour.
int PixelsOf(QWidget* widget, const QColor& colour) {
    QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)).rgb() == colour.rgb()) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace

class TestOptions : public QObject {
    Q_OBJECT
  private slots:
    void opensWithTheStoredOptionsAndTheSample_data();
    void opensWithTheStoredOptionsAndTheSample();
    void savesBothOptionsInOrder_data();
    void savesBothOptionsInOrder();
    void cancelKeepsOptionsButNotChosenColours();
    void cancelledChooserChangesNothing();
    void sampleIsPaintedInTheCurrentColours();
    void storedColourConversionsRoundTrip_data();
    void storedColourConversionsRoundTrip();
    void startUpColoursReachEveryDialog();
};

void TestOptions::opensWithTheStoredOptionsAndTheSample_data() {
    QTest::addColumn<int>("tips");
    QTest::addColumn<int>("byBand");
    QTest::newRow("defaults") << -1 << -1;
    QTest::newRow("tips off, by band") << 0 << 1;
    QTest::newRow("both on") << 1 << 1;
}

void TestOptions::opensWithTheStoredOptionsAndTheSample() {
    QFETCH(int, tips);
    QFETCH(int, byBand);
    MemorySettingsStore store;
    if (tips >= 0) {
        store.WriteInt("Parametri", "Consigli", tips);
    }
    if (byBand >= 0) {
        store.WriteInt("Parametri", "File Cabrillo SWL separati", byBand);
    }
    Settings settings(store);
    settings.Load();
    COptionsDlg dialog(settings);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Opzioni"));
    QCOMPARE(dialog.TipsBox()->isChecked(), tips != 0);  // default on
    QCOMPARE(dialog.CabrilloByBandBox()->isChecked(), byBand == 1);
    QCOMPARE(dialog.TipsBox()->text(), QStringLiteral("Consigli per il cambio banda"));
    QCOMPARE(dialog.CabrilloByBandBox()->text(), QStringLiteral("File SWL Cabrillo ordinato per banda"));
    QCOMPARE(dialog.Sample()->text(), QStringLiteral("     Esempio     "));
    QCOMPARE(dialog.BackgroundButton()->text(), QStringLiteral("Sfondo"));
    QCOMPARE(dialog.TextButton()->text(), QStringLiteral("Testo"));
    bool noteFound = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        noteFound |= label->text() == QStringLiteral(
                                          "Il nuovo colore sar\u00e0 attivo solo dopo aver chiuso e\n"
                                          "fatto ripartire il programma.");
    }
    QVERIFY(noteFound);
}

void TestOptions::savesBothOptionsInOrder_data() {
    QTest::addColumn<bool>("tips");
    QTest::addColumn<bool>("byBand");
    QTest::newRow("tips off") << false << false;
    QTest::newRow("by band on") << true << true;
    QTest::newRow("tips off, by band on") << false << true;
}

void TestOptions::savesBothOptionsInOrder() {
    QFETCH(bool, tips);
    QFETCH(bool, byBand);
    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    COptionsDlg dialog(settings);
    dialog.show();
    dialog.TipsBox()->setChecked(tips);
    dialog.CabrilloByBandBox()->setChecked(byBand);
    QVERIFY(store.Writes() == 0);              // nothing stored before Salva
    QTest::keyClick(&dialog, Qt::Key_Return);  // Salva is the default button
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settings.tips, tips);
    QCOMPARE(settings.listeningCabrilloByBand, byBand);
    QCOMPARE(StoredInt(store, "Consigli"), tips ? 1 : 0);
    QCOMPARE(StoredInt(store, "File Cabrillo SWL separati"), byBand ? 1 : 0);
    QCOMPARE(store.Writes(), 2);
}

void TestOptions::cancelKeepsOptionsButNotChosenColours() {
    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    ScriptedChooser chooser;
    chooser.answers = {QColor(10, 20, 30)};
    COptionsDlg dialog(settings, nullptr, chooser.Fn());
    dialog.show();
    dialog.TipsBox()->setChecked(false);
    QTest::mouseClick(dialog.BackgroundButton(), Qt::LeftButton);
    QCOMPARE(chooser.offered.size(), size_t{1});
    QCOMPARE(chooser.offered[0], QColor(112, 112, 176));  // the default background
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(settings.tips, true);
    QVERIFY(!store.Has("Parametri", "Consigli"));
    // The colour was stored the moment it was chosen, 0x00BBGGRR.
    QCOMPARE(StoredInt(store, "Colore sfondo"), 10 | (20 << 8) | (30 << 16));
    // After a restart the stored colour is the one in use.
    Settings restarted(store);
    restarted.Load();
    QCOMPARE(ColourFromStored(restarted.backgroundColour), QColor(10, 20, 30));
    QCOMPARE(ColourFromStored(restarted.textColour), QColor(255, 255, 0));
}

void TestOptions::cancelledChooserChangesNothing() {
    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    ScriptedChooser chooser;  // no answers: every chooser is cancelled
    COptionsDlg dialog(settings, nullptr, chooser.Fn());
    dialog.show();
    const QString sheetBefore = dialog.Sample()->styleSheet();
    QTest::mouseClick(dialog.BackgroundButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.TextButton(), Qt::LeftButton);
    QCOMPARE(chooser.offered.size(), size_t{2});
    QCOMPARE(chooser.offered[1], QColor(255, 255, 0));  // the default text colour
    QCOMPARE(store.Writes(), 0);
    QCOMPARE(settings.backgroundColour, 11563120);
    QCOMPARE(settings.textColour, 65535);
    QCOMPARE(dialog.Sample()->styleSheet(), sheetBefore);
}

void TestOptions::sampleIsPaintedInTheCurrentColours() {
    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    ScriptedChooser chooser;
    chooser.answers = {QColor(0, 128, 0), QColor(255, 0, 255)};
    COptionsDlg dialog(settings, nullptr, chooser.Fn());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // With empty settings: yellow text on red 112, green 112, blue 176.
    QVERIFY(PixelsOf(dialog.Sample(), QColor(112, 112, 176)) > 100);
    QVERIFY(PixelsOf(dialog.Sample(), QColor(255, 255, 0)) > 0);

    QTest::mouseClick(dialog.BackgroundButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.TextButton(), Qt::LeftButton);
    QCOMPARE(StoredInt(store, "Colore sfondo"), 0x008000);
    QCOMPARE(StoredInt(store, "Colore testo"), 0xFF00FF);
    QCOMPARE(PixelsOf(dialog.Sample(), QColor(112, 112, 176)), 0);
    QVERIFY(PixelsOf(dialog.Sample(), QColor(0, 128, 0)) > 100);
    QVERIFY(PixelsOf(dialog.Sample(), QColor(255, 0, 255)) > 0);
    QCOMPARE(PixelsOf(dialog.Sample(), QColor(255, 255, 0)), 0);
    // The second chooser was offered the text colour in use, not the new background.
    QCOMPARE(chooser.offered[1], QColor(255, 255, 0));
}

void TestOptions::storedColourConversionsRoundTrip_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("default background") << 11563120 << QColor(112, 112, 176);
    QTest::newRow("default text") << 65535 << QColor(255, 255, 0);
    QTest::newRow("pure blue") << 0xFF0000 << QColor(0, 0, 255);
    QTest::newRow("black") << 0 << QColor(0, 0, 0);
}

void TestOptions::storedColourConversionsRoundTrip() {
    QFETCH(int, stored);
    QFETCH(QColor, colour);
    QCOMPARE(ColourFromStored(stored), colour);
    QCOMPARE(StoredFromColour(colour), stored);
}

void TestOptions::startUpColoursReachEveryDialog() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const QString before = app->styleSheet();
    ApplyDialogColours(*app, RgbToColour(0, 0, 200), RgbToColour(0, 220, 0));
    QDialog dialog;
    auto* label = new QLabel(QStringLiteral("WWWWWWWWWW"), &dialog);
    label->setGeometry(10, 10, 150, 30);
    QFont big = label->font();
    big.setPointSize(16);
    label->setFont(big);
    dialog.resize(200, 60);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(PixelsOf(&dialog, QColor(0, 0, 200)) > 1000);
    QVERIFY(PixelsOf(&dialog, QColor(0, 220, 0)) > 0);
    app->setStyleSheet(before);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
