#include "entry/RecordEdit.h"

namespace tarnex {

EditSave<QsoRecord> SaveQsoEdit(const QsoRecord& typed, const SectionTable& sections, UserPrompts& prompts) {
    FormValues values;
    values.callsign = typed.callsign;
    values.date = typed.date;
    values.time = typed.time;
    values.mode = typed.mode;
    values.rstSent = typed.rstSent;
    values.rstReceived = typed.rstReceived;
    values.section = typed.section;
    CheckOutcome outcome = RunChecks(QsoEditChecks(), values, sections, prompts);
    if (!outcome.accepted) {
        return {std::nullopt, outcome.focus};
    }
    QsoRecord record = typed;
    record.callsign = values.callsign;
    return {record, FormField::None};
}

EditSave<HrdRecord> SaveHrdEdit(const HrdRecord& typed, const SectionTable& sections, UserPrompts& prompts) {
    FormValues values;
    values.callsign = typed.callingCall;
    values.callsign2 = typed.answeringCall;
    values.date = typed.date;
    values.time = typed.time;
    values.mode = typed.mode;
    values.rstSent = typed.rst;
    values.section = typed.callingSection;
    CheckOutcome outcome = RunChecks(HrdEditChecks(), values, sections, prompts);
    if (!outcome.accepted) {
        return {std::nullopt, outcome.focus};
    }
    HrdRecord record = typed;
    record.callingCall = values.callsign;
    record.answeringCall = values.callsign2;
    return {record, FormField::None};
}

}  // namespace tarnex
