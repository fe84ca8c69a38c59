#pragma once
// The window shown for a moment at start-up, before the main window: the program's
// picture, no caption, no buttons; it closes by itself.

#include <QDialog>

class QTimer;

namespace tarnex {

class CSplashDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kTimerId = 5708;
    static constexpr int kShowMilliseconds = 1500;

    explicit CSplashDlg(QWidget* parent = nullptr);

    QTimer* Timer() const { return timer_; }

  protected:
    void showEvent(QShowEvent* event) override;
    // Enter closes it early, as Escape does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTimer* timer_ = nullptr;
};

}  // namespace tarnex
