#include "rules/RecordEdit.h"

namespace tarnex {

namespace {

// Runs the dialog's checks on the record's fields; when they pass, the typed record
// with the fields as the checks left them (the callsigns upper-cased).
template <typename Record, size_t N>
EditSave<Record> Checked(const Record& typed, const std::array<RecordField<Record>, N>& fields,
                         std::span<const CheckStep> steps, const SectionTable& sections,
                         UserPrompts& prompts) {
    FormValues values;
    values.date = typed.date;
    values.time = typed.time;
    values.mode = typed.mode;
    for (const RecordField<Record>& row : fields) {
        *TextOf(values, row.field) = typed.*row.text;
    }
    CheckOutcome outcome = RunChecks(steps, values, sections, prompts);
    if (!outcome.accepted) {
        return {std::nullopt, outcome.focus};
    }
    Record record = typed;
    for (const RecordField<Record>& row : fields) {
        record.*row.text = *TextOf(values, row.field);
    }
    return {record, FormField::None};
}

}  // namespace

EditSave<QsoRecord> SaveQsoEdit(const QsoRecord& typed, const SectionTable& sections, UserPrompts& prompts) {
    return Checked(typed, kQsoEditFields, QsoEditChecks(), sections, prompts);
}

EditSave<HrdRecord> SaveListeningEdit(const HrdRecord& typed, const SectionTable& sections,
                                      UserPrompts& prompts) {
    return Checked(typed, kListeningEditFields, ListeningEditChecks(), sections, prompts);
}

}  // namespace tarnex
