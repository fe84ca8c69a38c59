#include "rules/RecordEdit.h"

namespace tarnex {

namespace {

// The values both dialogs take from their record as they stand.
template <typename Record>
FormValues SharedValues(const Record& typed) {
    FormValues values;
    values.date = typed.date;
    values.time = typed.time;
    values.mode = typed.mode;
    return values;
}

// Runs the dialog's checks; when they pass, the typed record with the callsigns the
// checks upper-cased put back by `takeCallsigns`.
template <typename Record, typename TakeCallsigns>
EditSave<Record> Checked(const Record& typed, std::span<const CheckStep> steps, FormValues& values,
                         const SectionTable& sections, UserPrompts& prompts, TakeCallsigns takeCallsigns) {
    CheckOutcome outcome = RunChecks(steps, values, sections, prompts);
    if (!outcome.accepted) {
        return {std::nullopt, outcome.focus};
    }
    Record record = typed;
    takeCallsigns(record);
    return {record, FormField::None};
}

}  // namespace

EditSave<QsoRecord> SaveQsoEdit(const QsoRecord& typed, const SectionTable& sections, UserPrompts& prompts) {
    FormValues values = SharedValues(typed);
    values.callsign = typed.callsign;
    values.rstSent = typed.rstSent;
    values.rstReceived = typed.rstReceived;
    values.section = typed.section;
    return Checked(typed, QsoEditChecks(), values, sections, prompts,
                   [&values](QsoRecord& record) { record.callsign = values.callsign; });
}

EditSave<HrdRecord> SaveListeningEdit(const HrdRecord& typed, const SectionTable& sections,
                                      UserPrompts& prompts) {
    FormValues values = SharedValues(typed);
    values.callsign = typed.callingCall;
    values.callsign2 = typed.answeringCall;
    values.rstSent = typed.rst;
    values.section = typed.callingSection;
    return Checked(typed, ListeningEditChecks(), values, sections, prompts, [&values](HrdRecord& record) {
        record.callingCall = values.callsign;
        record.answeringCall = values.callsign2;
    });
}

}  // namespace tarnex
