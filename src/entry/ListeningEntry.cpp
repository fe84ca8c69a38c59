#include "entry/ListeningEntry.h"

#include <utility>

#include "app/LogSession.h"
#include "entry/EntryForm.h"
#include "log/BandMode.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
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

void ListeningEntry::OnCallsign1Valid(EntryForm& form) {
    EntryFormState& state = form.MutableState();
    EntryValues& v = state.values;
    form.ResetMarkers(MarkerGroup::C);
    first_ = LookUpWorking(form.Log().Calls(), v.callsign);
    if (first_.found && first_.entry.section != 0) {
        // The section this station sent when it was heard calling replaces what is typed.
        v.section = FormatCode(first_.entry.section);
        form.MoveFocus(EntryField::Section);
        form.Redraw();
        form.ProcessSectionTyped(EntryRow::First);
    }
    const int band = form.BandIndex();
    const int mode = form.ModeIndex();
    state.indicators.calling.visible = true;
    state.indicators.calling.on = band >= 0 && mode >= 0 && first_.entry.HeardCalling(band, mode);
    form.Redraw();
}

void ListeningEntry::OnCallsign2Left(EntryForm& form) {
    EvaluateCallsign2(form);
}

void ListeningEntry::EvaluateCallsign2(EntryForm& form) {
    EntryFormState& state = form.MutableState();
    EntryValues& v = state.values;
    // The duplicate flag describes the pair evaluated now, never an earlier one.
    state.duplicate = false;
    state.indicators.duplicate = false;
    v.callsign2 = Trimmed(v.callsign2);
    form.ResetMarkers(MarkerGroup::R);

    const CallIndex& index = form.Log().Calls();
    if (!first_.filled || first_.entry.callsign != v.callsign) {
        first_ = LookUpWorking(index, v.callsign);
    }
    second_ = LookUpWorking(index, v.callsign2);
    if (second_.found && second_.entry.section != 0) {
        v.section2 = FormatCode(second_.entry.section);
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
    const int answers = second_.entry.AnswerCount(band, mode);
    ShowAnswerMarkers(form, answers);
    if (answers >= kAnswersPerBandMode) {
        state.duplicate = true;
        for (Marker& marker : state.indicators.answers) {
            marker.on = true;
        }
    }
    if (first_.entry.HeardCalling(band, mode)) {
        state.duplicate = true;
    }
    if (state.duplicate && !second_.entry.HeardCalling(band, mode) &&
        first_.entry.AnswerCount(band, mode) < kAnswersPerBandMode) {
        SwapStations(form, band, mode);
    }
    if (state.duplicate) {
        state.indicators.duplicate = true;
    }
    form.Redraw();
}

void ListeningEntry::ShowAnswerMarkers(EntryForm& form, int count) {
    std::array<Marker, kAnswersPerBandMode>& answers = form.MutableState().indicators.answers;
    // One marker more than the answers heard so far: the one this exchange would add.
    for (size_t i = 0; i < answers.size(); ++i) {
        answers[i].visible = count >= static_cast<int>(i);
    }
}

void ListeningEntry::SwapStations(EntryForm& form, int band, int mode) {
    EntryFormState& state = form.MutableState();
    EntryValues& v = state.values;
    std::swap(v.callsign, v.callsign2);
    std::swap(v.rstSent, v.rstReceived);
    v.section2 = v.section;
    v.section.clear();
    v.sectionName.clear();
    v.sectionName2 =
        v.section2.size() == kSectionCodeLength ? form.Sections().NameOfText(v.section2) : std::string();
    std::swap(first_, second_);

    state.indicators.calling.on = false;
    form.ResetMarkers(MarkerGroup::R);
    ShowAnswerMarkers(form, second_.entry.AnswerCount(band, mode));

    state.duplicate = false;
    form.MoveFocus(EntryField::Section);
    form.Redraw();
    form.ProcessSectionTyped(EntryRow::First);
    form.ProcessSectionTyped(EntryRow::Second);
}

void ListeningEntry::OnBandChanged(EntryForm& form) {
    ShowSection2Grid(form);
}

void ListeningEntry::OnModeChanged(EntryForm& form) {
    ShowSection2Grid(form);
}

void ListeningEntry::ShowSection2Grid(EntryForm& form) {
    const std::string& section2 = form.Values().section2;
    if (section2.size() == kSectionCodeLength) {
        form.ShowSectionGrid(NumericValue(section2), Grid::Lower);
    }
    form.Redraw();
}

void ListeningEntry::OnFormReset(EntryForm& form) {
    first_ = {};
    second_ = {};
}

// --- Enter ---

void ListeningEntry::OnEnter(EntryForm& form) {
    EntryFormState& state = form.MutableState();
    EntryValues& v = state.values;
    switch (state.focus) {
        case EntryField::Section:
            if (v.section.size() == kSectionCodeLength) {
                form.MoveFocus(EntryField::Callsign2);
            }
            form.Redraw();
            return;
        case EntryField::Callsign2:
            if (CheckCallsign(v.callsign2)) {
                form.MoveFocus(EntryField::Section2);  // leaving callsign 2 evaluates it
            } else {
                v.callsign2.clear();
                form.ResetMarkers(MarkerGroup::R);
            }
            form.Redraw();
            return;
        case EntryField::Section2:
            TryAdd(form);
            return;
        default:
            return;
    }
}

void ListeningEntry::TryAdd(EntryForm& form) {
    EntryValues& v = form.MutableState().values;
    FormValues checked = ValuesToCheck(v);
    CheckOutcome outcome = RunChecks(ListeningEntryChecks(), checked, form.Sections(), form.Prompts());
    // Upper-cased, or emptied when refused.
    v.callsign = checked.callsign;
    v.callsign2 = checked.callsign2;
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

void ListeningEntry::AddExchange(EntryForm& form) {
    const EntryValues& v = form.Values();
    const int band = form.BandIndex();
    const int mode = form.ModeIndex();
    const uint8_t bandBit = BandBit(band);
    ContestLog& log = form.Log();
    LogSession& session = form.Session();

    // Fresh copies of both index entries: what the evaluation saw, unless the log was
    // edited in between, and always the callsigns that are being added.
    first_ = LookUpWorking(log.Calls(), v.callsign);
    second_ = LookUpWorking(log.Calls(), v.callsign2);
    const bool same = v.callsign == v.callsign2;
    CallIndexEntry& calling = first_.entry;
    CallIndexEntry& answering = same ? first_.entry : second_.entry;

    const HrdRecord heard{v.date, v.time, v.band, v.mode, v.callsign, v.rstSent, v.section, v.callsign2};
    log.AppendWithoutIndexes(heard);
    session.JournalAppend(ListeningLine(heard));  // also marks the log modified
    log.Worked().Mark(NumericValue(v.section), mode, bandBit);

    calling.MarkCalling(band, mode);
    answering.AddAnswer(band, mode);
    calling.section = NumericValue(v.section);
    // A known section 2 is what the answering station sends. Without one, a section
    // already on record for it stays (a rebuild from the rows keeps it too).
    if (!same && !v.sectionName2.empty()) {
        answering.section = NumericValue(v.section2);
    }

    if (!answering.HeardCalling(band, mode) && calling.AnswerCount(band, mode) < kAnswersPerBandMode &&
        !v.sectionName2.empty()) {
        const HrdRecord back{v.date,      v.time,        v.band,     v.mode,
                             v.callsign2, v.rstReceived, v.section2, v.callsign};
        log.AppendWithoutIndexes(back);
        session.JournalAppend(ListeningLine(back));
        log.Worked().Mark(NumericValue(v.section2), mode, bandBit);
        answering.MarkCalling(band, mode);
        calling.AddAnswer(band, mode);
    }

    log.Calls().Put(calling);
    if (!same) {
        log.Calls().Put(answering);
    }
    ClearAfterAdd(form);
}

void ListeningEntry::ClearAfterAdd(EntryForm& form) {
    EntryValues& v = form.MutableState().values;
    v.sectionName2.clear();
    v.sectionName.clear();
    v.section2.clear();
    v.section.clear();
    v.callsign2.clear();
    v.callsign.clear();
    form.ResetMarkers(MarkerGroup::All);
    form.ResetGrids(Grids::Both);
    first_ = {};
    second_ = {};
    form.MoveFocus(EntryField::Callsign);
    form.Redraw();
}

}  // namespace tarnex
