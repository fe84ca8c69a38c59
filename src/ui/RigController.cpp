#include "ui/RigController.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <string>

#include "app/LogSession.h"
#include "app/Settings.h"
#include "log/BandMode.h"
#include "ui/CTarnexDlg.h"
#include "ui/TextCodec.h"

namespace tarnex {

namespace {

// How often a move kept back by a modal window is tried again.
constexpr int kRetryMs = 100;

RigConfig ConfigOf(const Settings& settings) {
    return RigConfig{settings.radioModel, settings.radioPort, settings.radioSpeed, settings.radioIntervalMs};
}

}  // namespace

RigController::RigController(CTarnexDlg& window, LogSession& session)
    : QObject(&window),
      window_(window),
      settings_(session.GetSettings()),
      poller_(std::make_unique<RigPoller>()) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &RigController::Drain);
    // Called on the poller's thread: only a queued call to this object, which Qt drops
    // if the object is gone by then.
    poller_->SetNotify(
        [this] { QMetaObject::invokeMethod(this, &RigController::Drain, Qt::QueuedConnection); });
    connect(&window_, &CTarnexDlg::optionsSaved, this, &RigController::ApplySettings);
    // Installed after the window's own filter, so it sees Enter before the window adds
    // the contact.
    qApp->installEventFilter(this);
    poller_->Start(ConfigOf(settings_));
    // The hook is called only for news that finds the mailbox drained.
    Drain();
}

RigController::~RigController() {
    // No call from the poller's thread after this; the poller then stops.
    poller_->SetNotify({});
    poller_.reset();
}

void RigController::ApplySettings() {
    const RigConfig config = ConfigOf(settings_);
    if (config == poller_->Config()) {
        return;
    }
    pendingBand_ = -1;
    pendingMode_ = -1;
    poller_->Start(config);
    Drain();
}

void RigController::Drain() {
    while (std::optional<RigUpdate> update = poller_->Drain()) {
        Take(*update);
    }
    Deliver();
}

void RigController::Apply(const RigUpdate& update) {
    Take(update);
    Deliver();
}

void RigController::Take(const RigUpdate& update) {
    ShowStatus(update.status);
    pendingBand_ = update.newBand >= 0 ? update.newBand : pendingBand_;
    pendingMode_ = update.newMode >= 0 ? update.newMode : pendingMode_;
}

void RigController::Deliver() {
    if (pendingBand_ < 0 && pendingMode_ < 0) {
        return;
    }
    if (QApplication::activeModalWidget() != nullptr) {
        retry_.start();
        return;
    }
    const std::string band =
        pendingBand_ >= 0 ? std::string(kBandTexts[static_cast<size_t>(pendingBand_)]) : "";
    const std::string mode =
        pendingMode_ >= 0 ? std::string(kModeTexts[static_cast<size_t>(pendingMode_)]) : "";
    pendingBand_ = -1;
    pendingMode_ = -1;
    window_.bandModeReported(band, mode);
}

void RigController::ShowStatus(const RigStatus& status) {
    QLabel* label = window_.controls().radioStatus;
    const QString text = TextCodec::ToQString(status.Text());
    const QString detail = TextCodec::ToQString(status.detail);
    if (label->text() != text) {
        label->setText(text);
    }
    if (label->toolTip() != detail) {
        label->setToolTip(detail);
    }
    label->setVisible(poller_->Config().model != kNoRadioModel);
}

bool RigController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (enter && modifiers == Qt::NoModifier && widget != nullptr && widget->window() == &window_) {
            Drain();  // the window takes the key next
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tarnex
