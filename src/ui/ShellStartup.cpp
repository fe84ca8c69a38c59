#include "ui/ShellStartup.h"

#include <QApplication>
#include <QDBusConnection>

#include "app/Settings.h"
#include "ui/AutomationActivation.h"
#include "ui/CSplashDlg.h"
#include "ui/CTarnexDlg.h"
#include "ui/CTarnexDlgAutoProxy.h"
#include "ui/DialogColours.h"

namespace tarnex {

std::unique_ptr<CTarnexDlgAutoProxy> StartAutomation(const QStringList& arguments) {
    if (!CTarnexDlgAutoProxy::IsAutomationStart(arguments)) {
        RefreshActivationFile(QCoreApplication::applicationFilePath());
        return nullptr;
    }
    auto automation = std::make_unique<CTarnexDlgAutoProxy>();
    automation->Register(QDBusConnection::sessionBus());
    return automation;
}

void ShowSplashAndApplyColours(QApplication& app, const Settings& settings) {
    {
        CSplashDlg splash;
        splash.exec();
    }
    ApplyDialogColours(app, settings.backgroundColour, settings.textColour);
}

void LinkAutomation(CTarnexDlgAutoProxy* automation, CTarnexDlg& window) {
    if (automation == nullptr) {
        return;
    }
    automation->SetMainWindow(&window);
    // The program ends when its main window closes, also when the window was hidden
    // at the time.
    automation->SetCloser([&window] {
        if (window.close()) {
            QCoreApplication::quit();
        }
    });
    window.setCloseInterceptor([automation] { return automation->InterceptClose(); });
}

}  // namespace tarnex
