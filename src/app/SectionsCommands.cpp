#include "app/SectionsCommands.h"

#include <optional>

#include "app/AppTexts.h"
#include "base/UserPrompts.h"
#include "sections/SectionTable.h"
#include "sections/SectionsFile.h"
#include "sections/SectionsImport.h"
#include "util/TextNumber.h"

namespace tarnex {

std::string DuplicateSectionText(const std::string& earlierName, const SectionRow& row) {
    return "ATTENZIONE!\n\nLe sezioni di " + earlierName + "\ne di " + row.name +
           "\nhanno lo stesso codice: " + row.code + "\n\nModifica i codici!";
}

bool StoreSectionRows(const std::vector<SectionRow>& rows, SectionTable& table, UserPrompts& prompts) {
    table.Clear();
    for (const SectionRow& row : rows) {
        const int32_t code = NumericValue(row.code);
        if (table.IsKnown(code)) {
            prompts.ShowMessage(DuplicateSectionText(table.NameOf(code), row), kErrorTitle,
                                MessageIcon::Stop);
            return false;
        }
        table.SetName(code, row.name);
    }
    return true;
}

SectionsCommands::SectionsCommands(SectionTable& table, UserPrompts& prompts, std::string programFolder,
                                   PathText pathText)
    : table_(table),
      prompts_(prompts),
      programFolder_(std::move(programFolder)),
      pathText_(std::move(pathText)) {
    if (!pathText_) {
        pathText_ = [](const std::string& path) { return path; };
    }
}

std::string SectionsCommands::SectionsFilePath() const {
    return programFolder_ + kSectionsFileName;
}

bool SectionsCommands::SaveTable() {
    if (!SaveSectionsFile(SectionsFilePath(), table_)) {
        prompts_.ShowMessage(kImportSaveErrorText, kErrorTitle, MessageIcon::Stop);
        return false;
    }
    return true;
}

void SectionsCommands::ShowSectionsList(const ListDialog& dialog) {
    if (dialog()) {
        SaveTable();
    }
}

void SectionsCommands::ImportSectionsList(const ListDialog& dialog) {
    if (!prompts_.AskYesNoWithIcon(ImportQuestionText(), kInformationTitle, MessageIcon::Information)) {
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
        prompts_.ShowMessage(ImportOpenErrorText(pathText_(*path)), kErrorTitle, MessageIcon::Stop);
        return;
    }
    prompts_.ShowMessage(ImportCountText(*accepted), kInformationTitle, MessageIcon::Information);
    if (*accepted == 0 || !SaveTable()) {
        return;
    }
    ShowSectionsList(dialog);
}

}  // namespace tarnex
