#pragma once
// What the station summary dialog ("TARNEX - Dati riassuntivi") decides: what it shows
// when it opens, the questions when the category moves to or from "SWL", the checks
// on "Salva", and what saving changes (the settings, the log mode, the journal).
// Besides the values of the log file's header the dialog holds the power, the overlay
// and the e-mail address, which live in the settings only.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "log/LogTypes.h"
#include "log/StationCategory.h"  // kCategories, kListeningCategory, kPowerChoices, kOverlayChoices

namespace tarnex {

class LogSession;

// The fields of the dialog, in the order "Salva" checks their limits.
enum class SummaryField {
    Callsign,
    Name,
    Operators,
    Address1,
    Address2,
    Address3,
    Comment1,
    Comment2,
    Email
};
inline constexpr std::array<SummaryField, 9> kSummaryFields = {
    SummaryField::Callsign, SummaryField::Name,     SummaryField::Operators,
    SummaryField::Address1, SummaryField::Address2, SummaryField::Address3,
    SummaryField::Comment1, SummaryField::Comment2, SummaryField::Email};

// The most characters each field takes. The name has the limit of the address lines,
// so that every header line reads back as one line.
size_t SummaryFieldLimit(SummaryField field);

// What the dialog's controls hold.
struct StationSummaryInput {
    std::string callsign;
    std::string name;
    std::string operators;
    int category = -1;    // position in kCategories; -1: none selected
    int ownSection = -1;  // position in the own-section list; -1: none selected
    std::array<std::string, 3> address;
    std::array<std::string, 2> comment;
    std::string power;    // one of kPowerChoices ("": not chosen)
    std::string overlay;  // one of kOverlayChoices ("": none)
    std::string email;
    std::string& Text(SummaryField field);
    const std::string& Text(SummaryField field) const {
        return const_cast<StationSummaryInput*>(this)->Text(field);
    }
};

// What the dialog lets the person choose for the power and the overlay under a
// category: a multi-operator category always enters with "HIGH" and a listener states
// no power, so neither choice is open to them; only single operators take an overlay.
struct EntryValueChoices {
    bool powerChoosable = true;
    std::string fixedPower;  // shown while the power is not choosable
    bool overlayChoosable = true;
};

struct SummarySaveResult {
    bool accepted = false;
    // The field to put the focus in when one was longer than its limit or held a
    // control character.
    std::optional<SummaryField> focus;
};

class StationSummaryEditor {
  public:
    explicit StationSummaryEditor(LogSession& session);

    // "%04d - %s" for every known section, by ascending code.
    const std::vector<std::string>& OwnSectionEntries() const { return ownSections_; }

    // The controls when the dialog opens, from the current station summary.
    StationSummaryInput Initial() const;

    // The person picked a category: asks when the pick changes the log mode while
    // work is unsaved; returns the category to show (the pick, or the one it reverts
    // to on No).
    int CategoryChosen(int category);

    // "Salva": the limits, then the characters (no field may hold a line break, a tab
    // or another control character: it would break a line of the Cabrillo file),
    // then the data, then the power and the overlay against the category
    // (multi-operator categories are always HIGH; an overlay is for single operators
    // only). Upper-cases the callsign in `input`. Shows the message of a refusal;
    // accepted means the dialog may close.
    SummarySaveResult Save(StationSummaryInput& input);

    // After the dialog closed with "Salva": the values into the station summary and
    // the settings (a multi-operator category stores the power "HIGH"), the log mode
    // switched when the category asks for the other one, and the journal rewritten.
    // showOwnSection puts the own section into the main window's field before the
    // mode changes. Returns true when the mode was switched.
    bool Apply(const StationSummaryInput& input,
               const std::function<void(const std::string&)>& showOwnSection = {});

    // The choices under the category at this position of kCategories (all open for
    // none selected).
    static EntryValueChoices ChoicesOf(int category);

    static std::string TooLongText(size_t limit);
    static const char* const kInvalidText;
    static const char* const kControlCharacterText;
    static const char* const kMultiOperatorPowerText;
    static const char* const kOverlayText;
    static const char* const kPowerOverlayChoiceText;
    static const char* const kToListeningQuestion;
    static const char* const kToQsoQuestion;

  private:
    LogSession& session_;
    std::vector<std::string> ownSections_;
};

}  // namespace tarnex
