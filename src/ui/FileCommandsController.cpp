#include "ui/FileCommandsController.h"

#include <QWidget>

#include "app/AppTexts.h"
#include "ui/TextCodec.h"

namespace tarnex {

FileCommandsController::FileCommandsController(QWidget& window, LogSession& session)
    : QObject(&window), window_(window), session_(session), next_(session.Listener()) {
    session_.SetListener(this);
}

FileCommandsController::~FileCommandsController() {
    // The listener behind this one is the window, which is going too.
    if (session_.Listener() == this) {
        session_.SetListener(nullptr);
    }
}

QString FileCommandsController::WindowTitle(const Settings& settings) {
    QString title = QString::fromLatin1(kBaseTitle);
    if (!settings.openLogName.empty()) {
        title += QStringLiteral(" - ") + TextCodec::PathToQString(settings.openLogName);
    }
    return title;
}

void FileCommandsController::NewLog() {
    session_.New();
}

void FileCommandsController::Open() {
    session_.Open();
}

void FileCommandsController::Save() {
    session_.Save();
}

void FileCommandsController::SaveAs() {
    session_.SaveAs();
}

void FileCommandsController::TitleChanged(const std::string& title) {
    if (next_ != nullptr) {
        next_->TitleChanged(title);
    }
    // The file name is shown as the file system spells it, not as log text.
    window_.setWindowTitle(WindowTitle(session_.GetSettings()));
}

void FileCommandsController::LogReplaced() {
    if (next_ != nullptr) {
        next_->LogReplaced();
    }
}

}  // namespace tarnex
