#pragma once
// What the station summary dialog ("TARNEX - Dati riassuntivi") decides: what it shows
// when it opens, the questions when the category moves to or from "SWL", the checks
// on "Salva", and what saving changes (the settings, the log mode, the journal).

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "log/LogTypes.h"

namespace tarnex {

class LogSession;

// The category list, in its order.
inline constexpr std::array<const char*, 7> kCategories = {
    "SINGLE-OP SSB", "SINGLE-OP CW", "SINGLE-OP RTTY", "SINGLE-OP MIXED", "MULTI-ONE", "SWL", "CHECKLOG"};
inline constexpr int kListeningCategory = 5;

// The fields of the dialog, in the order "Salva" checks their limits.
enum class SummaryField { Callsign, Name, Operators, Address1, Address2, Address3, Comment1, Comment2 };
inline constexpr std::array<SummaryField, 8> kSummaryFields = {
    SummaryField::Callsign, SummaryField::Name,     SummaryField::Operators, SummaryField::Address1,
    SummaryField::Address2, SummaryField::Address3, SummaryField::Comment1,  SummaryField::Comment2};

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
    std::string& Text(SummaryField field);
    const std::string& Text(SummaryField field) const {
        return const_cast<StationSummaryInput*>(this)->Text(field);
    }
};

struct SummarySaveResult {
    bool accepted = false;
    // The field to put the focus in when one was longer than its limit.
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

    // "Salva": the limits, then the data. Upper-cases the callsign in `input`. Shows
    // the message of a refusal; accepted means the dialog may close.
    SummarySaveResult Save(StationSummaryInput& input);

    // After the dialog closed with "Salva": the values into the station summary and
    // the settings, the log mode switched when the category asks for the other one,
    // and the journal rewritten. showOwnSection puts the own section into the main
    // window's field before the mode changes. Returns true when the mode was switched.
    bool Apply(const StationSummaryInput& input,
               const std::function<void(const std::string&)>& showOwnSection = {});

    static std::string TooLongText(size_t limit);
    static const char* const kInvalidText;
    static const char* const kToListeningQuestion;
    static const char* const kToQsoQuestion;

  private:
    LogSession& session_;
    std::vector<std::string> ownSections_;
};

}  // namespace tarnex
