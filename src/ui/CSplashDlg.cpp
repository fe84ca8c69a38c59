#include "ui/CSplashDlg.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/ShellResources.h"

namespace tarnex {

CSplashDlg::CSplashDlg(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    EnsureShellResources();
    setObjectName(QStringLiteral("splash"));
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(kSplashPicture));
    picture->setFrameStyle(QFrame::Box | QFrame::Plain);
    picture->setLineWidth(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("timer%1").arg(kTimerId));
    timer_->setSingleShot(true);
    timer_->setInterval(kShowMilliseconds);
    connect(timer_, &QTimer::timeout, this, [this] {
        timer_->stop();
        accept();
    });
}

void CSplashDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    timer_->start();
}

void CSplashDlg::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            timer_->stop();
            accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tarnex
