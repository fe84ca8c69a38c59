#pragma once
// The entry form of the main window as a presenter: it holds what the form shows
// (EntryFormState) and has one handler per thing the person does. The window mirrors
// the state after every handler and reports the person's typing and focus moves.
//
// Typing: the window passes every edit the person makes with SetText (which runs no
// rule), except in the callsign fields, whose keystrokes go to OnCallsignTyped (the
// observers follow them), and the two section fields, whose edits go to
// OnSectionTyped / OnSection2Typed. Writing the state back into the window never calls
// in here.
//
// Band and mode: the person's choice in the lists and a report from the radio
// (OnBandModeReported) take the same path: stored as "Banda" and "Modo", RTTY never on
// 1,8, reports reset for a new mode, the callsign evaluated again and the grids lit.
//
// Focus: the form keeps the field that has the focus. MoveFocus is the one place that
// changes it and runs what leaving and entering fields does (leaving the callsign
// evaluates it, entering the callsign empties the section, the section name passes the
// focus to the date, ...). The window calls OnFocusChanged when the person moves the
// focus, and after a handler puts the keyboard focus where State().focus says; the
// focus notification that follows finds the form already there and does nothing.
//
// A section from outside: when a callsign is evaluated and neither the log nor the
// person gave its section, the SectionSource's is put there and marked as not heard
// (State().unheardSections) until the person types in that section or confirms it,
// by Enter in it or by leaving it. Listening mode does the same for both callsigns.
//
// Listening mode: the rules of the second row are a ListeningHandler
// (ListeningHandler.h), which sees the form only through ListeningForm.h.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "entry/EntryClock.h"
#include "entry/EntryFormState.h"
#include "entry/ListeningForm.h"
#include "rules/CheckOrder.h"

namespace tarnex {

class CallsignRows;
struct CallsignContact;
class ContestLog;
class EntryFormObserver;
class ListeningHandler;
class LogSession;
class SectionSource;
class Settings;
class UserPrompts;
struct QsoRecord;

// The window: told to show the state again.
class EntryFormView {
  public:
    virtual ~EntryFormView() = default;
    virtual void Redraw(const EntryFormState& state) = 0;
};

class EntryForm final : private ListeningForm {
  public:
    explicit EntryForm(LogSession& session);
    ~EntryForm();
    EntryForm(const EntryForm&) = delete;
    EntryForm& operator=(const EntryForm&) = delete;

    void SetView(EntryFormView* view) { view_ = view; }
    void SetListeningHandler(ListeningHandler* handler) { listening_ = handler; }
    void AddObserver(EntryFormObserver* observer);
    void RemoveObserver(EntryFormObserver* observer);
    // Where a callsign's section comes from when the log has none; nullptr: nowhere.
    void SetSectionSource(SectionSource* source) { sectionSource_ = source; }

    const EntryFormState& State() const override { return state_; }
    const EntryValues& Values() const { return state_.values; }

    // --- Events ---

    // The window has opened: own section, clock, band and mode from the settings,
    // reports for the mode, grids off, focus in the callsign.
    void Open(const ClockNow& now);

    // The person typed in a field (no rule runs).
    void SetText(EntryField field, std::string text) override;
    // A keystroke in a callsign field: the text taken as SetText does, then the
    // observers told.
    void OnCallsignTyped(EntryField field, std::string text);

    // Enter in a field of the form.
    void OnEnter();
    void OnFocusChanged(EntryField now);
    void OnSectionTyped(std::string text);
    void OnSection2Typed(std::string text);
    // A band or mode chosen in the lists, by position.
    void OnBandChosen(int index);
    void OnModeChosen(int index);
    // A band and mode from outside the lists (the radio), as texts of the lists: each
    // one that would change what the form shows takes the path of the person's own
    // choice (the mode first); a text that is no entry of its list is ignored.
    void OnBandModeReported(std::string_view band, std::string_view mode);
    // "Cancella campi input", F9, button "C".
    void OnClear();
    void OnAutoClockClicked(bool on, const ClockNow& now);
    void OnPcShowsUtcClicked(bool on, const ClockNow& now);
    // The start of a minute: date and time, and a band-change tip when one is due. A
    // tip never interrupts a contact: while the form holds a callsign (in listening
    // mode either one) it waits until the contact is added, discarded or the form
    // cleared, or a tick finds the form free, and then shows once.
    void OnClockTick(const ClockNow& now);
    // The log was replaced as a whole (New, Open, a change of mode).
    void OnLogReplaced();

