#include "ui/CTarnexDlg.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "log/BandMode.h"
#include "ui/CommandWiring.h"
#include "ui/DialogColours.h"
#include "ui/LogListModel.h"
#include "ui/PreviousContactsModel.h"
#include "ui/ShellStartup.h"
#include "ui/TextCodec.h"
#include "ui/UnheardSectionColours.h"

namespace tarnex {

namespace {

ClockTime FromQt(const QDateTime& t) {
    const QDate d = t.date();
    const QTime h = t.time();
    return {d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second()};
}

QFont WindowFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

void SetEdit(QLineEdit* edit, const std::string& value) {
    const QString text = TextCodec::ToQString(value);
    if (edit->text() != text) {
        edit->setText(text);
    }
}

void SetMarker(PictureButton* button, const Marker& marker) {
    button->SetOn(marker.on);
    button->setVisible(marker.visible);
}

}  // namespace

ClockNow CTarnexDlg::SystemClock() {
    const QDateTime now = QDateTime::currentDateTime();
    return {FromQt(now.toUTC()), FromQt(now)};
}

CTarnexDlg::CTarnexDlg(LogSession& session, QWidget* parent, ClockSource clock)
    : QDialog(parent),
      session_(session),
      clock_(clock ? std::move(clock) : ClockSource(&CTarnexDlg::SystemClock)),
      form_(session),
      units_(WindowFont()) {
    setObjectName(QStringLiteral("CTarnexDlg"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    setWindowTitle(TextCodec::ToQString(kBaseTitle));
    BuildWindow();

    setWindowIcon(ProgramIcon());
    // The log list's columns for the log mode the category asks for.
    ApplyColumnWidths();
    setLogMode(LogModeForCategory(session_.GetSettings().station.category));
    // The journal (its header may bring the other mode), scrolled to its last row.
    form_.SetView(this);
    form_.SetListeningHandler(&listening_);
    session_.SetListener(this);
    session_.LoadJournal();
    controls_.logList->scrollToBottom();
    // The entry form: own section, clock, band and mode, reports, grids, focus.
    runEntryForm([this](EntryForm& form) { form.Open(clock_()); });
    // The title with the open log's name.
    TitleChanged(session_.Title());

    ConnectControls();
    ConnectLogList();
    BindKeys();
    qApp->installEventFilter(this);
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget*, QWidget* now) { FocusChanged(now); });
    WireMenuCommands(*this, session_);
}

CTarnexDlg::~CTarnexDlg() {
    qApp->removeEventFilter(this);
    disconnect(focusConnection_);  // the controls go after this object's members
    clockTimer_.stop();
    session_.SetListener(nullptr);
    form_.SetView(nullptr);
}

void CTarnexDlg::BuildWindow() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QMenuBar(this);
    menu_.Build(bar);
    layout->setMenuBar(bar);
    auto* client = new QWidget(this);
    client->setFixedSize(units_.X(MainWindowControls::kWidth), units_.Y(MainWindowControls::kHeight));
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    controls_.Build(client, units_);
    BuildFieldTable();

    logModel_ = std::make_unique<LogListModel>(session_.Log());
    controls_.logList->setModel(logModel_.get());
    previousModel_ = std::make_unique<PreviousContactsModel>();
    controls_.previousList->setModel(previousModel_.get());
    const std::vector<int> previousWidths =
        LogListModel::Widths(LogListModel::PreviousColumns(),
                             controls_.previousList->width() - 2 * controls_.previousList->frameWidth());
    for (size_t i = 0; i < previousWidths.size(); ++i) {
        controls_.previousList->setColumnWidth(static_cast<int>(i), previousWidths[i]);
    }
    clockTimer_.setTimerType(Qt::PreciseTimer);
    // A tick may show a tip, a modal box. Queued, the tick runs after the timer's own
    // handling has ended, so that the timer goes on firing (and the clock on updating)
    // while the box is open; a timer never fires inside its own handler.
    connect(&clockTimer_, &QTimer::timeout, this, &CTarnexDlg::onClockTick, Qt::QueuedConnection);
    ApplyColours();
}

