#pragma once
// F1 in any window of the program, modal or not (the main window, the station summary,
// the options, the sections list, the edit dialogs, the score window, a message box):
// the instructions open over that window. A shortcut of the main window cannot do
// this, because a modal dialog blocks the window the shortcut belongs to; this filter
// sees the key wherever it is pressed.

#include <QObject>
#include <functional>

class QWidget;

namespace tarnex {

class HelpKey : public QObject {
    Q_OBJECT
  public:
    // Shows the instructions over a window.
    using Opener = std::function<void(QWidget* over)>;

    // Listens to the whole program for as long as `owner` (the main window) lives.
    HelpKey(QWidget* owner, Opener open);
    ~HelpKey() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Opener open_;
};

}  // namespace tarnex
