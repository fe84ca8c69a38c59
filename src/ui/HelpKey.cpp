#include "ui/HelpKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/CInstructionsDlg.h"

namespace tarnex {

HelpKey::HelpKey(QWidget* owner, Opener open) : QObject(owner), open_(std::move(open)) {
    qApp->installEventFilter(this);
}

HelpKey::~HelpKey() {
    qApp->removeEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier ||
        widget == nullptr) {
        return false;
    }
    QWidget* window = widget->window();
    // An open menu or list keeps its keys; the instructions do not open over themselves.
    if (window->windowType() == Qt::Popup || qobject_cast<CInstructionsDlg*>(window) != nullptr) {
        return false;
    }
    open_(window);
    return true;
}

}  // namespace tarnex
