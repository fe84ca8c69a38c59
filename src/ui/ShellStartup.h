#pragma once
// The window program's own steps around start-up: the automation object before the
// settings are read, the splash window and the dialog colours before the main window,
// and the link between the automation object and the main window.

#include <QStringList>
#include <memory>

class QApplication;

namespace tarnex {

class CTarnexDlg;
class CTarnexDlgAutoProxy;
class Settings;

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
