#include "ui/KnownCallsController.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "app/LogSession.h"
#include "history/HistoryFile.h"
#include "history/MasterCallList.h"
#include "log/BandMode.h"
#include "ui/CTarnexDlg.h"
#include "ui/KnownCallsModel.h"
#include "ui/TextCodec.h"
#include "util/FileIo.h"
#include "util/TextNumber.h"

namespace tarnex {

namespace {

std::string PathText(const std::string& path) {
    return TextCodec::ToBytes(TextCodec::PathToQString(path));
}

}  // namespace

// What a read of the sources gives, made on the reading thread and taken on the
// window's.
struct KnownCallsController::Loaded {
    CallHistory history;
    HistoryLoadResult historyResult;
    std::vector<std::string> masterCalls;
};

KnownCallsController::Sources KnownCallsController::DefaultSources(const LogSession& session) {
    return {session.ProgramFolder() + kHistoryFileName, kMasterCallsPath};
}

KnownCallsController::KnownCallsController(CTarnexDlg& window, LogSession& session)
    : QObject(&window),
      window_(window),
      session_(session),
      updateCommand_(session.Prompts(), DefaultSources(session).historyPath, &PathText),
      model_(std::make_unique<KnownCallsModel>()) {
    BuildList();
    session_.Log().AddObserver(this);
    window_.entryForm().AddObserver(this);
    window_.entryForm().SetSectionSource(this);

    const MainWindowControls& c = window_.controls();
    for (QLineEdit* edit : {c.callsign, c.callsign2}) {
        edit->installEventFilter(this);
        // A callsign emptied by the form (a contact added, the fields cleared) empties
        // the list too.
        connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
            if (text.isEmpty() && edit == EditOf(typedField_)) {
                ShowMatches({});
            }
        });
    }
    // The worked marks follow the band and mode (after the form took them).
    connect(c.band, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    connect(c.mode, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    connect(window_.action(MenuCommand::UpdateHistory), &QAction::triggered, this,
            &KnownCallsController::UpdateHistory);

    LoadSources(DefaultSources(session));
}

KnownCallsController::~KnownCallsController() {
    if (loader_ != nullptr) {
        loader_->wait();
    }
    session_.Log().RemoveObserver(this);
    // The entry form and the controls belong to the window and are gone already.
}

void KnownCallsController::BuildList() {
    QWidget* group = window_.controls().knownCallsGroup;
    auto* layout = new QVBoxLayout(group);
    const int margin = group->fontMetrics().height() / 3;
    layout->setContentsMargins(margin, group->fontMetrics().height(), margin, margin);
    layout->setSpacing(2);

    list_ = new QTableView(group);
    list_->setObjectName(QStringLiteral("knownCallsList"));
    list_->setModel(model_.get());
    model_->SetFont(list_->font());
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->hide();
    // The log's rows are bold: the columns are as wide as their bold texts.
    QFont bold = list_->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(metrics.height() + 2);
    list_->horizontalHeader()->setMinimumSectionSize(1);
    list_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    list_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    const int padding = 2 * list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 8;
    list_->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("0000")) + padding);
    list_->setColumnWidth(2, metrics.horizontalAdvance(QStringLiteral("DUP")) + padding);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(list_, 1);
    connect(list_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { TakeRow(index.row()); });

    note_ = new QLabel(group);
    note_->setObjectName(QStringLiteral("knownCallsNote"));
    note_->setWordWrap(true);
    note_->hide();
    layout->addWidget(note_);
}

// --- Reading the sources ---

void KnownCallsController::LoadSources(Sources sources) {
    FinishLoading();
    sources_ = std::move(sources);
    auto loaded = std::make_shared<Loaded>();
    QThread* thread = QThread::create([loaded, sources = sources_] {
        loaded->historyResult = LoadHistoryFile(sources.historyPath, loaded->history);
        if (std::optional<std::vector<std::string>> master = LoadMasterCalls(sources.masterPath)) {
            loaded->masterCalls = std::move(*master);
        }
    });
    thread->setParent(this);
    loader_ = thread;
    loaded_ = std::move(loaded);
    connect(thread, &QThread::finished, this, [this, thread] {
        if (thread == loader_) {
            TakeLoaded();
        }
        thread->deleteLater();
    });
    thread->start();
}

void KnownCallsController::FinishLoading() {
    if (loader_ != nullptr) {
        loader_->wait();
        TakeLoaded();
    }
}

