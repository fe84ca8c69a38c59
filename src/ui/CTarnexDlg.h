#pragma once
// The main window: the log list, the previous contacts and worked grids, the entry
// form, the menu bar and the keys. The entry form's rules live in EntryForm; this
// window mirrors its state, passes on what the person types and where the focus goes,
// and runs the clock timer.
//
// Other windows and commands reach the log through the session and the entry form
// through runEntryForm, which mirrors the form again afterwards.

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "app/LogSession.h"
#include "entry/EntryForm.h"
#include "entry/ListeningEntry.h"
#include "ui/DialogUnits.h"
#include "ui/MainMenu.h"
#include "ui/MainWindowControls.h"
#include "ui/MenuCommand.h"

namespace tarnex {

class LogListModel;
class PreviousContactsModel;

class CTarnexDlg : public QDialog, private EntryFormView, private LogSessionListener {
    Q_OBJECT
  public:
    // Reads the computer's clock; tests pass their own.
    using ClockSource = std::function<ClockNow()>;
    static ClockNow SystemClock();

    // Builds the window and runs its opening: list columns, log mode, journal, clock,
    // band and mode, grids, focus, title; then connects the menu commands.
    explicit CTarnexDlg(LogSession& session, QWidget* parent = nullptr, ClockSource clock = {});
    ~CTarnexDlg() override;

    // The menu item of a command (every item has one).
    QAction* action(MenuCommand command) const;
    QMenu* qsoMenu() const { return menu_.qsoMenu; }

    LogSession& session() { return session_; }
    EntryForm& entryForm() { return form_; }
    const MainWindowControls& controls() const { return controls_; }
    QTableView* logList() const { return controls_.logList; }
    // The log rows the person selected, ascending.
    std::vector<size_t> selectedLogRows() const;

    // Runs something on the entry form (a handler, or a change of its state) and
    // shows the form again afterwards.
    void runEntryForm(const std::function<void(EntryForm&)>& action);
    // A band and mode reported from outside the lists (the radio), as texts of the
    // lists: the same path as the person's own choice (EntryForm::OnBandModeReported).
    void bandModeReported(const std::string& band, const std::string& mode);

    // Arranges the window for a log mode: the second row of the entry form, the
    // markers, the grid titles and the log list's columns. A mode that differs from
    // the log's empties the log. Asking for the mode already shown does nothing.
    void setLogMode(LogMode mode);
    LogMode logMode() const { return layoutMode_; }

    // Asked before the window closes (close box, "Esci", Escape); returning true keeps
    // the window open (it may hide it instead).
    void setCloseInterceptor(std::function<bool()> interceptor) {
        closeInterceptor_ = std::move(interceptor);
    }

    QTimer* clockTimer() { return &clockTimer_; }
    // The tick of the clock timer (at the start of every minute).
    void onClockTick();

    // Pixel widths of a list's columns from its client width.
    static std::vector<int> ColumnWidthsFor(LogMode mode, int clientWidth);

  signals:
    // "Opzioni" closed with Salva: what follows a setting there applies it at once.
    void optionsSaved();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    // EntryFormView
    void Redraw(const EntryFormState& state) override;
    // LogSessionListener
    void TitleChanged(const std::string& title) override;
    void LogReplaced() override;

    void BuildWindow();
    void ConnectControls();
    void ConnectLogList();
    void BindKeys();
    void ApplyColours();
    void ApplyColumnWidths();
    void AfterEntryForm();
    void ApplyFocus();
    void SyncClockTimer();
    // How the person's typing in a field reaches the entry form.
    enum class Typing {
        None,       // a list: chosen, not typed
        Text,       // the text as typed
        UpperCase,  // upper-cased as it is typed
        Callsign,   // upper-cased, and every keystroke told to the form's observers
        Section,    // the section of the first row: its name and grid follow at once
        Section2,   // the section of the second row (listening mode)
    };
    // One field of the entry form: its control, and what typing in it does. Typing,
    // showing the form and moving the focus all read this one table.
    struct FieldControl {
        EntryField field;
        QWidget* widget;
        QLineEdit* edit;  // the widget when it is a line edit, else nullptr
        Typing typing;
    };
    void BuildFieldTable();
    void Typed(const FieldControl& control);
    void FocusChanged(QWidget* now);
    EntryField FieldOf(const QWidget* widget) const;
    QWidget* WidgetOf(EntryField field) const;

    LogSession& session_;
    ClockSource clock_;
    EntryForm form_;
    ListeningEntry listening_;  // the entry form's listening-mode half
    DialogUnits units_;
    MainWindowControls controls_;
    MainMenu menu_;
    std::vector<FieldControl> fields_;
    std::unique_ptr<LogListModel> logModel_;
    std::unique_ptr<PreviousContactsModel> previousModel_;
    QTimer clockTimer_;
    LogMode layoutMode_ = LogMode::Qso;
    int depth_ = 0;          // nesting of entry-form calls
    bool writing_ = false;   // showing the state: the controls' signals are not the person's
    bool focusing_ = false;  // putting the keyboard focus where the form wants it
    unsigned previousScrolls_ = 0;
    bool shownOnce_ = false;
    std::function<bool()> closeInterceptor_;
    QMetaObject::Connection focusConnection_;
};

}  // namespace tarnex
