#include "ui/SectionsController.h"

#include <QWidget>

#include "app/AppTexts.h"
#include "base/UserPrompts.h"
#include "sections/SectionsFile.h"
#include "sections/SectionsImport.h"
#include "ui/TextCodec.h"

namespace tarnex {

SectionsController::SectionsController(SectionTable& table, const WorkedSections& worked,
                                       UserPrompts& prompts, std::string programFolder, QWidget* window)
    : QObject(window),
      table_(table),
      worked_(worked),
      prompts_(prompts),
      programFolder_(std::move(programFolder)),
      window_(window),
      runDialog_([](CSectionsDlg& dialog) { return dialog.exec(); }) {}

std::string SectionsController::SectionsFilePath() const {
    return programFolder_ + kSectionsFileName;
}

// The whole table to "_sez.cod", replacing the file in one piece.
bool SectionsController::SaveTable() {
    if (!SaveSectionsFile(SectionsFilePath(), table_)) {
        prompts_.ShowMessage(kImportSaveErrorText, kImportErrorTitle, MessageIcon::Stop);
        return false;
    }
    return true;
}

void SectionsController::ShowSectionsList() {
    CSectionsDlg dialog(table_, worked_, prompts_, window_, editRunner_);
    if (runDialog_(dialog) == QDialog::Accepted) {
        SaveTable();
    }
}

void SectionsController::ImportSectionsList() {
    if (!prompts_.AskYesNoWithIcon(ImportQuestionText(), kImportInformationTitle, MessageIcon::Information)) {
        return;
    }
    FileDialogOptions options;
    options.title = kImportDialogTitle;
    options.filterText = kImportFilterText;
    options.filterPattern = kImportFilterPattern;
    options.mustExist = false;
    options.folderMustExist = true;
    std::optional<std::string> path = prompts_.ChooseOpenFile(options);
    if (!path) {
        return;
    }
    std::optional<size_t> accepted = ImportSectionsFile(*path, table_);
    if (!accepted) {
        // The path is the file system's; the message is in the program's code page.
        prompts_.ShowMessage(ImportOpenErrorText(TextCodec::ToBytes(TextCodec::PathToQString(*path))),
                             kImportErrorTitle, MessageIcon::Stop);
        return;
    }
    prompts_.ShowMessage(ImportCountText(*accepted), kImportInformationTitle, MessageIcon::Information);
    if (*accepted == 0) {
        return;
    }
    if (!SaveTable()) {
        return;
    }
    ShowSectionsList();
}

}  // namespace tarnex
