#pragma once
// The person's side of UserPrompts in the window program: message boxes and the
// platform's file dialogs. The boxes and dialogs are built by the Make/Configure
// functions, so that what they show can be checked without showing them.

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <memory>

#include "base/UserPrompts.h"

namespace tarnex {

class QtUserPrompts : public UserPrompts {
  public:
    explicit QtUserPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    // The window the boxes belong to (the main window once it exists).
    void SetParentWidget(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    bool AskYesNoWithIcon(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) override;

    static QMessageBox::Icon IconOf(MessageIcon icon);
    // A box with one OK button.
    static std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& title,
                                                       MessageIcon icon, QWidget* parent);
    // A box with the question icon and the buttons Yes and No.
    static std::unique_ptr<QMessageBox> MakeQuestionBox(const std::string& text, const std::string& title,
                                                        QWidget* parent,
                                                        MessageIcon icon = MessageIcon::Question);
    // Title, filter, default extension, initial name and the open or save options.
    static void ConfigureFileDialog(QFileDialog& dialog, const FileDialogOptions& options, bool save);

  private:
    std::optional<std::string> RunFileDialog(const FileDialogOptions& options, bool save);
    QPointer<QWidget> parent_;
};

}  // namespace tarnex
