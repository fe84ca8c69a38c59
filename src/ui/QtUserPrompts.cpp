#include "ui/QtUserPrompts.h"

#include "ui/TextCodec.h"

namespace tarnex {

QMessageBox::Icon QtUserPrompts::IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

std::unique_ptr<QMessageBox> QtUserPrompts::MakeMessageBox(const std::string& text, const std::string& title,
                                                           MessageIcon icon, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(IconOf(icon), TextCodec::ToQString(title),
                                             TextCodec::ToQString(text), QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

std::unique_ptr<QMessageBox> QtUserPrompts::MakeQuestionBox(const std::string& text, const std::string& title,
                                                            QWidget* parent, MessageIcon icon) {
    auto box =
        std::make_unique<QMessageBox>(IconOf(icon), TextCodec::ToQString(title), TextCodec::ToQString(text),
                                      QMessageBox::Yes | QMessageBox::No, parent);
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
    return box;
}

void QtUserPrompts::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    MakeMessageBox(text, title, icon, parent_)->exec();
}

bool QtUserPrompts::AskYesNo(const std::string& text, const std::string& title) {
    return MakeQuestionBox(text, title, parent_)->exec() == QMessageBox::Yes;
}

bool QtUserPrompts::AskYesNoWithIcon(const std::string& text, const std::string& title, MessageIcon icon) {
    return MakeQuestionBox(text, title, parent_, icon)->exec() == QMessageBox::Yes;
}

void QtUserPrompts::ConfigureFileDialog(QFileDialog& dialog, const FileDialogOptions& options, bool save) {
    dialog.setWindowTitle(TextCodec::ToQString(options.title));
    QString filter = TextCodec::ToQString(options.filterText);
    // The dialog takes the patterns from the last parentheses of the filter text,
    // separated by spaces ("*.log;*.cbr" lists two). When the text shows the patterns
    // otherwise ("(*.log, *.cbr)"), they are added for the dialog and hidden from view.
    QString pattern = TextCodec::ToQString(options.filterPattern);
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (!pattern.isEmpty() && !filter.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
        if (filter.isEmpty()) {
            filter = pattern;
        } else {
            filter += QStringLiteral(" (") + pattern + QLatin1Char(')');
            dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        }
    }
    if (!filter.isEmpty()) {
        dialog.setNameFilter(filter);
    }
    dialog.setDefaultSuffix(TextCodec::ToQString(options.defaultExtension));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // A save dialog only offers names in existing folders.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(options.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!options.initialName.empty()) {
        dialog.selectFile(TextCodec::PathToQString(options.initialName));
    }
}

std::optional<std::string> QtUserPrompts::RunFileDialog(const FileDialogOptions& options, bool save) {
    QFileDialog dialog(parent_);
    ConfigureFileDialog(dialog, options, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return TextCodec::QStringToPath(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtUserPrompts::ChooseOpenFile(const FileDialogOptions& options) {
    return RunFileDialog(options, false);
}

std::optional<std::string> QtUserPrompts::ChooseSaveFile(const FileDialogOptions& options) {
    return RunFileDialog(options, true);
}

void QtUserPrompts::ConfigureOpenFilesDialog(QFileDialog& dialog, const FileDialogOptions& options) {
    ConfigureFileDialog(dialog, options, false);
    dialog.setFileMode(QFileDialog::ExistingFiles);
}

std::vector<std::string> QtUserPrompts::ChooseOpenFiles(const FileDialogOptions& options) {
    QFileDialog dialog(parent_);
    ConfigureOpenFilesDialog(dialog, options);
    std::vector<std::string> paths;
    if (dialog.exec() == QDialog::Accepted) {
        for (const QString& file : dialog.selectedFiles()) {
            paths.push_back(TextCodec::QStringToPath(file));
        }
    }
    return paths;
}

}  // namespace tarnex
