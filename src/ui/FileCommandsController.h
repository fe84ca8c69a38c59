#pragma once
// "Nuovo log", "Apri", "Salva" (F5) and "Salva come..." of the main window: the
// session carries them out (questions, file dialogs, settings, journal and the
// recent-file list); the controller keeps the window title in step.

#include <QObject>
#include <QString>

#include "app/LogSession.h"

class QWidget;

namespace tarnex {

class FileCommandsController : public QObject, private LogSessionListener {
    Q_OBJECT
  public:
    // Listens to the session in front of the listener it already has (the window),
    // which is still told everything. Lives as long as the window.
    FileCommandsController(QWidget& window, LogSession& session);
    ~FileCommandsController() override;

  public slots:
    void NewLog();
    void Open();
    void Save();
    void SaveAs();

  private:
    void TitleChanged(const std::string& title) override;
    void LogReplaced() override;

    QWidget& window_;
    LogSession& session_;
    LogSessionListener* next_ = nullptr;
};

}  // namespace tarnex
