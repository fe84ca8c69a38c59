#include "ui/SectionsController.h"

#include <QWidget>

#include "ui/TextCodec.h"

namespace tarnex {

SectionsController::SectionsController(SectionTable& table, const WorkedSections& worked,
                                       UserPrompts& prompts, std::string programFolder, QWidget* window)
    : QObject(window),
      table_(table),
      worked_(worked),
      prompts_(prompts),
      // The path is the file system's; a message shows it in the program's code page.
      commands_(table, prompts, std::move(programFolder),
                [](const std::string& path) { return TextCodec::ToBytes(TextCodec::PathToQString(path)); }),
      window_(window),
      runDialog_([](CSectionsDlg& dialog) { return dialog.exec(); }) {}

bool SectionsController::RunDialog() {
    CSectionsDlg dialog(table_, worked_, prompts_, window_, editRunner_);
    return runDialog_(dialog) == QDialog::Accepted;
}

void SectionsController::ShowSectionsList() {
    commands_.ShowSectionsList([this] { return RunDialog(); });
}

void SectionsController::ImportSectionsList() {
    commands_.ImportSectionsList([this] { return RunDialog(); });
}

}  // namespace tarnex
