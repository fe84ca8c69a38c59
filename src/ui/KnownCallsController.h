#pragma once
// The call history and the partial-call lookup in the main window:
//  - at start-up, the history "_storico.csv" of the program folder and Debian's master
//    list of contest callsigns are read on a thread of their own and handed to the
//    window when read, so that the window opens without waiting for them; the lookup
//    starts following the log then too. A history
//    that cannot be read is said once, in a line under the list (typing goes on; the
//    file is left alone); a missing master list says nothing: the lookup works on the
//    log and the history;
//  - "Nominativi noti": from the second character typed in a callsign field (both in
//    listening mode) the known callsigns holding the text, updated at each keystroke;
//    a click or Ctrl+Enter on a row takes its callsign into the field being typed, as
//    if typed there (Ctrl+Up and Ctrl+Down choose the row Ctrl+Enter takes); the list
//    never takes the keyboard focus;
//  - the entry form's section source: a callsign evaluated with no section from the
//    log or the person takes the history's;
//  - "Aggiorna storico nominativi..." (menu "Strumenti").
// The lookup follows the session's log, which outlives the window.

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/HistoryUpdateCommand.h"
#include "entry/EntryFormObserver.h"
#include "entry/SectionSource.h"
#include "history/CallHistory.h"
#include "history/PartialCallLookup.h"
#include "log/ContestLog.h"

class QLabel;
class QLineEdit;
class QTableView;
class QThread;

namespace tarnex {

class CTarnexDlg;
class KnownCallsModel;
class LogSession;

class KnownCallsController : public QObject,
                             private EntryFormObserver,
                             private SectionSource,
                             private ContestLogObserver {
    Q_OBJECT
  public:
    // Where the history and the master list are read from.
    struct Sources {
        std::string historyPath;
        std::string masterPath;
    };
    // "_storico.csv" in the session's program folder, and Debian's MASTER.SCP.
    static Sources DefaultSources(const LogSession& session);

    // Fills the window's "Nominativi noti" place, plugs into the entry form, connects
    // the menu item and starts reading the default sources. Lives as long as the
    // window, its parent.
    KnownCallsController(CTarnexDlg& window, LogSession& session);
    ~KnownCallsController() override;

    // Reads the history and the master list again, off the window's thread;
    // sourcesLoaded() tells when they are in use.
    void LoadSources(Sources sources);
    bool Loading() const { return loader_ != nullptr; }
    // Waits for a read in progress and takes what it read.
    void FinishLoading();

    const CallHistory& History() const { return history_; }
    const Sources& CurrentSources() const { return sources_; }
    QTableView* List() const { return list_; }
    const KnownCallsModel& Model() const { return *model_; }
    // The line under the list (a history that cannot be read); hidden when empty.
    QLabel* Note() const { return note_; }
    // The callsign field the list answers to.
    EntryField TypedField() const { return typedField_; }

    // Takes the callsign of a row of the list into a callsign field (the one typed
    // last when None), as if the person typed it there.
    void TakeRow(int row, EntryField field = EntryField::None);
    // "Aggiorna storico nominativi...".
    void UpdateHistory();

  signals:
    void sourcesLoaded();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Loaded;

    // EntryFormObserver
    void CallsignTyped(EntryField field, const std::string& text) override;
    // SectionSource
    std::optional<std::string> SectionOf(const std::string& callsign) override;
    // ContestLogObserver: the whole log changed (Open, New, the journal, a mode
    // switch, a delete, a sort); its callsigns are put in order once it is read in.
    void AfterReset() override;

    void BuildList();
    void TakeLoaded();
    // Looks the text up and shows the rows, the first one chosen.
    void ShowMatches(const std::string& text);
    void Refresh() { ShowMatches(typedText_); }
    void MoveChoice(int step);
    QLineEdit* EditOf(EntryField field) const;

    CTarnexDlg& window_;
    LogSession& session_;
    HistoryUpdateCommand updateCommand_;
    Sources sources_;
    CallHistory history_;
    PartialCallLookup lookup_;
    std::unique_ptr<KnownCallsModel> model_;
    QTableView* list_ = nullptr;
    QLabel* note_ = nullptr;
    EntryField typedField_ = EntryField::Callsign;
    std::string typedText_;
    QThread* loader_ = nullptr;
    std::shared_ptr<Loaded> loaded_;
    bool prepareDue_ = false;
    bool logAttached_ = false;
};

}  // namespace tarnex
