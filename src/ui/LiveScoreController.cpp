#include "ui/LiveScoreController.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "app/LogSession.h"
#include "score/LiveScore.h"
#include "ui/CTarnexDlg.h"

namespace tarnex {

LiveScoreController::LiveScoreController(CTarnexDlg& window, LogSession& session)
    : LiveScoreController(session.Log(), *window.controls().scoreGroup, &window) {}

LiveScoreController::LiveScoreController(ContestLog& log, QGroupBox& place, QObject* parent)
    : QObject(parent), live_(std::make_unique<LiveScore>(log)) {
    auto* layout = new QVBoxLayout(&place);
    layout->setContentsMargins(2, 0, 2, 2);
    panel_ = new LiveScorePanel(&place);
    layout->addWidget(panel_);
    live_->SetListener([this] { Schedule(); });
    Refresh();
}

LiveScoreController::~LiveScoreController() {
    live_->SetListener({});
}

void LiveScoreController::Schedule() {
    if (pending_) {
        return;
    }
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (pending_) {
                Refresh();
            }
        },
        Qt::QueuedConnection);
}

void LiveScoreController::Refresh() {
    pending_ = false;
    if (panel_ == nullptr) {
        return;
    }
    panel_->Show(live_->Figures());
    ++refreshes_;
}

}  // namespace tarnex
