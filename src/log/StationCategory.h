#pragma once
// The entry categories of the contest, in the order the station summary offers them,
// and what each one means for the Cabrillo 3.0 file and for the checks before
// sending: who operates, which modes it counts, its transmitters, the power it
// enters with and whether it takes an overlay.
//
// Multi-operator categories always enter with high power; an overlay (ROOKIE:
// licensed for less than three years, YOUTH: under 25) is for the single-operator
// categories only; listeners state no power.

#include <array>
#include <string_view>

namespace tarnex {

// The category list, in its order.
inline constexpr std::array<const char*, 8> kCategories = {
    "SINGLE-OP SSB", "SINGLE-OP CW", "SINGLE-OP RTTY", "SINGLE-OP MIXED", "MULTI-ONE",
    "MULTI-MULTI",   "SWL",          "CHECKLOG"};
inline constexpr int kListeningCategory = 6;

// The choices of "Potenza" and "Overlay"; the empty text is "not chosen" / "none".
inline constexpr std::array<const char*, 3> kPowerChoices = {"", "HIGH", "LOW"};
inline constexpr std::array<const char*, 3> kOverlayChoices = {"", "ROOKIE", "YOUTH"};

struct CategoryTraits {
    const char* name;            // as in kCategories
    const char* operatorTag;     // "CATEGORY-OPERATOR": SINGLE-OP, MULTI-OP or CHECKLOG
    const char* modeTag;         // "CATEGORY-MODE": SSB, CW, RTTY or MIXED
    const char* transmitterTag;  // "CATEGORY-TRANSMITTER": ONE, UNLIMITED or SWL
    int onlyMode;                // the one mode (ModeCode) the category counts; -1: all
    bool singleOperator;         // takes an overlay
    bool multiOperator;          // always high power
    bool listening;              // states no power
};

// The traits of a category written exactly as the list has it; nullptr for any other
// text (the log mode, too, compares the category byte by byte).
const CategoryTraits* TraitsOfCategory(std::string_view category);

// The power the entry states: "HIGH" for a multi-operator category whatever was
// chosen, nothing for a listener, otherwise the chosen "HIGH" or "LOW" (any other
// text counts as not chosen).
std::string_view PowerOfEntry(const CategoryTraits& traits, std::string_view power);
// The overlay the entry states: the chosen "ROOKIE" or "YOUTH" for a single-operator
// category, otherwise none.
std::string_view OverlayOfEntry(const CategoryTraits& traits, std::string_view overlay);

// What is wrong with a chosen power and overlay for a category, the first problem
// found in this order.
enum class EntryValuesProblem {
    None,
    UnknownPower,              // not one of kPowerChoices
    UnknownOverlay,            // not one of kOverlayChoices
    MultiOperatorNotHigh,      // "LOW" for a multi-operator category
    OverlayNotSingleOperator,  // an overlay for a category that takes none
};
EntryValuesProblem CheckEntryValues(const CategoryTraits& traits, std::string_view power,
                                    std::string_view overlay);

// True for an Italian special-event callsign: the prefixes II, IO, IR and IY, which
// the administration gives to temporary stations for an event or anniversary,
// followed by the call area's digit ("II2M", "IO0ARI", "IY1MR"). The contest does not
// take such a station as an entrant; it may still send its log as a check log, and
// it counts as any other station when it is worked.
bool IsSpecialEventCallsign(std::string_view callsign);

// True when the text holds a byte that ends or breaks a line of a text file: a line
// break, a tab or any other control character (bytes 0 to 31 and 127). Such a value
// would split a Cabrillo header line in two.
bool HoldsControlCharacter(std::string_view text);

}  // namespace tarnex
