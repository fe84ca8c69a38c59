#include "entry/ListeningEntry.h"

#include <utility>

#include "entry/ListeningForm.h"
#include "log/LogTypes.h"
#include "rules/CheckOrder.h"
#include "rules/FieldChecks.h"
#include "sections/SectionTable.h"
#include "util/TextNumber.h"

namespace tarnex {

ListeningEntry::Working LookUpWorking(const CallIndex& index, const std::string& callsign) {
    ListeningEntry::Working working;
    working.filled = true;
    if (const CallIndexEntry* entry = index.Find(callsign)) {
        working.entry = *entry;
        working.found = true;
    } else {
        working.entry.callsign = callsign;
    }
    return working;
}

// --- Evaluating the two callsigns ---

void ListeningEntry::OnCallsign1Valid(ListeningForm& form) {
    const EntryValues& v = form.State().values;
    form.ResetMarkers(MarkerGroup::C);
    first_ = LookUpWorking(form.Calls(), v.callsign);
    if (first_.found && first_.entry.section != 0) {
        // The section this station sent when it was heard calling replaces what is typed.
        form.SetText(EntryField::Section, FormatCode(first_.entry.section));
        form.MoveFocus(EntryField::Section);
        form.Redraw();
        form.ProcessSectionTyped(EntryRow::First);
    }
    const int band = form.BandIndex();
    const int mode = form.ModeIndex();
    form.SetCallingMarker({true, band >= 0 && mode >= 0 && first_.entry.HeardCalling(band, mode)});
    form.Redraw();
}

void ListeningEntry::OnCallsign2Left(ListeningForm& form) {
    EvaluateCallsign2(form);
}

void ListeningEntry::EvaluateCallsign2(ListeningForm& form) {
    const EntryValues& v = form.State().values;
    // The duplicate flag describes the pair evaluated now, never an earlier one.
    form.SetDuplicate(false);
    form.SetText(EntryField::Callsign2, Trimmed(v.callsign2));
    form.ResetMarkers(MarkerGroup::R);

    const CallIndex& index = form.Calls();
    if (!first_.filled || first_.entry.callsign != v.callsign) {
        first_ = LookUpWorking(index, v.callsign);
    }
    second_ = LookUpWorking(index, v.callsign2);
    if (second_.found && second_.entry.section != 0) {
        form.SetText(EntryField::Section2, FormatCode(second_.entry.section));
        form.MoveFocus(EntryField::Section2);
        form.Redraw();
        form.ProcessSectionTyped(EntryRow::Second);
    }

    const int band = form.BandIndex();
    const int mode = form.ModeIndex();
    if (band < 0 || mode < 0) {
        form.Redraw();
        return;
    }
    // Callsign 2 answered as often as it may, or callsign 1 already heard calling.
    const bool answersFull = second_.entry.AnswerCount(band, mode) >= kAnswersPerBandMode;
    ShowAnswerMarkers(form, second_.entry.AnswerCount(band, mode), answersFull);
    bool duplicate = answersFull || first_.entry.HeardCalling(band, mode);
    if (duplicate && !second_.entry.HeardCalling(band, mode) &&
        first_.entry.AnswerCount(band, mode) < kAnswersPerBandMode) {
        SwapStations(form, band, mode);  // acceptable the other way round
        duplicate = false;
    }
    form.SetDuplicate(duplicate);
    form.Redraw();
}

void ListeningEntry::ShowAnswerMarkers(ListeningForm& form, int count, bool on) {
    std::array<Marker, kAnswersPerBandMode> answers{};
    for (size_t i = 0; i < answers.size(); ++i) {
        answers[i] = {count >= static_cast<int>(i), on};
    }
    form.SetAnswerMarkers(answers);
}

void ListeningEntry::SwapStations(ListeningForm& form, int band, int mode) {
    const EntryValues before = form.State().values;
    form.SetText(EntryField::Callsign, before.callsign2);
    form.SetText(EntryField::Callsign2, before.callsign);
    form.SetText(EntryField::RstSent, before.rstReceived);
    form.SetText(EntryField::RstReceived, before.rstSent);
    form.SetText(EntryField::Section2, before.section);
    form.SetText(EntryField::Section, {});
    form.SetText(EntryField::SectionName, {});
    form.SetText(EntryField::SectionName2, before.section.size() == kSectionCodeLength
                                               ? form.Sections().NameOfText(before.section)
                                               : std::string());
    std::swap(first_, second_);

    Marker calling = form.State().indicators.calling;
    calling.on = false;
    form.SetCallingMarker(calling);
    ShowAnswerMarkers(form, second_.entry.AnswerCount(band, mode), false);

    form.MoveFocus(EntryField::Section);
    form.Redraw();
    form.ProcessSectionTyped(EntryRow::First);
    form.ProcessSectionTyped(EntryRow::Second);
}

void ListeningEntry::OnBandChanged(ListeningForm& form) {
    ShowSection2Grid(form);
}

void ListeningEntry::OnModeChanged(ListeningForm& form) {
    ShowSection2Grid(form);
}

void ListeningEntry::ShowSection2Grid(ListeningForm& form) {
    const std::string& section2 = form.State().values.section2;
    if (section2.size() == kSectionCodeLength) {
        form.ShowSectionGrid(NumericValue(section2), Grid::Lower);
    }
    form.Redraw();
}

void ListeningEntry::OnFormReset(ListeningForm& form) {
    first_ = {};
    second_ = {};
}

// --- Enter ---

void ListeningEntry::OnEnter(ListeningForm& form) {
    const EntryFormState& state = form.State();
    switch (state.focus) {
        case EntryField::Section:
            if (state.values.section.size() == kSectionCodeLength) {
                form.MoveFocus(EntryField::Callsign2);
            }
            form.Redraw();
            return;
        case EntryField::Callsign2: {
            std::string callsign2 = state.values.callsign2;
            if (CheckCallsign(callsign2)) {
                form.SetText(EntryField::Callsign2, std::move(callsign2));
                form.MoveFocus(EntryField::Section2);  // leaving callsign 2 evaluates it
            } else {
                form.SetText(EntryField::Callsign2, {});
                form.ResetMarkers(MarkerGroup::R);
            }
            form.Redraw();
            return;
        }
        case EntryField::Section2:
            TryAdd(form);
            return;
        default:
            return;
    }
}

void ListeningEntry::TryAdd(ListeningForm& form) {
    FormValues checked = ValuesToCheck(form.State().values);
    CheckOutcome outcome = form.RunEntryChecks(ListeningEntryChecks(), checked);
    // Upper-cased, or emptied when refused.
    form.SetText(EntryField::Callsign, checked.callsign);
    form.SetText(EntryField::Callsign2, checked.callsign2);
    if (!outcome.accepted) {
        form.MoveFocus(EntryFieldOf(outcome.focus));
        form.Redraw();
        return;
    }
    if (form.BandIndex() < 0 || form.ModeIndex() < 0) {
        return;  // the lists always hold a band and a mode
    }
    AddExchange(form);
}

void ListeningEntry::AddExchange(ListeningForm& form) {
    const EntryValues& v = form.State().values;
    const int band = form.BandIndex();
    const int mode = form.ModeIndex();

    // Fresh copies of both index entries: what the evaluation saw, unless the log was
    // edited in between, and always the callsigns that are being added.
    first_ = LookUpWorking(form.Calls(), v.callsign);
    second_ = LookUpWorking(form.Calls(), v.callsign2);
    const bool same = v.callsign == v.callsign2;
    CallIndexEntry& calling = first_.entry;
    CallIndexEntry& answering = same ? first_.entry : second_.entry;

    form.AddEntry(HrdRecord{v.date, v.time, v.band, v.mode, v.callsign, v.rstSent, v.section, v.callsign2});
    calling.MarkCalling(band, mode);
    answering.AddAnswer(band, mode);
    calling.section = NumericValue(v.section);
    // A known section 2 is what the answering station sends. Without one, a section
    // already on record for it stays (a rebuild from the rows keeps it too).
    if (!same && !v.sectionName2.empty()) {
        answering.section = NumericValue(v.section2);
    }

    // The same exchange heard the other way round, when the answering station may
    // still be logged calling.
    if (!answering.HeardCalling(band, mode) && calling.AnswerCount(band, mode) < kAnswersPerBandMode &&
        !v.sectionName2.empty()) {
        form.AddEntry(
            HrdRecord{v.date, v.time, v.band, v.mode, v.callsign2, v.rstReceived, v.section2, v.callsign});
        answering.MarkCalling(band, mode);
        calling.AddAnswer(band, mode);
    }

    form.PutCallIndexEntry(calling);
    if (!same) {
        form.PutCallIndexEntry(answering);
    }
    ClearAfterAdd(form);
}

void ListeningEntry::ClearAfterAdd(ListeningForm& form) {
    for (EntryField field : {EntryField::SectionName2, EntryField::SectionName, EntryField::Section2,
                             EntryField::Section, EntryField::Callsign2, EntryField::Callsign}) {
        form.SetText(field, {});
    }
    form.ResetMarkers(MarkerGroup::All);
    form.ResetGrids(Grids::Both);
    first_ = {};
    second_ = {};
    form.MoveFocus(EntryField::Callsign);
    form.Redraw();
}

}  // namespace tarnex
