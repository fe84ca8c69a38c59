#pragma once
// The order in which each window checks its fields before an entry may enter the log,
// as data the windows run: the entry form (QSO and listening mode) on Enter, and the
// two edit dialogs ("Modifica di un QSO", "Modifica di un HRD") on "Salva".
//
// Usage from a window:
//     FormValues values = ...;            // the fields as typed
//     CheckOutcome outcome = RunChecks(QsoEditChecks(), values, sections, prompts);
//     if (outcome.accepted) { write values back } else { focus outcome.focus }
// RunChecks upper-cases the callsigns in `values` as CheckCallsign does, empties the
// fields whose step says so, shows the step's message (if any) through UserPrompts
// and stops at the first failure.

#include <span>
#include <string>
#include <string_view>

#include "base/UserPrompts.h"

namespace tarnex {

class SectionTable;

// The fields a check reads and the field that gets the focus when it fails.
// Listening mode maps its fields as follows: "Nominativo"/"Nominativo 1" ->
// Callsign, the second callsign -> Callsign2, report 1 ("RST tx" field, "RST 1") ->
// RstSent, report 2 ("RST rx" field) -> RstReceived, section 1 ("Sez. 1") -> Section.
enum class FormField { None, Callsign, Callsign2, Date, Time, RstSent, RstReceived, Section, OwnSection };

enum class CheckKind {
    Callsign,       // CheckCallsign on the step's field (upper-cases it)
    BothCallsigns,  // CheckCallsign on Callsign and Callsign2; focus on the first that fails
    EntryDate,      // CheckDate from 2005; skipped while the automatic clock is on
    DialogDate,     // CheckDate 1920 to 2099
    DialogTime,     // CheckDialogTime
    Report,         // CheckReport on the step's field with the mode
    EntrySection,   // four digits and a known code, silently
    DialogSection,  // a known code, else the step's Yes/No question (Yes accepts)
    OwnSectionSet,  // the station's own section code is set
};

struct CheckStep {
    CheckKind check;
    FormField field;           // the field checked; it gets the focus on failure
    std::string_view message;  // empty: the step fails silently
    std::string_view title;
    MessageIcon icon = MessageIcon::Stop;
    bool emptyOnFailure = false;  // the entry form empties a refused callsign
};

// The values a window's checks look at.
struct FormValues {
    std::string callsign;
    std::string callsign2;
    std::string date;
    std::string time;
    std::string mode;  // "SSB", "CW", "RTTY"
    std::string rstSent;
    std::string rstReceived;
    std::string section;
    std::string ownSection;  // the station's own section code (QSO entry form)
    bool autoClock = false;  // "Data/ora auto" is on: the entry form skips the date
};

// The text of a field among the values, or nullptr for FormField::None.
std::string* TextOf(FormValues& values, FormField field);

struct CheckOutcome {
    bool accepted = false;
    FormField focus = FormField::None;  // where the focus goes when not accepted
};

// Entry form, QSO mode, Enter in the section field. Silent except the last step.
std::span<const CheckStep> QsoEntryChecks();
// Entry form, listening mode, Enter in section 2. All silent.
std::span<const CheckStep> ListeningEntryChecks();
// "Modifica di un QSO" on Salva: a message for each failure, then the section question.
std::span<const CheckStep> QsoEditChecks();
// "Modifica di un HRD" on Salva.
std::span<const CheckStep> ListeningEditChecks();

// Runs the steps in order and stops at the first failure. A DialogSection step asks
// its question with AskYesNo (title "Domanda"); No is a failure with the focus on the
// section. A dialog section code refused outright (not digits, too long) shows
// "Codice Sezione errato!" titled "Errore" instead of asking.
CheckOutcome RunChecks(std::span<const CheckStep> steps, FormValues& values, const SectionTable& sections,
                       UserPrompts& prompts);

// The texts of the edit dialogs and the entry form, as shown (Windows-1252 bytes).
inline constexpr const char* kCallsignErrorText = "Nominativo errato";
inline constexpr const char* kCallsignsErrorText = "Errore nei nominativi.";
inline constexpr const char* kDateErrorText = "Data errata!";
inline constexpr const char* kRstSentErrorText = "RST trasmesso (o modo) errato!";
inline constexpr const char* kRstReceivedErrorText = "RST ricevuto (o modo) errato!";
inline constexpr const char* kRstErrorText = "RST (o modo) errato!";
inline constexpr const char* kQsoSectionQuestion =
    "ATTENZIONE! Il codice sezione specificato\nnon \xE8 nell'elenco delle sezioni.\n\nVuoi inserirlo "
    "ugualmente?";
inline constexpr const char* kListeningSectionQuestion =
    "ATTENZIONE! CodicE sezione non in elenco sezioni.\n\nVuoi inserirli ugualmente?";
inline constexpr const char* kOwnSectionMissingText =
    "ATTENZIONE!\nSpecificare il codice della propria sezione.";

}  // namespace tarnex
