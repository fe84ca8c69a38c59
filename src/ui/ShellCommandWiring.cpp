#include "ui/ShellCommandWiring.h"

#include <QAction>

#include "app/LogSession.h"
#include "ui/CAboutDlg.h"
#include "ui/CInstructionsDlg.h"
#include "ui/COptionsDlg.h"
#include "ui/CTarnexDlg.h"
#include "ui/SectionsController.h"

namespace tarnex {

void ShowInstructions(QWidget* over) {
    CInstructionsDlg dialog(InstructionsText(), over);
    dialog.exec();
}

void WireShellCommands(CTarnexDlg& window, LogSession& session) {
    auto* sections = new SectionsController(session.Sections(), session.Log().Worked(), session.Prompts(),
                                            session.ProgramFolder(), &window);
    QObject::connect(window.action(MenuCommand::SectionsList), &QAction::triggered, sections,
                     [sections] { sections->ShowSectionsList(); });
    QObject::connect(window.action(MenuCommand::ImportSections), &QAction::triggered, sections,
                     [sections] { sections->ImportSectionsList(); });

    QObject::connect(window.action(MenuCommand::Options), &QAction::triggered, &window, [&window, &session] {
        COptionsDlg dialog(session.GetSettings(), &window);
        if (dialog.exec() == QDialog::Accepted) {
            emit window.optionsSaved();
        }
    });
    QObject::connect(window.action(MenuCommand::About), &QAction::triggered, &window, [&window] {
        CAboutDlg dialog(&window, [](QWidget* about) { ShowInstructions(about); });
        dialog.exec();
    });
    QObject::connect(window.action(MenuCommand::Instructions), &QAction::triggered, &window,
                     [&window] { ShowInstructions(&window); });
}

}  // namespace tarnex
