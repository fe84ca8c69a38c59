#pragma once
// The Cabrillo 3.0 file of a log, the form contest robots and Cabrillo readers take
// today. The header names the contest as the options set it and splits the category
// into the CATEGORY-... tags (operator, mode, power, band, transmitter, overlay);
// the "QSO:" lines are those of the 2.0 file (CabrilloExport.h), listed in date and
// time order because readers refuse a log that goes back in time, and with a space
// after a callsign or report that fills its column (QsoLineFields::Separated).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportSink.h"
#include "export/ProgramVersion.h"
#include "log/ContestLog.h"
#include "log/StationExtras.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"

namespace tarnex {

inline constexpr const char* kDefaultContestName = "SEZIONI";

struct Cabrillo3Options {
    std::string contest = kDefaultContestName;     // after "CONTEST: "
    StationExtras extras;                          // power, overlay, e-mail
    std::string programVersion = kProgramVersion;  // after "CREATED-BY: TARNEX "
};

// The whole file, lines ended by CR LF:
//   START-OF-LOG: 3.0, CREATED-BY, CONTEST, CALLSIGN, then for a category of the list
//   CATEGORY-OPERATOR, CATEGORY-MODE, CATEGORY-POWER (only when the entry states a
//   power: see PowerOfEntry), CATEGORY-BAND: ALL, CATEGORY-TRANSMITTER,
//   CATEGORY-OVERLAY (only when the entry states one); then OPERATORS, CLUB,
//   CLAIMED-SCORE, NAME, EMAIL (when set), ADDRESS and SOAPBOX lines as in the 2.0
//   file, the "QSO:" lines and "END-OF-LOG: ".
// A category that is not one of the list (a damaged header) gets only
// "CATEGORY-BAND: ALL"; the checks before sending name it. A control character in a
// station value is written as a space, so that no value can split its line.
std::string ExportCabrillo3(const ContestLog& log, const StationSummary& station,
                            const SectionTable& sections, int64_t claimedScore,
                            const Cabrillo3Options& options = {});
// The same bytes handed to `out` as they are made, a block of lines at a time.
void ExportCabrillo3To(ExportSink& out, const ContestLog& log, const StationSummary& station,
                       const SectionTable& sections, int64_t claimedScore,
                       const Cabrillo3Options& options = {});

// The rows in the order the 3.0 file lists them: by date and time; rows of the same
// minute keep their log order; rows whose date or time cannot be read come last.
std::vector<size_t> Cabrillo3RowOrder(const ContestLog& log);

// True for a name the "CONTEST:" tag takes: 1 to 32 characters, each a capital
// letter A-Z, a digit or "-".
bool IsCabrilloContestName(std::string_view name);
// The options dialog's refusal of any other name (title "Errore", stop icon).
inline constexpr const char* kContestNameErrorText =
    "Nome del contest errato!\n\nPu\xF2 contenere solo lettere maiuscole (A-Z),\n"
    "cifre e il trattino (-), al massimo 32 caratteri.";

}  // namespace tarnex
