#include "ui/FileCommandsController.h"

#include <QWidget>

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
    window_.setWindowTitle(TextCodec::ToQString(title));
}

void FileCommandsController::LogReplaced() {
    if (next_ != nullptr) {
        next_->LogReplaced();
    }
}

}  // namespace tarnex