void CTarnexDlg::BuildFieldTable() {
    MainWindowControls& c = controls_;
    const auto edit = [](EntryField field, QLineEdit* widget, Typing typing) {
        return FieldControl{field, widget, widget, typing};
    };
    fields_ = {
        edit(EntryField::Date, c.date, Typing::Text),
        edit(EntryField::Time, c.time, Typing::Text),
        {EntryField::Band, c.band, nullptr, Typing::None},
        {EntryField::Mode, c.mode, nullptr, Typing::None},
        edit(EntryField::Callsign, c.callsign, Typing::Callsign),
        edit(EntryField::RstSent, c.rstSent, Typing::Text),
        edit(EntryField::RstReceived, c.rstReceived, Typing::Text),
        edit(EntryField::Section, c.section, Typing::Section),
        edit(EntryField::SectionName, c.sectionName, Typing::UpperCase),
        edit(EntryField::Callsign2, c.callsign2, Typing::Callsign),
        edit(EntryField::Section2, c.section2, Typing::Section2),
        edit(EntryField::SectionName2, c.sectionName2, Typing::UpperCase),
        edit(EntryField::OwnSection, c.ownSection, Typing::Text),
        edit(EntryField::PreviousCall, c.previousCall, Typing::UpperCase),
    };
}

void CTarnexDlg::ApplyColours() {
    const Settings& settings = session_.GetSettings();
    const QString back = ColourFromStored(settings.backgroundColour).name();
    const QString fore = ColourFromStored(settings.textColour).name();
    setStyleSheet(QStringLiteral(
                      "QDialog#CTarnexDlg { background-color: %1; }\n"
                      "#CTarnexDlg QLabel, #CTarnexDlg QCheckBox, #CTarnexDlg QGroupBox { color: %2; }\n"
                      "#CTarnexDlg QGroupBox { border: 2px groove #d8d8e8; margin-top: 0.6em; }\n"
                      "#CTarnexDlg QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0px; }\n"
                      "#CTarnexDlg QLineEdit { color: #ff0000; background-color: #ffffff; }\n"
                      "#CTarnexDlg QPushButton { color: #ffffff; background-color: #ff0000; }\n")
                      .arg(back, fore));
}

std::vector<int> CTarnexDlg::ColumnWidthsFor(LogMode mode, int clientWidth) {
    return LogListModel::Widths(LogListModel::Columns(mode), clientWidth);
}

void CTarnexDlg::ApplyColumnWidths() {
    QTableView* list = controls_.logList;
    // A shared log's list has one more column ("Pos.").
    const std::vector<int> widths = LogListModel::Widths(
        LogListModel::Columns(session_.Log().Mode(), logModel_->ShowsPositions()),
        list->width() - 2 * list->frameWidth());
    for (size_t i = 0; i < widths.size(); ++i) {
        list->setColumnWidth(static_cast<int>(i), widths[i]);
    }
}

QAction* CTarnexDlg::action(MenuCommand command) const {
    auto it = menu_.actions.find(command);
    return it == menu_.actions.end() ? nullptr : it->second;
}

