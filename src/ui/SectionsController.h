#pragma once
// The main window's two commands on the list of sections, "Elenco Sezioni Ari" and
// "Importa elenco Sezioni da file di testo": SectionsCommands runs them; this object
// only opens the sections dialog when they ask for it.

#include <QObject>
#include <functional>
#include <string>

#include "app/SectionsCommands.h"
#include "ui/CSectionsDlg.h"

class QWidget;

namespace tarnex {

class SectionTable;
class UserPrompts;
class WorkedSections;

class SectionsController : public QObject {
    Q_OBJECT
  public:
    // Runs the sections dialog and gives back how it ended (QDialog::Accepted after
    // Salva).
    using DialogRunner = std::function<int(CSectionsDlg& dialog)>;

    SectionsController(SectionTable& table, const WorkedSections& worked, UserPrompts& prompts,
                       std::string programFolder, QWidget* window);

    // Test seams: how the sections dialog and its edit dialog are run.
    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    void SetEditRunner(CSectionsDlg::EditRunner runner) { editRunner_ = std::move(runner); }

    std::string SectionsFilePath() const { return commands_.SectionsFilePath(); }

    void ShowSectionsList();
    void ImportSectionsList();

  private:
    // Runs the sections dialog; true after its Salva.
    bool RunDialog();

    SectionTable& table_;
    const WorkedSections& worked_;
    UserPrompts& prompts_;
    SectionsCommands commands_;
    QWidget* window_;
    DialogRunner runDialog_;
    CSectionsDlg::EditRunner editRunner_;
};

}  // namespace tarnex
