#pragma once
// "Salva" in the two edit dialogs: the values typed go through the dialog's checks, in
// its order and with its messages; when they pass, the record to write back.

#include <optional>

#include "log/LogTypes.h"
#include "rules/CheckOrder.h"

namespace tarnex {

class SectionTable;
class UserPrompts;

template <typename Record>
struct EditSave {
    std::optional<Record> record;       // accepted: the values to write back
    FormField focus = FormField::None;  // refused: the field to correct
};

// "Modifica di un QSO". The accepted record has its callsign upper-cased; its section
// name is left for the caller to look up.
EditSave<QsoRecord> SaveQsoEdit(const QsoRecord& typed, const SectionTable& sections, UserPrompts& prompts);

// "Modifica di un HRD". FormField::Callsign is "Nominativo 1", Callsign2 "Nominativo 2",
// RstSent "RST 1" and Section "Sez. 1".
EditSave<HrdRecord> SaveListeningEdit(const HrdRecord& typed, const SectionTable& sections,
                                      UserPrompts& prompts);

}  // namespace tarnex