std::vector<size_t> CTarnexDlg::selectedLogRows() const {
    std::vector<size_t> rows;
    for (const QModelIndex& index : controls_.logList->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<size_t>(index.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// --- The log mode ---

void CTarnexDlg::setLogMode(LogMode mode) {
    if (mode == layoutMode_ && mode == session_.Log().Mode()) {
        return;
    }
    if (session_.Log().Mode() != mode) {
        session_.Log().SetMode(mode);  // empties the log and its indexes
    }
    layoutMode_ = mode;
    controls_.Arrange(mode, units_);
    ApplyColumnWidths();
    runEntryForm([](EntryForm& form) { form.Redraw(); });
}

void CTarnexDlg::TitleChanged(const std::string& title) {
    setWindowTitle(TextCodec::ToQString(title));
}

void CTarnexDlg::LogReplaced() {
    if (session_.Log().Mode() != layoutMode_) {
        setLogMode(session_.Log().Mode());
    }
    runEntryForm([](EntryForm& form) { form.OnLogReplaced(); });
    controls_.logList->scrollToBottom();
}

// --- Mirroring the entry form ---

void CTarnexDlg::runEntryForm(const std::function<void(EntryForm&)>& action) {
    ++depth_;
    action(form_);
    --depth_;
    if (depth_ == 0) {
        AfterEntryForm();
    }
}

void CTarnexDlg::bandModeReported(const std::string& band, const std::string& mode) {
    runEntryForm([&](EntryForm& form) { form.OnBandModeReported(band, mode); });
}

void CTarnexDlg::AfterEntryForm() {
    Redraw(form_.State());
    ApplyFocus();
    SyncClockTimer();
}

void CTarnexDlg::Redraw(const EntryFormState& state) {
    const bool wasWriting = writing_;
    writing_ = true;
    const EntryValues& v = state.values;
    MainWindowControls& c = controls_;
    for (const FieldControl& control : fields_) {
        if (control.edit != nullptr) {
            SetEdit(control.edit, *TextOf(v, control.field));
        }
    }
    // A section the call history filled in shows apart until the person hears it.
    const QColor background = ColourFromStored(session_.GetSettings().backgroundColour);
    ShowSectionUnheard(c.section, SectionUnheard(state, EntryRow::First), background);
    ShowSectionUnheard(c.section2, SectionUnheard(state, EntryRow::Second), background);
    c.band->setCurrentIndex(BandListIndex(v.band));
    c.mode->setCurrentIndex(ModeListIndex(v.mode));
    c.autoClock->setChecked(v.autoClock);
    c.pcShowsUtc->setChecked(v.pcShowsUtc);
    c.pcShowsUtc->setVisible(v.autoClock);
    for (size_t i = 0; i < c.cells.size(); ++i) {
        c.cells[i]->SetOn(state.cells[i]);
    }
    c.duplicate->setVisible(state.indicators.duplicate);
    c.newMultiplier->setVisible(state.indicators.newMultiplier);
    SetMarker(c.markerC, state.indicators.calling);
    for (size_t i = 0; i < c.markerR.size(); ++i) {
        SetMarker(c.markerR[i], state.indicators.answers[i]);
    }
    for (size_t i = 0; i < c.markerM.size(); ++i) {
        SetMarker(c.markerM[i], state.indicators.multiplier[i]);
    }
    previousModel_->SetRows(state.previous);
    if (state.previousScrollRequests != previousScrolls_) {
        previousScrolls_ = state.previousScrollRequests;
        c.previousList->scrollToBottom();
    }
    // The timer follows the clock at once, also while a tip is open.
    SyncClockTimer();
    writing_ = wasWriting;
}

void CTarnexDlg::ApplyFocus() {
    QWidget* target = WidgetOf(form_.State().focus);
    if (target == nullptr || !target->isVisible() || QApplication::focusWidget() == target) {
        return;
    }
    focusing_ = true;
    target->setFocus(Qt::OtherFocusReason);
    focusing_ = false;
}

void CTarnexDlg::SyncClockTimer() {
    const EntryFormState& state = form_.State();
    if (!state.clockRunning) {
        clockTimer_.stop();
    } else if (!clockTimer_.isActive() || clockTimer_.interval() != state.clockIntervalMs) {
        clockTimer_.start(state.clockIntervalMs);
    }
}

void CTarnexDlg::onClockTick() {
    runEntryForm([this](EntryForm& form) { form.OnClockTick(clock_()); });
}

// --- What the person does ---

void CTarnexDlg::Typed(const FieldControl& control) {
    if (writing_) {
        return;
    }
    QLineEdit* edit = control.edit;
    if (control.typing == Typing::UpperCase || control.typing == Typing::Callsign) {
        QString text = edit->text();
        for (QChar& ch : text) {
            const QChar upper = ch.toUpper();
            if (upper != ch && TextCodec::CanEncode(QStringView(&upper, 1))) {
                ch = upper;
            }
        }
        if (text != edit->text()) {
            const int cursor = edit->cursorPosition();
            edit->setText(text);
            edit->setCursorPosition(cursor);
        }
    }
    const std::string bytes = TextCodec::ToBytes(edit->text());
    runEntryForm([&](EntryForm& form) {
        switch (control.typing) {
            case Typing::Section:
                form.OnSectionTyped(bytes);
                break;
            case Typing::Section2:
                form.OnSection2Typed(bytes);
                break;
            case Typing::Callsign:
                form.OnCallsignTyped(control.field, bytes);
                break;
            case Typing::Text:
            case Typing::UpperCase:
                form.SetText(control.field, bytes);
                break;
            case Typing::None:
                break;
        }
    });
}

void CTarnexDlg::ConnectControls() {
    MainWindowControls& c = controls_;
    for (const FieldControl& control : fields_) {
        if (control.edit != nullptr && control.typing != Typing::None) {
            connect(control.edit, &QLineEdit::textEdited, this, [this, control] { Typed(control); });
        }
    }
    connect(c.band, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!writing_) {
            runEntryForm([index](EntryForm& form) { form.OnBandChosen(index); });
        }
    });
    connect(c.mode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!writing_) {
            runEntryForm([index](EntryForm& form) { form.OnModeChosen(index); });
        }
    });
    connect(c.autoClock, &QCheckBox::clicked, this, [this](bool on) {
        runEntryForm([this, on](EntryForm& form) { form.OnAutoClockClicked(on, clock_()); });
    });
    connect(c.pcShowsUtc, &QCheckBox::clicked, this, [this](bool on) {
        runEntryForm([this, on](EntryForm& form) { form.OnPcShowsUtcClicked(on, clock_()); });
    });
    QAction* clear = action(MenuCommand::ClearInput);
    connect(clear, &QAction::triggered, this,
            [this] { runEntryForm([](EntryForm& form) { form.OnClear(); }); });
    connect(c.clear, &QPushButton::clicked, clear, &QAction::trigger);
    connect(action(MenuCommand::Exit), &QAction::triggered, this, &QWidget::close);
}

