#pragma once
// What the entry form of the main window shows: the field values, the field that
// holds the keyboard focus, the 36 cells of the two worked grids, the indicators and
// markers, and the previous contacts of the callsign being entered. EntryForm owns one
// of these; the window only mirrors it.

#include <array>
#include <string>
#include <vector>

#include "base/ContestRules.h"

namespace tarnex {

// The places the keyboard focus can be, as far as the entry form cares.
enum class EntryField {
    None,          // nothing of the main window (a list, a button, another window)
    Date,          // "Data"
    Time,          // "Utc"
    Band,          // "MHz" list
    Mode,          // "Modo" list
    Callsign,      // "Nominativo" (callsign 1, the calling station, in listening mode)
    RstSent,       // "RST tx" (report 1 in listening mode)
    RstReceived,   // "RST rx" (report 2 in listening mode)
    Section,       // "Sezione" (section 1 in listening mode)
    SectionName,   // "Nome Sezione": never keeps the focus
    Callsign2,     // listening mode: the answering station
    Section2,      // listening mode: its section code
    SectionName2,  // listening mode: its section name
    OwnSection,    // "Mio codice sezione"
    PreviousCall,  // the callsign display above the previous contacts
};

// One value per field of the form, as text.
struct EntryValues {
    std::string date;
    std::string time;
    std::string band;  // one of kBandTexts
    std::string mode;  // one of kModeTexts
    std::string callsign;
    std::string rstSent;
    std::string rstReceived;
    std::string section;
    std::string sectionName;
    // Listening mode only (hidden otherwise).
    std::string callsign2;
    std::string section2;
    std::string sectionName2;
    // The own-section field and the callsign shown above the previous contacts.
    std::string ownSection;
    std::string previousCall;
    // "Data/ora auto" and "pc mostra utc".
    bool autoClock = true;
    bool pcShowsUtc = false;
    bool operator==(const EntryValues&) const = default;
};

// Where each typed field of the form keeps its text: one row per field, read by the
// form when the person types and by the window when it shows the form. Band and Mode
// are chosen from their lists, and None holds nothing.
struct EntryText {
    EntryField field;
    std::string EntryValues::*text;
};
inline constexpr std::array<EntryText, 12> kEntryTexts = {{
    {EntryField::Date, &EntryValues::date},
    {EntryField::Time, &EntryValues::time},
    {EntryField::Callsign, &EntryValues::callsign},
    {EntryField::RstSent, &EntryValues::rstSent},
    {EntryField::RstReceived, &EntryValues::rstReceived},
    {EntryField::Section, &EntryValues::section},
    {EntryField::SectionName, &EntryValues::sectionName},
    {EntryField::Callsign2, &EntryValues::callsign2},
    {EntryField::Section2, &EntryValues::section2},
    {EntryField::SectionName2, &EntryValues::sectionName2},
    {EntryField::OwnSection, &EntryValues::ownSection},
    {EntryField::PreviousCall, &EntryValues::previousCall},
}};
// The text of a field, or nullptr for a field that holds none.
inline std::string* TextOf(EntryValues& values, EntryField field) {
    for (const EntryText& row : kEntryTexts) {
        if (row.field == field) {
            return &(values.*row.text);
        }
    }
    return nullptr;
}
inline const std::string* TextOf(const EntryValues& values, EntryField field) {
    return TextOf(const_cast<EntryValues&>(values), field);
}

// A small display-only picture or button that can be hidden, or shown on or off.
struct Marker {
    bool visible = false;
    bool on = false;
    bool operator==(const Marker&) const = default;
};

// Listening-mode markers, combined as a set of flags for ResetMarkers.
enum class MarkerGroup : unsigned {
    None = 0,
    C = 1,   // callsign 1 already heard calling
    R = 2,   // the answer markers of callsign 2
    M1 = 4,  // new multiplier, row 1
    M2 = 8,  // new multiplier, row 2
    All = 15,
};
constexpr MarkerGroup operator|(MarkerGroup a, MarkerGroup b) {
    return static_cast<MarkerGroup>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(MarkerGroup set, MarkerGroup group) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(group)) != 0;
}

// The two rows of the entry form that hold a section: the first (the section, or
// section 1 in listening mode) and, in listening mode only, the second (section 2).
enum class EntryRow { First, Second };

// The two worked grids: the upper one follows the section of the first row, the
// lower one the callsign's earlier contacts (the section of the second row in
// listening mode).
enum class Grid { Upper = 0, Lower = 1 };
// Which grids ResetGrids switches off.
enum class Grids { Upper, Lower, Both };

struct EntryIndicators {
    bool duplicate = false;                           // the DUP picture
    bool newMultiplier = false;                       // the MOLT picture (QSO mode)
    Marker calling;                                   // C, after report 1 (listening mode)
    std::array<Marker, kAnswersPerBandMode> answers;  // R x3, after report 2 (listening mode)
    std::array<Marker, 2> multiplier;                 // M of row 1 and row 2 (listening mode)
    bool operator==(const EntryIndicators&) const = default;
};

// One earlier contact with the callsign being entered.
struct PreviousContact {
    std::string day;  // first two characters of the date
    std::string time;
    std::string band;
    std::string mode;
    std::string rstSent;
    std::string rstReceived;
    bool operator==(const PreviousContact&) const = default;
};

struct EntryFormState {
    EntryValues values;
    EntryField focus = EntryField::Callsign;
    std::array<bool, kGridCells> cells{};  // by GridCell(); true: worked (red), false: not (white)
    EntryIndicators indicators;
    std::vector<PreviousContact> previous;
    // Grows by one whenever the previous contacts should be scrolled to their last row.
    unsigned previousScrollRequests = 0;
    // True while the callsign just typed was already worked on the chosen band and mode.
    bool duplicate = false;
    // The clock timer: running while "Data/ora auto" is on, due again after this many
    // milliseconds (the start of the next minute).
    bool clockRunning = false;
    int clockIntervalMs = 60000;
};

}  // namespace tarnex
