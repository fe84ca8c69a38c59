// The Qt adapters: settings under KORVAL, the Windows-1252 conversion, the message
// boxes and file dialogs, and the start-up glue of the window program.

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "ScriptedPrompts.h"
#include "app/AppTexts.h"
#include "app/Startup.h"
#include "ui/Application.h"
#include "ui/QtSettingsStore.h"
#include "ui/QtUserPrompts.h"
#include "ui/TextCodec.h"
#include "util/FileIo.h"

using namespace tarnex;

namespace {

std::string AllHighBytes() {
    std::string bytes;
    for (int b = 128; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

// Answers the next modal message box with the button of the given role and
// remembers what it showed.
struct BoxAnswer {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

void AnswerNextBox(BoxAnswer& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&seen, press]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        box->button(press)->click();
    });
}

}  // namespace

class TestAdapters : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
    }

    void settingsRoundTripUnderKorval() {
        const std::string high = AllHighBytes();
        {
            QtSettingsStore store;
            QVERIFY(store.FileName().startsWith(settingsDir_.path()));
            QVERIFY(store.FileName().contains(QStringLiteral("KORVAL")));
            QVERIFY(store.FileName().contains(QStringLiteral("Tarnex")));
            store.WriteString("Parametri", "Banda", "1,8");
            store.WriteString("Parametri", "Path log aperto", "/home/op/gare/sezioni 2005.trnx");
            store.WriteString("Dati riassuntivi", "Indirizzo riga 1", "Via Garibaldi, 3 \"interno\" = 2; #5");
            store.WriteString("Dati riassuntivi", "Nome", "Nicol\xf2 Citt\xe0");
            store.WriteString("Dati riassuntivi", "Commento riga 1", high);
            store.WriteString("Dati riassuntivi", "Commento riga 2", "");
            store.WriteInt("Parametri", "Punteggio", INT32_MAX);
            store.WriteInt("Parametri", "Colore sfondo", INT32_MIN);
            store.WriteInt("Parametri", "Modificato", 1);
            store.Sync();
        }
        QtSettingsStore store;
        QCOMPARE(store.ReadString("Parametri", "Banda", "7"), std::string("1,8"));
        QCOMPARE(store.ReadString("Parametri", "Path log aperto", ""),
                 std::string("/home/op/gare/sezioni 2005.trnx"));
        QCOMPARE(store.ReadString("Dati riassuntivi", "Indirizzo riga 1", ""),
                 std::string("Via Garibaldi, 3 \"interno\" = 2; #5"));
        QCOMPARE(store.ReadString("Dati riassuntivi", "Nome", ""), std::string("Nicol\xf2 Citt\xe0"));
        QCOMPARE(store.ReadString("Dati riassuntivi", "Commento riga 1", ""), high);
        QCOMPARE(store.ReadString("Dati riassuntivi", "Commento riga 2", "x"), std::string());
        QCOMPARE(store.ReadString("Dati riassuntivi", "Operatori", "fallback"), std::string("fallback"));
        QCOMPARE(store.ReadInt("Parametri", "Punteggio", 0), INT32_MAX);
        QCOMPARE(store.ReadInt("Parametri", "Colore sfondo", 0), INT32_MIN);
        QCOMPARE(store.ReadInt("Parametri", "Consigli", 1), 1);
        // A value that is no number reads as the default.
        QCOMPARE(store.ReadInt("Parametri", "Banda", 42), 42);

        // Sections are groups of the settings file.
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "KORVAL", "Tarnex");
        QCOMPARE(raw.value("Parametri/Modificato").toInt(), 1);
        QCOMPARE(raw.value("Dati riassuntivi/Nome").toString(),
                 QString::fromUtf8("Nicol\xc3\xb2 Citt\xc3\xa0"));
    }

    void settingsOverTheQtStoreSurviveARestart() {
        QTemporaryDir dir;
        const QString file = dir.filePath("tarnex.ini");
        {
            QtSettingsStore store(file);
            Settings settings(store);
            settings.Load();
            QCOMPARE(settings.band, std::string("7"));
            QCOMPARE(settings.backgroundColour, 11563120);
            settings.SetOpenLog("/tmp/gara.trnx", "gara.trnx");
            settings.SetModified(true);
            settings.SetBand("3,5");
        }
        QtSettingsStore store(file);
        Settings settings(store);
        settings.Load();
        QCOMPARE(settings.openLogName, std::string("gara.trnx"));
        QVERIFY(settings.modified);
        QCOMPARE(settings.band, std::string("3,5"));
    }

    // A key with a letter beyond ASCII ("Radio velocit\xE0", Windows-1252 in the
    // core) is the same key in the file as the text the user reads, and reads back.
    void radioSettingsWithAnAccentedKey() {
        QTemporaryDir dir;
        const QString file = dir.filePath("tarnex.ini");
        {
            QtSettingsStore store(file);
            Settings settings(store);
            settings.Load();
            QCOMPARE(settings.radioSpeed, 0);
            QCOMPARE(settings.radioIntervalMs, 500);
            settings.SetRadio(2, "localhost:4532", 19200, 250);
        }
        QSettings raw(file, QSettings::IniFormat);
        QCOMPARE(raw.value(QString::fromUtf8("Parametri/Radio velocit\xc3\xa0")).toInt(), 19200);
        QCOMPARE(raw.value("Parametri/Radio modello").toInt(), 2);
        QCOMPARE(raw.value("Parametri/Radio porta").toString(), QStringLiteral("localhost:4532"));
        QCOMPARE(raw.value("Parametri/Radio intervallo").toInt(), 250);
        QCOMPARE(raw.allKeys().size(), 4);

        // A file written elsewhere with the key as text is read by the program.
        raw.setValue(QString::fromUtf8("Parametri/Radio velocit\xc3\xa0"), 4800);
        raw.sync();
        QtSettingsStore store(file);
        Settings settings(store);
        settings.Load();
        QCOMPARE(settings.radioModel, 2);
        QCOMPARE(settings.radioPort, std::string("localhost:4532"));
        QCOMPARE(settings.radioSpeed, 4800);
        QCOMPARE(settings.radioIntervalMs, 250);
    }

    void codecRoundTripsEveryByte() {
        std::string all;
        for (int b = 0; b < 256; ++b) {
            all.push_back(static_cast<char>(b));
        }
        QString text = TextCodec::ToQString(all);
        QCOMPARE(text.size(), qsizetype(256));
        QCOMPARE(TextCodec::ToBytes(text), all);
        for (int b = 128; b < 256; ++b) {
            std::string one(1, static_cast<char>(b));
            QString decoded = TextCodec::ToQString(one);
            QCOMPARE(decoded.size(), qsizetype(1));
            QVERIFY2(decoded[0] != QChar(0xFFFD), qPrintable(QString::number(b, 16)));
            QCOMPARE(TextCodec::ToBytes(decoded), one);
        }
    }

    void codecMapsTheCodePage() {
        struct Case {
            unsigned char byte;
            char16_t character;
        } cases[] = {{0x80, u'\u20AC'}, {0x92, u'\u2019'}, {0x9C, u'\u0153'}, {0xE0, u'\u00E0'},
                     {0xF2, u'\u00F2'}, {0xFF, u'\u00FF'}, {0x81, u'\u0081'}, {0x8D, u'\u008D'},
                     {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x9D, u'\u009D'}, {0x41, u'A'},
                     {0x00, u'\0'}};
        for (const Case& c : cases) {
            QCOMPARE(TextCodec::ToQString(std::string(1, static_cast<char>(c.byte))),
                     QString(QChar(c.character)));
            QCOMPARE(TextCodec::ToBytes(QString(QChar(c.character))),
                     std::string(1, static_cast<char>(c.byte)));
        }
        // Characters the code page has no byte for become "?", one each, and the
        // converter keeps working afterwards.
        const QString mixed = QString::fromUtf8("a\xe4\xb8\xad\xe2\x82\xac\xf0\x9f\x98\x80z");
        QCOMPARE(TextCodec::ToBytes(mixed), std::string("a?\x80?z"));
        QVERIFY(!TextCodec::CanEncode(mixed));
        QVERIFY(TextCodec::CanEncode(QString::fromUtf8("Citt\xc3\xa0 \xe2\x82\xac")));
        QCOMPARE(TextCodec::ToBytes(QStringLiteral("IK1ABC")), std::string("IK1ABC"));

        const QString name = QString::fromUtf8("/tmp/gare/sezioni \xc3\xa8 2005.trnx");
        QCOMPARE(TextCodec::PathToQString(TextCodec::QStringToPath(name)), name);
    }

    void messageBoxesHaveTheirIconAndButtons() {
        struct Case {
            MessageIcon icon;
            QMessageBox::Icon qtIcon;
        } cases[] = {{MessageIcon::Stop, QMessageBox::Critical},
                     {MessageIcon::Exclamation, QMessageBox::Warning},
                     {MessageIcon::Information, QMessageBox::Information},
                     {MessageIcon::Question, QMessageBox::Question}};
        for (const Case& c : cases) {
            auto box = QtUserPrompts::MakeMessageBox("Impossibile creare file log corrente:\n/x/_ult.trnx\n",
                                                     "Errore", c.icon, nullptr);
            QCOMPARE(box->icon(), c.qtIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box->windowTitle(), QStringLiteral("Errore"));
            QCOMPARE(box->text(), QStringLiteral("Impossibile creare file log corrente:\n/x/_ult.trnx\n"));
            QCOMPARE(box->textFormat(), Qt::PlainText);
        }
        auto question = QtUserPrompts::MakeQuestionBox("Vuoi continuare?", "Richiesta di conferma", nullptr);
        QCOMPARE(question->icon(), QMessageBox::Question);
        QCOMPARE(question->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question->windowTitle(), QStringLiteral("Richiesta di conferma"));
    }

    void promptsShowAndAnswer() {
        QtUserPrompts prompts;
        BoxAnswer seen;
        AnswerNextBox(seen, QMessageBox::Ok);
        prompts.ShowMessage("Non digitare pi\xf9 di 60 caratteri.", kProgramName, MessageIcon::Exclamation);
        QCOMPARE(seen.title, QStringLiteral("Tarnex"));
        QCOMPARE(seen.text, QString::fromUtf8("Non digitare pi\xc3\xb9 di 60 caratteri."));
        QCOMPARE(seen.icon, QMessageBox::Warning);

        AnswerNextBox(seen, QMessageBox::Yes);
        QVERIFY(prompts.AskYesNo("Vuoi continuare?", "Richiesta di conferma"));
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen.icon, QMessageBox::Question);
        AnswerNextBox(seen, QMessageBox::No);
        QVERIFY(!prompts.AskYesNo("Vuoi continuare?", "Richiesta di conferma"));
    }

    void fileDialogOptionsAreMapped() {
        FileDialogOptions open;
        open.title = "Apri log";
        open.filterText = "File log Tarnex (*.trnx)";
        open.filterPattern = "*.trnx";
        open.mustExist = true;
        QFileDialog openDialog;
        QtUserPrompts::ConfigureFileDialog(openDialog, open, false);
        QCOMPARE(openDialog.windowTitle(), QStringLiteral("Apri log"));
        QCOMPARE(openDialog.nameFilters(), QStringList{QStringLiteral("File log Tarnex (*.trnx)")});
        QCOMPARE(openDialog.fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(openDialog.acceptMode(), QFileDialog::AcceptOpen);

        FileDialogOptions save;
        save.title = "Salva il log corrente";
        save.filterText = "File log Tarnex (*.trnx)";
        save.filterPattern = "*.trnx";
        save.defaultExtension = "trnx";
        save.confirmOverwrite = true;
        save.initialName = "gara.trnx";
        QFileDialog saveDialog;
        QtUserPrompts::ConfigureFileDialog(saveDialog, save, true);
        QCOMPARE(saveDialog.windowTitle(), QStringLiteral("Salva il log corrente"));
        QCOMPARE(saveDialog.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(saveDialog.defaultSuffix(), QStringLiteral("trnx"));
        QVERIFY(!saveDialog.testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(saveDialog.nameFilters(), QStringList{QStringLiteral("File log Tarnex (*.trnx)")});

        save.confirmOverwrite = false;
        QFileDialog quietDialog;
        QtUserPrompts::ConfigureFileDialog(quietDialog, save, true);
        QVERIFY(quietDialog.testOption(QFileDialog::DontConfirmOverwrite));
    }

    void applicationStartsAndItsSessionLoadsTheJournal() {
        QTemporaryDir folder;
        MemorySettingsStore store;
        store.WriteString("Parametri", "Nome log aperto", "gara.trnx");
        testing::ScriptedPrompts prompts;
        ApplicationSetup setup;
        setup.store = &store;
        setup.prompts = &prompts;
        setup.programFolder = folder.path().toStdString();
        Application app(setup);
        app.Start();
        QCOMPARE(prompts.records.size(), size_t(1));
        QCOMPARE(prompts.records[0].text, "Errore apertura file sezioni:\n" + folder.path().toStdString() +
                                              "/_sez.cod\n\nImportare elenco sezioni dal menu Strumenti");
        QCOMPARE(app.ProgramFolder(), folder.path().toStdString() + "/");

        QVERIFY(app.Session().LoadJournal());
        QVERIFY(QFile::exists(folder.filePath("_ult.trnx")));
        QCOMPARE(app.Session().Title(), std::string("TARNEX - Contest delle Sezioni ARI - gara.trnx"));
    }

    // The data folder is the one Qt names for the program (where it was before the
    // command-line tool had to find it too), except that a relative XDG_DATA_HOME,
    // which Qt takes from the current directory, is ignored.
    void dataFolderIsTheOneQtNames() {
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        const QString oldOrganisation = QCoreApplication::organizationName();
        const QString oldApplication = QCoreApplication::applicationName();
        QCoreApplication::setOrganizationName(kOrganisationName);
        QCoreApplication::setApplicationName(kApplicationName);
        const struct {
            const char* home;
            const char* data;  // null: unset
        } cases[] = {
            {"/home/op", nullptr},     {"/home/op/", nullptr},     {"/home/op", ""},
            {"/home/op", "/srv/dati"}, {"/home/op", "/srv/dati/"},
        };
        for (const auto& c : cases) {
            qputenv("HOME", c.home);
            if (c.data == nullptr) {
                qunsetenv("XDG_DATA_HOME");
            } else {
                qputenv("XDG_DATA_HOME", c.data);
            }
            const QString qt =
                QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
            QCOMPARE(QString::fromStdString(UserDataFolder()), qt);
            QCOMPARE(Application::DefaultFolders().userDataFolder, UserDataFolder());
        }
        qputenv("HOME", "/home/op");
        qputenv("XDG_DATA_HOME", "dati/relativi");
        QCOMPARE(UserDataFolder(), std::string("/home/op/.local/share/KORVAL/Tarnex"));
        qunsetenv("HOME");
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(UserDataFolder(), std::string());

        qputenv("HOME", oldHome);
        if (oldData.isNull()) {
            qunsetenv("XDG_DATA_HOME");
        } else {
            qputenv("XDG_DATA_HOME", oldData);
        }
        QCoreApplication::setOrganizationName(oldOrganisation);
        QCoreApplication::setApplicationName(oldApplication);
    }

  private:
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(TestAdapters)
#include "tst_adapters.moc"