void CTarnexDlg::ConnectLogList() {
    QTableView* list = controls_.logList;
    connect(logModel_.get(), &LogListModel::RowAppended, list,
            [list, this](int row) { list->scrollTo(logModel_->index(row, 0)); });
    connect(logModel_.get(), &QAbstractItemModel::modelReset, this, [this] { ApplyColumnWidths(); });
    list->horizontalHeader()->setSectionsClickable(true);
    connect(list->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == 1 || column == 2) {
            action(MenuCommand::SortByDateTime)->trigger();
        }
    });
    connect(list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex&) { action(MenuCommand::EditEntries)->trigger(); });
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
        if (list->selectionModel()->hasSelection()) {
            menu_.qsoMenu->exec(list->viewport()->mapToGlobal(at));
        }
    });
}

void CTarnexDlg::BindKeys() {
    struct Key {
        int key;
        MenuCommand command;
    };
    const Key keys[] = {
        {Qt::Key_F2, MenuCommand::Print},     {Qt::Key_F4, MenuCommand::StationSummary},
        {Qt::Key_F8, MenuCommand::ShowScore}, {Qt::Key_F9, MenuCommand::ClearInput},
        {Qt::Key_F5, MenuCommand::Save},
    };
    for (const Key& k : keys) {
        auto* shortcut = new QShortcut(QKeySequence(k.key), this);
        QAction* target = action(k.command);
        connect(shortcut, &QShortcut::activated, target, &QAction::trigger);
    }
    // F1, in this window and every other, is the HelpKey's (ShellCommandWiring).
}

bool CTarnexDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        // Enter in a field of the entry form is the form's; on a button, in the menu bar
        // or in a list it does what it does everywhere else. Escape closes the window,
        // except in the menu bar, which it leaves.
        if (widget != nullptr && widget->window() == this && modifiers == Qt::NoModifier) {
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                FieldOf(widget) != EntryField::None) {
                runEntryForm([](EntryForm& form) { form.OnEnter(); });
                return true;
            }
            if (key->key() == Qt::Key_Escape && qobject_cast<QMenuBar*>(widget) == nullptr) {
                close();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CTarnexDlg::FocusChanged(QWidget* now) {
    if (focusing_ || depth_ > 0 || now == nullptr || now->window() != this) {
        return;  // the form's own focus moves, or another window (a message box)
    }
    const EntryField field = FieldOf(now);
    runEntryForm([field](EntryForm& form) { form.OnFocusChanged(field); });
}

EntryField CTarnexDlg::FieldOf(const QWidget* widget) const {
    for (const FieldControl& control : fields_) {
        if (control.widget == widget) {
            return control.field;
        }
    }
    return EntryField::None;
}

QWidget* CTarnexDlg::WidgetOf(EntryField field) const {
    for (const FieldControl& control : fields_) {
        if (control.field == field) {
            return control.widget;
        }
    }
    return nullptr;
}

// --- Opening and closing ---

void CTarnexDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        raise();
        activateWindow();
        ApplyFocus();
    }
}

void CTarnexDlg::reject() {
    close();
}

void CTarnexDlg::closeEvent(QCloseEvent* event) {
    if (closeInterceptor_ && closeInterceptor_()) {
        event->ignore();
        return;
    }
    if (form_.Values().autoClock) {
        clockTimer_.stop();
    }
    event->accept();
}

}  // namespace tarnex