    // --- Operations ---

    // Shows the state in the window.
    void Redraw() override;
    // The previous-contacts search (leaving the callsign, band or mode change).
    void EvaluateCallsign();

  private:
    // ListeningForm: what the listening half may use.
    int BandIndex() const override;
    int ModeIndex() const override;
    const CallIndex& Calls() const override;
    const SectionTable& Sections() const override;
    void SetDuplicate(bool duplicate) override;
    void SetCallingMarker(Marker marker) override;
    void SetAnswerMarkers(const std::array<Marker, kAnswersPerBandMode>& markers) override;
    // Hides and switches off the listening markers of the given groups.
    void ResetMarkers(MarkerGroup groups) override;
    // Switches off the upper grid, the lower one or both.
    void ResetGrids(Grids which) override;
    // Lights a grid from WorkedSections for the code and sets the new-multiplier
    // picture (in listening mode the M marker of the grid's row).
    void ShowSectionGrid(int32_t code, Grid grid) override;
    // Moves the focus, running what leaving the old field and entering the new one do.
    void MoveFocus(EntryField to) override;
    // The section of a row as typed: its name, its grid and the indicator.
    void ProcessSectionTyped(EntryRow row) override;
    CheckOutcome RunEntryChecks(std::span<const CheckStep> steps, FormValues& values) override;
    void AddEntry(const HrdRecord& record) override;
    void PutCallIndexEntry(const CallIndexEntry& entry) override;
    // The section the outside source knows for the row's callsign, when the log gave
    // none and the person typed none; marked as not heard.
    bool TakeOutsideSection(EntryRow row) override;
    void MoveUnheardSection(EntryRow from, EntryRow to) override;

    ContestLog& Log();
    const ContestLog& Log() const;
    Settings& GetSettings();
    UserPrompts& Prompts();
    bool Listening() const;

    void LeaveField(EntryField field);
    void EnterField(EntryField field);
    void OnCallsignFocusIn();
    void OnTimeLeft();
    void OnOwnSectionLeft();
    void HandleEnter();
    void DiscardDuplicate();
    void TryAddQso();
    void AddQso();
    // Marks a section worked on the chosen band and mode.
    void MarkWorked(const std::string& section);
    void ClearAfterAdd();
    void ResetReportsForMode(bool onlyWrongLength);
    void AfterBandOrModeChange();
    void ClearPreviousContacts();
    // The section typed or confirmed: no longer marked as not heard.
    void SectionHeard(EntryRow row);
    // Updates clock and date; a tip that is due shows, or waits (OnClockTick).
    void UpdateClock(const ClockNow& now, bool forced);
    bool HoldsContact() const;
    // Shows the tip that waits, once the form holds no contact and no tip is open.
    void ShowWaitingTip();

    LogSession& session_;
    EntryFormState state_;
    EntryFormView* view_ = nullptr;
    ListeningHandler* listening_ = nullptr;
    std::vector<EntryFormObserver*> observers_;
    SectionSource* sectionSource_ = nullptr;
    std::unique_ptr<CallsignRows> callsignRows_;
    std::vector<CallsignContact> contacts_;  // kept to save allocating on each evaluation
    // While a field is being left: where the focus goes next (the leave handler may
    // keep it or send it elsewhere).
    bool leaving_ = false;
    EntryField leaveTarget_ = EntryField::None;
    std::optional<std::string> waitingTip_;
    bool tipOpen_ = false;
};

}  // namespace tarnex
