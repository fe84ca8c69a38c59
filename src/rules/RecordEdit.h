#pragma once
// "Salva" in the two edit dialogs: the values typed go through the dialog's checks, in
// its order and with its messages; when they pass, the record to write back.

#include <array>
#include <optional>
#include <span>
#include <string>

#include "log/LogTypes.h"
#include "rules/CheckOrder.h"

namespace tarnex {

class SectionTable;
class UserPrompts;

// A field of an entry that an edit dialog shows beside date, time, band and mode, and
// the field it is to the checks (where a failed check puts the focus).
template <typename Record>
struct RecordField {
    FormField field;
    std::string Record::*text;
};

// "Modifica di un QSO": callsign, the two reports and the section.
inline constexpr std::array<RecordField<QsoRecord>, 4> kQsoEditFields = {{
    {FormField::Callsign, &QsoRecord::callsign},
    {FormField::RstSent, &QsoRecord::rstSent},
    {FormField::RstReceived, &QsoRecord::rstReceived},
    {FormField::Section, &QsoRecord::section},
}};
// "Modifica di un HRD": "Nominativo 1", "RST 1", "Sez. 1" and "Nominativo 2".
inline constexpr std::array<RecordField<HrdRecord>, 4> kListeningEditFields = {{
    {FormField::Callsign, &HrdRecord::callingCall},
    {FormField::RstSent, &HrdRecord::rst},
    {FormField::Section, &HrdRecord::callingSection},
    {FormField::Callsign2, &HrdRecord::answeringCall},
}};

template <typename Record>
struct EditSave {
    std::optional<Record> record;       // accepted: the values to write back
    FormField focus = FormField::None;  // refused: the field to correct
};

// "Modifica di un QSO". The accepted record has its callsign upper-cased; its section
// name is left for the caller to look up.
EditSave<QsoRecord> SaveQsoEdit(const QsoRecord& typed, const SectionTable& sections, UserPrompts& prompts);

// "Modifica di un HRD", both callsigns upper-cased.
EditSave<HrdRecord> SaveListeningEdit(const HrdRecord& typed, const SectionTable& sections,
                                      UserPrompts& prompts);

}  // namespace tarnex
