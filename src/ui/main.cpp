#include <QApplication>

#include "ui/Application.h"
#include "ui/CTarnexDlg.h"
#include "ui/QtSettingsStore.h"

namespace {
// The program's main window: built over the log session, it loads the journal when
// it opens.
using MainWindow = tarnex::CTarnexDlg;
}  // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QCoreApplication::setOrganizationName(tarnex::kOrganisationName);
    QCoreApplication::setApplicationName(tarnex::kApplicationName);

    tarnex::Application app;
    app.Start();

    MainWindow window(app.Session());
    app.SetMainWindow(&window);
    window.show();
    return qtApp.exec();
}
