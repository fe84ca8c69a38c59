#include "ui/PictureButton.h"

#include <QPainter>

namespace tarnex {

PictureButton::PictureButton(const QPixmap& onPicture, const QPixmap& offPicture, QWidget* parent)
    : QWidget(parent), onPicture_(onPicture), offPicture_(offPicture) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureButton::SetOn(bool on) {
    if (on != on_) {
        on_ = on;
        update();
    }
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), on_ ? onPicture_ : offPicture_);
}

}  // namespace tarnex
