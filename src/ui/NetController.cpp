#include "ui/NetController.h"

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <algorithm>

#include "app/LogSession.h"
#include "entry/EntryForm.h"
#include "ui/CTarnexDlg.h"
#include "ui/LogListModel.h"
#include "ui/TextCodec.h"

namespace tarnex {

namespace {

// How often a poll kept back by a modal window is tried again.
constexpr int kRetryMs = 150;

bool SameConfig(const NetConfig& a, const NetConfig& b) {
    return a.servers == b.servers && a.log == b.log && a.position == b.position;
}

}  // namespace

NetController::NetController(CTarnexDlg& window, LogSession& session)
    : QObject(&window),
      window_(window),
      session_(session),
      model_(qobject_cast<LogListModel*>(window.logList()->model())),
      net_(std::make_unique<NetSession>(session)) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &NetController::Poll);
    connect(&window_, &CTarnexDlg::optionsSaved, this, &NetController::ApplySettings);
    session_.Log().AddObserver(this);
    config_ = NetConfig::FromSettings(session_.GetSettings());
    if (config_) {
        Start();
    }
    ShowStatus();
}

NetController::~NetController() {
    // The link stops and its threads are gone after this; the window's controls and
    // its list are gone already.
    net_.reset();
    session_.Log().RemoveObserver(this);
}

void NetController::ApplySettings() {
    std::optional<NetConfig> config = NetConfig::FromSettings(session_.GetSettings());
    if (config.has_value() == config_.has_value() && (!config || SameConfig(*config, *config_))) {
        return;
    }
    Stop();
    config_ = std::move(config);
    if (config_) {
        Start();
    }
    ShowStatus();
}

void NetController::Start() {
    ShowPositions(true);
    // Called on the network threads: one queued call at a time, which Qt drops if this
    // object is gone by then (the session is stopped before that anyway).
    net_->Start(*config_, [this] {
        if (!queued_.exchange(true)) {
            QMetaObject::invokeMethod(this, &NetController::Poll, Qt::QueuedConnection);
        }
    });
    // Joining may have shown the shared log and its station summary: the window
    // follows as after Open.
    NetPollResult joined;
    joined.logReplaced = true;
    Follow(joined);
}

void NetController::Stop() {
    net_->Stop();
    retry_.stop();
    ShowPositions(false);
}

void NetController::Poll() {
    // Cleared first: news that comes during this poll queues the next one.
    queued_ = false;
    if (!net_->Running()) {
        return;
    }
    if (QApplication::activeModalWidget() != nullptr) {
        retry_.start();
        return;
    }
    ++polls_;
    polling_ = true;
    addedCalls_.clear();
    rowsReplaced_ = false;
    const NetPollResult result = net_->Poll();
    polling_ = false;
    Follow(result);
}

void NetController::AfterAppend(size_t row) {
    if (!polling_) {
        return;
    }
    const ContestLog& log = session_.Log();
    if (log.Mode() == LogMode::Qso) {
        addedCalls_.emplace_back(log.Field(row, QsoCol::Callsign));
    } else {
        addedCalls_.emplace_back(log.Field(row, ListeningCol::CallingCall));
        addedCalls_.emplace_back(log.Field(row, ListeningCol::AnsweringCall));
    }
}

void NetController::AfterReset() {
    rowsReplaced_ = rowsReplaced_ || polling_;
}

void NetController::RowChanged(size_t row) {
    rowsReplaced_ = rowsReplaced_ || polling_;
}

void NetController::Follow(const NetPollResult& result) {
    if (result.logReplaced || result.summaryChanged) {
        // The grids, markers and previous contacts off, the own section and the log
        // mode from the settings, the title: as after Open.
        if (LogSessionListener* listener = session_.Listener()) {
            listener->LogReplaced();
            listener->TitleChanged(session_.Title());
        }
        rowsReplaced_ = true;  // the form's evaluation was reset too
    }
    if (!addedCalls_.empty() || rowsReplaced_ || result.rowsChanged) {
        LookAgainAtCall();
    }
    addedCalls_.clear();
    rowsReplaced_ = false;
    ShowStatus();
}

void NetController::LookAgainAtCall() {
    const EntryFormState& state = window_.entryForm().State();
    const EntryField focus = state.focus;
    const bool any = rowsReplaced_;
    const auto added = [this](const std::string& call, bool part) {
        return std::any_of(addedCalls_.begin(), addedCalls_.end(), [&](const std::string& added) {
            return part ? added.find(call) != std::string::npos : added == call;
        });
    };
    if (focus == EntryField::Callsign || focus == EntryField::Callsign2) {
        // Still typing it: the known calls mark it as at a keystroke (when a row that
        // came in holds the text); the text stays as typed, to be evaluated when the
        // person leaves the field.
        const std::string typed = *TextOf(state.values, focus);
        if (!typed.empty() && (any || added(typed, true))) {
            window_.runEntryForm([&](EntryForm& form) { form.OnCallsignTyped(focus, typed); });
        }
        return;
    }
    const std::string& call = state.values.callsign;
    if (session_.Log().Mode() == LogMode::Qso && !call.empty() && (any || added(call, false))) {
        // Typed and left: the duplicate, the previous contacts and the grids again.
        window_.runEntryForm([](EntryForm& form) { form.EvaluateCallsign(); });
    }
}

void NetController::ShowStatus() {
    QLabel* label = window_.controls().networkStatus;
    const NetStatus& status = net_->Status();
    const QString text = TextCodec::ToQString(status.text);
    const QString reason = TextCodec::ToQString(status.reason);
    if (label->text() != text) {
        label->setText(text);
    }
    if (label->toolTip() != reason) {
        label->setToolTip(reason);
    }
    label->setVisible(On());
}

void NetController::ShowPositions(bool on) {
    if (model_ == nullptr || model_->ShowsPositions() == on) {
        return;
    }
    NetSession* net = net_.get();
    model_->SetPositionSource(
        on ? LogListModel::PositionSource([net](size_t row) { return net->PositionOfRow(row); })
           : LogListModel::PositionSource());
}

}  // namespace tarnex