void KnownCallsController::TakeLoaded() {
    loader_ = nullptr;
    std::shared_ptr<Loaded> loaded = std::move(loaded_);
    const HistoryLoadResult& result = loaded->historyResult;
    if (result.ok) {
        history_ = std::move(loaded->history);
        note_->clear();
        note_->setToolTip({});
        note_->hide();
    } else {
        // Said once, here, without stopping the person's typing; the file is not written.
        history_.Clear();
        // The file's name here, its path and the system's words in the tip.
        note_->setText(
            TextCodec::ToQString(HistoryUnreadableText(PathText(FileNameOf(sources_.historyPath)), {})));
        note_->setToolTip(
            TextCodec::ToQString(HistoryUnreadableText(PathText(sources_.historyPath), result.error)));
        note_->show();
    }
    if (!logAttached_) {
        // The log's callsigns are indexed here rather than while the window is built
        // (tens of milliseconds for a very large log): the window shows first.
        lookup_.AttachLog(session_.Log());
        logAttached_ = true;
    }
    lookup_.SetHistory(history_);
    lookup_.SetMasterCalls(loaded->masterCalls);
    Refresh();
    emit sourcesLoaded();
}

// --- The list ---

void KnownCallsController::CallsignTyped(EntryField field, const std::string& text) {
    typedField_ = field;
    ShowMatches(text);
}

void KnownCallsController::ShowMatches(const std::string& text) {
    typedText_ = text;
    const EntryValues& v = window_.entryForm().Values();
    std::optional<BandAndMode> workedOn;
    const BandAndMode on{BandListIndex(v.band), ModeListIndex(v.mode)};
    if (on.band >= 0 && on.mode >= 0) {
        workedOn = on;
    }
    model_->SetRows(lookup_.Find(text, workedOn));
    list_->clearSpans();
    if (const int heading = model_->OneOffHeadingRow(); heading >= 0) {
        list_->setSpan(heading, 0, 1, KnownCallsModel::kColumns);
    }
    if (model_->rowCount() > 0 && !list_->selectionModel()->hasSelection()) {
        list_->selectRow(model_->CallAt(0) != nullptr ? 0 : 1);
        list_->scrollToTop();
    }
}

void KnownCallsController::MoveChoice(int step) {
    const int rows = model_->rowCount();
    if (rows == 0) {
        return;
    }
    const QModelIndexList chosen = list_->selectionModel()->selectedRows();
    int row = chosen.isEmpty() ? -step : chosen.constFirst().row();
    do {
        row += step;
    } while (row >= 0 && row < rows && model_->CallAt(row) == nullptr);
    if (row >= 0 && row < rows) {
        list_->selectRow(row);
        list_->scrollTo(model_->index(row, 0));
    }
}

QLineEdit* KnownCallsController::EditOf(EntryField field) const {
    const MainWindowControls& c = window_.controls();
    return field == EntryField::Callsign2  ? c.callsign2
           : field == EntryField::Callsign ? c.callsign
                                           : nullptr;
}

void KnownCallsController::TakeRow(int row, EntryField field) {
    const KnownCall* known = model_->CallAt(row);
    if (known == nullptr) {
        return;
    }
    if (field == EntryField::None) {
        field = typedField_;
    }
    if (field != EntryField::Callsign2 || session_.Log().Mode() != LogMode::Listening) {
        field = EntryField::Callsign;
    }
    const std::string call = known->call;
    // Into the field as the person would put it there: the focus moved to it first
    // (which runs what leaving the other field and entering this one do), then typed.
    window_.runEntryForm([&](EntryForm& form) {
        if (form.State().focus != field) {
            form.OnFocusChanged(field);
        }
        form.OnCallsignTyped(field, call);
    });
}

bool KnownCallsController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            const MainWindowControls& c = window_.controls();
            const EntryField field = watched == c.callsign2 ? EntryField::Callsign2 : EntryField::Callsign;
            switch (key->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter: {
                    const QModelIndexList chosen = list_->selectionModel()->selectedRows();
                    if (!chosen.isEmpty()) {
                        TakeRow(chosen.constFirst().row(), field);
                    }
                    return true;
                }
                case Qt::Key_Down:
                    MoveChoice(1);
                    return true;
                case Qt::Key_Up:
                    MoveChoice(-1);
                    return true;
                default:
                    break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- The entry form's section source and the log ---

std::optional<std::string> KnownCallsController::SectionOf(const std::string& callsign) {
    if (std::optional<int> section = history_.SectionOf(callsign)) {
        return FormatCode(*section);
    }
    return std::nullopt;
}

void KnownCallsController::AfterReset() {
    // A file is read in row by row after the reset: order its callsigns once it is in.
    if (!prepareDue_) {
        prepareDue_ = true;
        QTimer::singleShot(0, this, [this] {
            prepareDue_ = false;
            lookup_.Prepare();
        });
    }
}

// --- "Aggiorna storico nominativi..." ---

void KnownCallsController::UpdateHistory() {
    FinishLoading();
    CallHistory updated;
    if (!updateCommand_.Run(updated)) {
        return;
    }
    history_ = std::move(updated);
    lookup_.SetHistory(history_);
    if (sources_.historyPath == updateCommand_.HistoryPath()) {
        note_->hide();  // read now
    }
    Refresh();
}

}  // namespace tarnex
