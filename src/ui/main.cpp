#include <QApplication>

#include "ui/Application.h"
#include "ui/CTarnexDlg.h"
#include "ui/CTarnexDlgAutoProxy.h"
#include "ui/QtSettingsStore.h"
#include "ui/ShellStartup.h"

namespace {
// The program's main window: built over the log session, it loads the journal when
// it opens.
using MainWindow = tarnex::CTarnexDlg;
}  // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QCoreApplication::setOrganizationName(tarnex::kOrganisationName);
    QCoreApplication::setApplicationName(tarnex::kApplicationName);
    // The desktop links the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tarnex::kDesktopId));

    std::unique_ptr<tarnex::CTarnexDlgAutoProxy> automation = tarnex::StartAutomation(qtApp.arguments());

    tarnex::Application app;
    app.Start();
    tarnex::ShowSplashAndApplyColours(qtApp, app.GetSettings());

    MainWindow window(app.Session());
    app.SetMainWindow(&window);
    tarnex::LinkAutomation(automation.get(), window);
    window.show();
    return qtApp.exec();
}
