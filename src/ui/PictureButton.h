#pragma once
// A small display-only picture with two states, drawn from two pictures: the cells of
// the worked grids (red when worked, white when not) and the listening-mode markers.
// It takes no focus and does nothing when clicked.

#include <QPixmap>
#include <QWidget>

namespace tarnex {

class PictureButton : public QWidget {
    Q_OBJECT
  public:
    PictureButton(const QPixmap& onPicture, const QPixmap& offPicture, QWidget* parent = nullptr);

    void SetOn(bool on);
    bool IsOn() const { return on_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap onPicture_;
    QPixmap offPicture_;
    bool on_ = false;
};

}  // namespace tarnex
