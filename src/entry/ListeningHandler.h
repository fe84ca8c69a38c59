#pragma once
// The listening-mode half of the entry form. EntryForm runs the rules both modes share
// (the Enter rules for a flagged duplicate, callsign 1, time and date; the focus moves;
// section 1; band and mode; the clock) and, while the log is in listening mode, hands
// the rest to the ListeningHandler set with EntryForm::SetListeningHandler.
//
// Every call happens inside an EntryForm handler, after the form has taken the values
// typed so far; the handler reads and changes the form only through ListeningForm.
// EntryForm itself already:
//  - shows the row-1 and row-2 M markers instead of the new-multiplier picture when it
//    lights the upper or lower grid from WorkedSections (ShowSectionGrid);
//  - empties callsign 2, section 2 and section name 2 and runs
//    ResetMarkers(MarkerGroup::All) when the form is cleared (F9, "C", menu) and when
//    Enter discards a flagged duplicate;
//  - hides the C marker when Enter finds callsign 1 invalid, and when leaving
//    callsign 1 finds it invalid while the duplicate flag was set (it also clears the
//    flag then);
//  - handles typing in section 2 like section 1, with the lower grid and the row-2 M
//    marker (ProcessSectionTyped(EntryRow::Second), which the evaluation of callsign 2
//    can call as well).

namespace tarnex {

class ListeningForm;

class ListeningHandler {
  public:
    virtual ~ListeningHandler() = default;

    // Enter, after the shared rules found nothing to do: the listening dispatch
    // (section 1 -> callsign 2, callsign 2 check, checks and adding in section 2).
    virtual void OnEnter(ListeningForm& form) = 0;

    // Leaving callsign 1 found it valid (it is trimmed and upper-cased in the form
    // values already): the evaluation of callsign 1.
    virtual void OnCallsign1Valid(ListeningForm& form) = 0;

    // Callsign 2 lost the focus: the evaluation of callsign 2.
    virtual void OnCallsign2Left(ListeningForm& form) = 0;

    // A new band or mode was chosen; the form has re-evaluated callsign 1 and shown
    // the upper grid again for a four-digit section 1.
    virtual void OnBandChanged(ListeningForm& form) = 0;
    virtual void OnModeChanged(ListeningForm& form) = 0;

    // The exchange being typed was dropped (clear command, Enter on a flagged
    // duplicate) or the log was replaced: forget the working entries.
    virtual void OnFormReset(ListeningForm& form) = 0;
};

}  // namespace tarnex
