#include "ui/PlaceholderWindow.h"

#include "ui/TextCodec.h"

namespace tarnex {

PlaceholderWindow::PlaceholderWindow(LogSession& session, QWidget* parent)
    : QMainWindow(parent), session_(session), count_(new QLabel(this)) {
    setCentralWidget(count_);
    session_.SetListener(this);
    session_.LoadJournal();
    TitleChanged(session_.Title());
    ShowCount();
}

PlaceholderWindow::~PlaceholderWindow() {
    session_.SetListener(nullptr);
}

void PlaceholderWindow::TitleChanged(const std::string& title) {
    setWindowTitle(TextCodec::ToQString(title));
}

void PlaceholderWindow::LogReplaced() {
    ShowCount();
}

void PlaceholderWindow::ShowCount() {
    count_->setText(QString::number(static_cast<qulonglong>(session_.Log().RowCount())));
}

}  // namespace tarnex
