#pragma once
// The window program's own steps around start-up: the automation object before the
// settings are read, the splash window and the dialog colours before the main window,
// and the link between the automation object and the main window.

#include <QIcon>
#include <QString>
#include <QStringList>
#include <memory>

class QApplication;
class QCoreApplication;
class QTranslator;

namespace tarnex {

class CTarnexDlg;
class CTarnexDlgAutoProxy;
class Settings;

// The program icon in its four sizes.
QIcon ProgramIcon();

// Qt's own texts (the buttons of message boxes, the file dialogs, the fields' context
// menus) in Italian like the program's: Qt's translation from `folder`, by default
// the one Qt was installed with (Debian's qt6-translations-l10n). Returns the
// translator, installed and owned by the application, or nullptr when there is none
// to load: the program then runs with Qt's English texts.
QTranslator* LoadQtItalianTexts(QCoreApplication& app, const QString& folder = {});

// The first steps after the application object: the program icon for every window
// (the about box shows it too) and Qt's texts in Italian.
void SetUpApplication(QApplication& app);

// Started with "-Embedding" or "-Automation" ("/" also): the object is put on the
// session bus (nothing, and no word to the person, when there is no bus). Otherwise
// the bus's activation file for the object is refreshed; null is returned.
std::unique_ptr<CTarnexDlgAutoProxy> StartAutomation(const QStringList& arguments);

// Shows the splash window until it closes, then gives every dialog the two stored
// colours.
void ShowSplashAndApplyColours(QApplication& app, const Settings& settings);

// While a client holds the object, closing the main window only hides it; when the
// last client leaves, a window closed meanwhile closes for real. Nothing when there
// is no object.
void LinkAutomation(CTarnexDlgAutoProxy* automation, CTarnexDlg& window);

}  // namespace tarnex
