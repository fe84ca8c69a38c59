#pragma once
// The entry form of the main window as a presenter: it holds what the form shows
// (EntryFormState) and has one handler per thing the person does. The window mirrors
// the state after every handler and reports the person's typing and focus moves.
//
// Typing: the window passes every edit the person makes with SetText (which runs no
// rule), except in the two section fields, whose edits go to OnSectionTyped /
// OnSection2Typed. Writing the state back into the window never calls in here.
//
// Focus: the form keeps the field that has the focus. MoveFocus is the one place that
// changes it and runs what leaving and entering fields does (leaving the callsign
// evaluates it, entering the callsign empties the section, the section name passes the
// focus to the date, ...). The window calls OnFocusChanged when the person moves the
// focus, and after a handler puts the keyboard focus where State().focus says; the
// focus notification that follows finds the form already there and does nothing.
//
// Listening mode: see ListeningHandler.h.

#include <cstdint>
#include <memory>
#include <string>

#include "entry/EntryClock.h"
#include "entry/EntryFormState.h"
#include "rules/CheckOrder.h"

namespace tarnex {

class CallsignRows;
class ContestLog;
class ListeningHandler;
class LogSession;
class SectionTable;
class Settings;
class UserPrompts;

// The form field where a check that failed sends the focus.
EntryField EntryFieldOf(FormField field);
// The typed values the checks on Enter read, in both modes (the QSO mode adds the
// own section).
FormValues ValuesToCheck(const EntryValues& values);

// The window: told to show the state again.
class EntryFormView {
  public:
    virtual ~EntryFormView() = default;
    virtual void Redraw(const EntryFormState& state) = 0;
};

class EntryForm {
  public:
    explicit EntryForm(LogSession& session);
    ~EntryForm();
    EntryForm(const EntryForm&) = delete;
    EntryForm& operator=(const EntryForm&) = delete;

    void SetView(EntryFormView* view) { view_ = view; }
    void SetListeningHandler(ListeningHandler* handler) { listening_ = handler; }

    const EntryFormState& State() const { return state_; }
    EntryFormState& MutableState() { return state_; }
    const EntryValues& Values() const { return state_.values; }

    LogSession& Session() { return session_; }
    ContestLog& Log();
    const SectionTable& Sections() const;
    Settings& GetSettings();
    UserPrompts& Prompts();
    bool Listening() const;

    // --- Events ---

    // The window has opened: own section, clock, band and mode from the settings,
    // reports for the mode, grids off, focus in the callsign.
    void Open(const ClockNow& now);

    // The person typed in a field (no rule runs).
    void SetText(EntryField field, std::string text);

    void OnEnter();
    void OnFocusChanged(EntryField now);
    void OnSectionTyped(std::string text);
    void OnSection2Typed(std::string text);
    void OnBandChosen(int index);
    void OnModeChosen(int index);
    // "Cancella campi input", F9, button "C".
    void OnClear();
    void OnAutoClockClicked(bool on, const ClockNow& now);
    void OnPcShowsUtcClicked(bool on, const ClockNow& now);
    void OnClockTick(const ClockNow& now);
    // The log was replaced as a whole (New, Open, a change of mode).
    void OnLogReplaced();

    // --- Operations shared with the listening half ---

    // Moves the focus, running what leaving the old field and entering the new one do.
    void MoveFocus(EntryField to);
    // Shows the state in the window.
    void Redraw();
    // The previous-contacts search (leaving the callsign, band or mode change).
    void EvaluateCallsign();
    // Lights a grid from WorkedSections for the code and sets the new-multiplier
    // picture (in listening mode the M marker of the grid's row).
    void ShowSectionGrid(int32_t code, Grid grid);
    // Switches off the upper grid, the lower one or both.
    void ResetGrids(Grids which);
    // Hides and switches off the listening markers of the given groups.
    void ResetMarkers(MarkerGroup groups);
    // The section of a row as typed: its name, its grid and the indicator.
    void ProcessSectionTyped(EntryRow row);
    // Writes the date and time from the clock and shows a tip when one is due.
    void UpdateClock(const ClockNow& now, bool forced);

    // Positions of the chosen band and mode in their lists (the selected texts).
    int BandIndex() const;
    int ModeIndex() const;

  private:
    void LeaveField(EntryField field);
    void EnterField(EntryField field);
    void OnCallsignFocusIn();
    void OnTimeLeft();
    void OnOwnSectionLeft();
    void DiscardDuplicate();
    void TryAddQso();
    void AddQso();
    void ClearAfterAdd();
    void ResetReportsForMode(bool onlyWrongLength);
    void AfterBandOrModeChange();
    void ClearPreviousContacts();

    LogSession& session_;
    EntryFormState state_;
    EntryFormView* view_ = nullptr;
    ListeningHandler* listening_ = nullptr;
    std::unique_ptr<CallsignRows> callsignRows_;
    // While a field is being left: where the focus goes next (the leave handler may
    // keep it or send it elsewhere).
    bool leaving_ = false;
    EntryField leaveTarget_ = EntryField::None;
};

}  // namespace tarnex
