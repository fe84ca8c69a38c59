#include "ui/ShellStartup.h"

#include <QApplication>
#include <QDBusConnection>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/Settings.h"
#include "ui/AutomationActivation.h"
#include "ui/CSplashDlg.h"
#include "ui/CTarnexDlg.h"
#include "ui/CTarnexDlgAutoProxy.h"
#include "ui/DialogColours.h"
#include "ui/MainWindowControls.h"

namespace tarnex {

QIcon ProgramIcon() {
    EnsureMainResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/main/tarnex%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QTranslator* LoadQtItalianTexts(QCoreApplication& app, const QString& folder) {
    auto* translator = new QTranslator(&app);
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (!translator->load(QStringLiteral("qtbase_it"), from) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

void SetUpApplication(QApplication& app) {
    QApplication::setWindowIcon(ProgramIcon());
    LoadQtItalianTexts(app);
}

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
