#pragma once
// What the listening-mode rules (ListeningEntry, through ListeningHandler) may touch of
// the entry form, all of it here: what they read, what they set, what they run and
// what they ask to show. EntryForm implements it; nothing else of the form or of the
// session is in their reach.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/ContestRules.h"
#include "entry/EntryFormState.h"
#include "rules/CheckOrder.h"

namespace tarnex {

class CallIndex;
class SectionTable;
struct CallIndexEntry;
struct HrdRecord;

// The form field where a check that failed sends the focus.
EntryField EntryFieldOf(FormField field);
// The typed values the checks on Enter read, in both modes (the QSO mode adds the
// own section).
FormValues ValuesToCheck(const EntryValues& values);

class ListeningForm {
  public:
    // --- What the rules read ---

    // The form as it stands: the values, the focus, the duplicate flag, the markers.
    virtual const EntryFormState& State() const = 0;
    // Positions of the chosen band and mode in their lists.
    virtual int BandIndex() const = 0;
    virtual int ModeIndex() const = 0;
    // The log's index of heard callsigns, and the section table.
    virtual const CallIndex& Calls() const = 0;
    virtual const SectionTable& Sections() const = 0;

    // --- What they set ---

    // The text of a field (no rule runs).
    virtual void SetText(EntryField field, std::string text) = 0;
    // The duplicate flag (Enter then drops the exchange) and the DUP picture with it.
    virtual void SetDuplicate(bool duplicate) = 0;
    // The C marker after report 1, and the R markers after report 2.
    virtual void SetCallingMarker(Marker marker) = 0;
    virtual void SetAnswerMarkers(const std::array<Marker, kAnswersPerBandMode>& markers) = 0;
    // Hides and switches off markers; switches off grids; lights a grid for a section
    // code with the M marker of its row.
    virtual void ResetMarkers(MarkerGroup groups) = 0;
    virtual void ResetGrids(Grids which) = 0;
    virtual void ShowSectionGrid(int32_t code, Grid grid) = 0;

    // --- What they run ---

    // Moves the focus, running what leaving and entering fields do.
    virtual void MoveFocus(EntryField to) = 0;
    // The section of a row as if just typed: its name, grid and M marker.
    virtual void ProcessSectionTyped(EntryRow row) = 0;
    // The checks on Enter, with the form's section table and prompts.
    virtual CheckOutcome RunEntryChecks(std::span<const CheckStep> steps, FormValues& values) = 0;
    // Adds a heard entry: to the log, its line to the journal (the log becomes
    // modified), its calling section marked worked on the chosen band and mode.
    virtual void AddEntry(const HrdRecord& record) = 0;
    // Puts a callsign's entry into the index of heard callsigns.
    virtual void PutCallIndexEntry(const CallIndexEntry& entry) = 0;

    // --- What they ask to show ---

    virtual void Redraw() = 0;

  protected:
    ~ListeningForm() = default;
};

}  // namespace tarnex
