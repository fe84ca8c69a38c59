#pragma once
// A plain main window until the real one takes its place: it loads the journal,
// shows the title and the number of entries, and follows the session's changes.

#include <QLabel>
#include <QMainWindow>

#include "app/LogSession.h"

namespace tarnex {

class PlaceholderWindow : public QMainWindow, private LogSessionListener {
    Q_OBJECT
  public:
    explicit PlaceholderWindow(LogSession& session, QWidget* parent = nullptr);
    ~PlaceholderWindow() override;

  private:
    void TitleChanged(const std::string& title) override;
    void LogReplaced() override;
    void ShowCount();

    LogSession& session_;
    QLabel* count_ = nullptr;
};

}  // namespace tarnex
