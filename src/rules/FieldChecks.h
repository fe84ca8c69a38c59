#pragma once
// The rules that decide whether a typed value may enter the log: callsign, date,
// time, signal report and section code. They are pure functions of the texts (the
// section checks also read the section table); none shows a message or writes a
// file. Every text they accept is written to the log file exactly as it stands and
// reads back the same.

#include <optional>
#include <string>
#include <string_view>

#include "base/UserPrompts.h"  // the titles of the messages
#include "util/TextNumber.h"   // IsAllDigits: non-empty and every character '0'..'9'

namespace tarnex {

class SectionTable;

// Year ranges of the date check: the entry form takes any year from 2005, the edit
// dialogs 1920 to 2099.
constexpr int kEntryLowestYear = 2005;
constexpr int kDialogLowestYear = 1920;
constexpr int kDialogHighestYear = 2099;

// A section code typed in an edit dialog may be longer than four digits (it is then
// unknown and the dialog asks), but no longer than this: a longer one would push
// the entry's line past what the log reader takes.
constexpr size_t kDialogSectionMaxLength = 10;

// Valid callsign: 3 to 14 characters, beginning with "I", only letters A-Z, digits
// and "/", with at least one digit and at least one letter or "/" after the first
// digit. When the length test passes the text is upper-cased in place (a-z only),
// whatever the outcome of the remaining tests.
bool CheckCallsign(std::string& text);

// "dd.mm.yyyy": ten characters, "." at positions 2 and 5, digits elsewhere; day 1 to
// 31/30/29 by month (29 in every February: there is no leap-year rule), month 1 to
// 12, year from lowestYear and, when given, up to highestYear.
bool CheckDate(std::string_view text, int lowestYear, std::optional<int> highestYear = std::nullopt);

// The entry form's time field when it loses the focus: a five-character text is first
// rewritten to its first two and last two characters ("14:05" -> "1405"); valid is
// "HHMM", four digits, hours 00-23 and minutes 00-59. The caller shows
// kTimeErrorText when it fails.
bool CheckEntryTime(std::string& text);

// The edit dialogs' time: exactly "HHMM", four digits, hours 0-23, minutes 0-59.
// Five-character forms are refused.
bool CheckDialogTime(std::string_view text);

// A signal report for a mode: in "SSB" (exactly that text) two digits 30 to 59; in
// any other mode three digits 301 to 599.
bool CheckReport(std::string_view report, std::string_view mode);

// The entry form's section check: four digits and a known code.
bool CheckEntrySection(std::string_view code, const SectionTable& sections);

// The edit dialogs' section check. The code's numeric value is looked up; its length
// is not checked beyond kDialogSectionMaxLength.
enum class DialogSection {
    Known,    // accepted at once
    Unknown,  // the dialog asks whether to take it anyway (Yes accepts)
    Refused,  // not digits, or too long for a log line: kSectionErrorText, no question
};
DialogSection CheckDialogSection(std::string_view code, const SectionTable& sections);

// The own-section-code field of the main window when it loses the focus. The caller
// acts on the verdict: Accepted -> the text becomes the own section (stored at once);
// Unknown -> kSectionErrorText titled "Errore", the text is discarded; Discarded ->
// the text is dropped without a message. A discard never clears the own section
// accepted before.
enum class OwnSectionVerdict { Accepted, Unknown, Discarded };
OwnSectionVerdict CheckOwnSection(std::string_view text, const SectionTable& sections);

// A typed text without its leading and trailing blanks (space, tab, CR, LF, VT, FF).
std::string Trimmed(const std::string& text);

// Texts of the checks' messages, as shown (Windows-1252 bytes, like every text of the
// program's core).
inline constexpr const char* kTimeErrorText = "Ora errata!";
inline constexpr const char* kSectionErrorText = "Codice Sezione errato!";

}  // namespace tarnex
