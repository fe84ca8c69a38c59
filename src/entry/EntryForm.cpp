#include "entry/EntryForm.h"

#include <algorithm>

#include "app/LogSession.h"
#include "entry/CallsignRows.h"
#include "entry/EntryFormObserver.h"
#include "entry/ListeningHandler.h"
#include "entry/SectionSource.h"
#include "log/BandMode.h"
#include "log/LogFile.h"
#include "rules/CheckOrder.h"
#include "rules/FieldChecks.h"
#include "sections/SectionTable.h"
#include "util/TextNumber.h"

namespace tarnex {

namespace {

// The form's fields that the checks on Enter read, each with the field it is to them.
// Listening mode uses the same rows: report 1 is in "RST tx", report 2 in "RST rx".
struct CheckedField {
    FormField checked;
    EntryField field;
};
constexpr std::array<CheckedField, 7> kCheckedFields = {{
    {FormField::Callsign, EntryField::Callsign},
    {FormField::Callsign2, EntryField::Callsign2},
    {FormField::Date, EntryField::Date},
    {FormField::Time, EntryField::Time},
    {FormField::RstSent, EntryField::RstSent},
    {FormField::RstReceived, EntryField::RstReceived},
    {FormField::Section, EntryField::Section},
}};

}  // namespace

EntryField EntryFieldOf(FormField field) {
    if (field == FormField::OwnSection) {
        return EntryField::OwnSection;  // the station's own section, checked from the settings
    }
    for (const CheckedField& row : kCheckedFields) {
        if (row.checked == field) {
            return row.field;
        }
    }
    return EntryField::None;
}

FormValues ValuesToCheck(const EntryValues& values) {
    FormValues checked;
    for (const CheckedField& row : kCheckedFields) {
        *TextOf(checked, row.checked) = *TextOf(values, row.field);
    }
    checked.mode = values.mode;
    checked.autoClock = values.autoClock;
    return checked;
}

EntryForm::EntryForm(LogSession& session)
    : session_(session), callsignRows_(std::make_unique<CallsignRows>(session.Log())) {
    state_.values.band = kDefaultBand;
    state_.values.mode = kDefaultMode;
    state_.values.rstSent = state_.values.rstReceived = DefaultReportFor(kDefaultMode);
}

EntryForm::~EntryForm() = default;

void EntryForm::AddObserver(EntryFormObserver* observer) {
    observers_.push_back(observer);
}

void EntryForm::RemoveObserver(EntryFormObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

ContestLog& EntryForm::Log() {
    return session_.Log();
}
const ContestLog& EntryForm::Log() const {
    return session_.Log();
}
const SectionTable& EntryForm::Sections() const {
    return session_.Sections();
}
const CallIndex& EntryForm::Calls() const {
    return Log().Calls();
}
Settings& EntryForm::GetSettings() {
    return session_.GetSettings();
}
UserPrompts& EntryForm::Prompts() {
    return session_.Prompts();
}
bool EntryForm::Listening() const {
    return session_.Log().Mode() == LogMode::Listening;
}

int EntryForm::BandIndex() const {
    return BandListIndex(state_.values.band);
}
int EntryForm::ModeIndex() const {
    return ModeListIndex(state_.values.mode);
}

void EntryForm::Redraw() {
    // A not-heard mark lasts only while its section shows what the outside source gave.
    for (EntryRow row : {EntryRow::First, EntryRow::Second}) {
        if (!SectionUnheard(state_, row)) {
            state_.unheardSections[row == EntryRow::First ? 0 : 1].clear();
        }
    }
    if (view_ != nullptr) {
        view_->Redraw(state_);
    }
}

// --- Opening ---

void EntryForm::Open(const ClockNow& now) {
    EntryValues& v = state_.values;
    Settings& settings = GetSettings();
    if (!settings.station.ownSection.empty()) {
        v.ownSection = settings.station.ownSection;
    }
    v.autoClock = true;
    UpdateClock(now, true);
    state_.clockRunning = true;
    // The stored band and mode, when they are entries of the lists.
    v.band = BandListIndex(settings.band) >= 0 ? settings.band : std::string(kDefaultBand);
    v.mode = ModeListIndex(settings.mode) >= 0 ? settings.mode : std::string(kDefaultMode);
    v.band = std::string(WorkableBand(v.band, v.mode));
    v.rstSent = v.rstReceived = DefaultReportFor(v.mode);
    ResetGrids(Grids::Both);
    Redraw();
    MoveFocus(EntryField::Callsign);
    Redraw();
}

void EntryForm::OnLogReplaced() {
    // The own section is the loaded log's: leaving the field must never write the
    // previous log's code back to "Sezione".
    state_.values.ownSection = GetSettings().station.ownSection;
    ResetGrids(Grids::Both);
    state_.indicators.duplicate = false;
    state_.indicators.newMultiplier = false;
    ResetMarkers(MarkerGroup::All);
    state_.duplicate = false;
    ClearPreviousContacts();
    if (listening_ != nullptr) {
        listening_->OnFormReset(*this);
    }
    Redraw();
}

// --- Typing ---

void EntryForm::SetText(EntryField field, std::string text) {
    if (std::string* value = TextOf(state_.values, field)) {
        *value = std::move(text);
    }
}

void EntryForm::OnCallsignTyped(EntryField field, std::string text) {
    SetText(field, std::move(text));
    const std::string& typed = *TextOf(state_.values, field);
    for (EntryFormObserver* observer : observers_) {
        observer->CallsignTyped(field, typed);
    }
}

void EntryForm::OnSectionTyped(std::string text) {
    state_.values.section = std::move(text);
    SectionHeard(EntryRow::First);
    ProcessSectionTyped(EntryRow::First);
}

void EntryForm::OnSection2Typed(std::string text) {
    state_.values.section2 = std::move(text);
    SectionHeard(EntryRow::Second);
    ProcessSectionTyped(EntryRow::Second);
}

void EntryForm::SectionHeard(EntryRow row) {
    state_.unheardSections[row == EntryRow::First ? 0 : 1].clear();
}

void EntryForm::MoveUnheardSection(EntryRow from, EntryRow to) {
    std::string& source = state_.unheardSections[from == EntryRow::First ? 0 : 1];
    state_.unheardSections[to == EntryRow::First ? 0 : 1] = std::move(source);
    source.clear();
}

void EntryForm::ProcessSectionTyped(EntryRow row) {
    EntryValues& v = state_.values;
    const bool first = row == EntryRow::First;
    const std::string& code = first ? v.section : v.section2;
    std::string& name = first ? v.sectionName : v.sectionName2;
    if (code.size() == kSectionCodeLength) {
        name = Sections().NameOfText(code);
        if (!name.empty()) {
            ShowSectionGrid(NumericValue(code), first ? Grid::Upper : Grid::Lower);
        }
    } else {
        name.clear();
        ResetGrids(first ? Grids::Upper : Grids::Lower);
        if (Listening()) {
            ResetMarkers(first ? MarkerGroup::M1 : MarkerGroup::M2);
        } else if (first) {
            state_.indicators.newMultiplier = false;
        }
    }
    Redraw();
}

// --- Focus ---

void EntryForm::OnFocusChanged(EntryField now) {
    MoveFocus(now);
}

void EntryForm::MoveFocus(EntryField to) {
    if (leaving_) {
        // A field being left keeps the focus or sends it elsewhere.
        leaveTarget_ = to;
        return;
    }
    if (to == state_.focus) {
        return;
    }
    const EntryField from = state_.focus;
    leaving_ = true;
    leaveTarget_ = to;
    LeaveField(from);
    leaving_ = false;
    to = leaveTarget_;
    if (to == from) {
        Redraw();
        return;
    }
    state_.focus = to;
    EnterField(to);
}

void EntryForm::LeaveField(EntryField field) {
    switch (field) {
        case EntryField::Callsign:
            EvaluateCallsign();
            break;
        case EntryField::Time:
            if (!state_.values.autoClock) {
                OnTimeLeft();
            }
            break;
        case EntryField::OwnSection:
            OnOwnSectionLeft();
            break;
        case EntryField::Callsign2:
            if (Listening() && listening_ != nullptr) {
                listening_->OnCallsign2Left(*this);
            }
            break;
        // Leaving a section confirms what it shows.
        case EntryField::Section:
            SectionHeard(EntryRow::First);
            break;
        case EntryField::Section2:
            SectionHeard(EntryRow::Second);
            break;
        default:
            break;
    }
}

void EntryForm::EnterField(EntryField field) {
    switch (field) {
        case EntryField::Callsign:
            OnCallsignFocusIn();
            break;
        case EntryField::SectionName:
            MoveFocus(EntryField::Date);
            break;
        case EntryField::Date:
            if (state_.values.autoClock) {
                MoveFocus(EntryField::Time);
            }
            break;
        case EntryField::Time:
            if (state_.values.autoClock) {
                MoveFocus(EntryField::Band);
            }
            break;
        default:
            Redraw();
            break;
    }
}

void EntryForm::OnCallsignFocusIn() {
    state_.values.section.clear();
    state_.values.sectionName.clear();
    state_.indicators.newMultiplier = false;
    Redraw();
}

void EntryForm::OnTimeLeft() {
    const bool valid = CheckEntryTime(state_.values.time);
    Redraw();  // a joined "14:05" shows as "1405" at once
    if (!valid) {
        Prompts().ShowMessage(kTimeErrorText, kErrorTitle, MessageIcon::Stop);
        MoveFocus(EntryField::Time);
    }
}

void EntryForm::OnOwnSectionLeft() {
    std::string& field = state_.values.ownSection;
    switch (CheckOwnSection(field, Sections())) {
        case OwnSectionVerdict::Accepted: {
            const bool changed = field != GetSettings().station.ownSection;
            GetSettings().SetOwnSection(field);
            if (changed) {
                session_.StationSummaryChanged();  // a shared log's positions take it too
            }
            break;
        }
        case OwnSectionVerdict::Unknown:
            Prompts().ShowMessage(kSectionErrorText, kErrorTitle, MessageIcon::Stop);
            field.clear();
            break;
        case OwnSectionVerdict::Discarded:
            field.clear();
            break;
    }
    Redraw();
}

// --- Enter ---

void EntryForm::OnEnter() {
    HandleEnter();
    ShowWaitingTip();  // the contact may have been added or discarded
}

void EntryForm::HandleEnter() {
    EntryValues& v = state_.values;
    if (state_.duplicate) {
        DiscardDuplicate();
        return;
    }
    // Enter in a section confirms what it shows.
    if (state_.focus == EntryField::Section) {
        SectionHeard(EntryRow::First);
    } else if (state_.focus == EntryField::Section2) {
        SectionHeard(EntryRow::Second);
    }
    switch (state_.focus) {
        case EntryField::Callsign:
            if (CheckCallsign(v.callsign)) {
                MoveFocus(EntryField::Section);  // leaving the callsign evaluates it
            } else {
                v.callsign.clear();
                if (Listening()) {
                    ResetMarkers(MarkerGroup::C);
                }
            }
            Redraw();
            return;
        case EntryField::Time:
            MoveFocus(EntryField::Callsign);
            Redraw();
            return;
        case EntryField::Date:
            MoveFocus(EntryField::Time);
            Redraw();
            return;
        default:
            break;
    }
    if (Listening()) {
        if (listening_ != nullptr) {
            listening_->OnEnter(*this);
        }
        return;
    }
    if (state_.focus == EntryField::Section) {
        TryAddQso();
    }
}

void EntryForm::DiscardDuplicate() {
    EntryValues& v = state_.values;
    v.callsign.clear();
    v.section.clear();
    v.sectionName.clear();
    v.previousCall.clear();
    state_.indicators.duplicate = false;
    state_.indicators.newMultiplier = false;
    state_.previous.clear();
    ResetGrids(Grids::Both);
    if (Listening()) {
        v.callsign2.clear();
        v.section2.clear();
        v.sectionName2.clear();
        ResetMarkers(MarkerGroup::All);
        if (listening_ != nullptr) {
            listening_->OnFormReset(*this);
        }
    }
    // Cleared before the focus moves, so that leaving a field sees the emptied form.
    state_.duplicate = false;
    MoveFocus(EntryField::Callsign);
    Redraw();
}

void EntryForm::TryAddQso() {
    EntryValues& v = state_.values;
    FormValues checked = ValuesToCheck(v);
    checked.ownSection = GetSettings().station.ownSection;
    CheckOutcome outcome = RunEntryChecks(QsoEntryChecks(), checked);
    v.callsign = checked.callsign;  // upper-cased, or emptied when refused
    if (!outcome.accepted) {
        MoveFocus(EntryFieldOf(outcome.focus));
        Redraw();
        return;
    }
    AddQso();
}

void EntryForm::AddQso() {
    const EntryValues& v = state_.values;
    QsoRecord record{v.date,    v.time,        v.band,    v.mode,       v.callsign,
                     v.rstSent, v.rstReceived, v.section, v.sectionName};
    Log().AppendWithoutIndexes(record);
    // Sets "modified"; the line is on disk before the form is cleared. A failed write
    // is reported by the session, which keeps the journal to be brought up to date.
    session_.JournalAppend(QsoLine(record, GetSettings().station.ownSection));
    MarkWorked(v.section);
    ClearAfterAdd();
}

void EntryForm::AddEntry(const HrdRecord& record) {
    Log().AppendWithoutIndexes(record);
    session_.JournalAppend(ListeningLine(record));  // as for a contact
    MarkWorked(record.callingSection);
}

void EntryForm::MarkWorked(const std::string& section) {
    const int band = BandIndex();
    const int mode = ModeIndex();
    if (band >= 0 && mode >= 0) {
        Log().Worked().Mark(NumericValue(section), mode, BandBit(band));
    }
}

void EntryForm::PutCallIndexEntry(const CallIndexEntry& entry) {
    Log().Calls().Put(entry);
}

CheckOutcome EntryForm::RunEntryChecks(std::span<const CheckStep> steps, FormValues& values) {
    return RunChecks(steps, values, Sections(), Prompts());
}

void EntryForm::ClearAfterAdd() {
    EntryValues& v = state_.values;
    v.callsign.clear();
    v.section.clear();
    v.sectionName.clear();
    ClearPreviousContacts();
    ResetGrids(Grids::Both);
    state_.indicators.newMultiplier = false;
    MoveFocus(EntryField::Callsign);
    Redraw();
}

void EntryForm::ClearPreviousContacts() {
    state_.previous.clear();
    state_.values.previousCall.clear();
}

// --- Clear ---

void EntryForm::OnClear() {
    EntryValues& v = state_.values;
    v.sectionName.clear();
    v.section.clear();
    v.callsign.clear();
    if (Listening()) {
        v.sectionName2.clear();
        v.section2.clear();
        v.callsign2.clear();
    }
    v.rstSent = v.rstReceived = DefaultReportFor(v.mode);
    ResetGrids(Grids::Both);
    if (Listening()) {
        ResetMarkers(MarkerGroup::All);
        if (listening_ != nullptr) {
            listening_->OnFormReset(*this);
        }
    }
    Redraw();
    MoveFocus(EntryField::Callsign);
    Redraw();
    ShowWaitingTip();
}

// --- Band and mode ---

void EntryForm::OnBandChosen(int index) {
    if (index < 0 || index >= kBandCount) {
        return;
    }
    EntryValues& v = state_.values;
    v.band = WorkableBand(kBandTexts[static_cast<size_t>(index)], v.mode);
    GetSettings().SetBand(v.band);
    AfterBandOrModeChange();
    if (Listening() && listening_ != nullptr) {
        listening_->OnBandChanged(*this);
    }
}

void EntryForm::OnModeChosen(int index) {
    if (index < 0 || index >= kModeCount) {
        return;
    }
    EntryValues& v = state_.values;
    v.mode = std::string(kModeTexts[static_cast<size_t>(index)]);
    if (const std::string_view band = WorkableBand(v.band, v.mode); band != v.band) {
        v.band = band;
        GetSettings().SetBand(v.band);
    }
    GetSettings().SetMode(v.mode);
    ResetReportsForMode(true);
    AfterBandOrModeChange();
    if (Listening() && listening_ != nullptr) {
        listening_->OnModeChanged(*this);
    }
}

void EntryForm::OnBandModeReported(std::string_view band, std::string_view mode) {
    const int modeIndex = ModeListIndex(mode);
    if (modeIndex >= 0 && modeIndex != ModeIndex()) {
        OnModeChosen(modeIndex);
    }
    // A band the form would not show (1,8 in RTTY) changes nothing once the form shows
    // the band it takes instead.
    const int bandIndex = BandListIndex(band);
    if (bandIndex >= 0 && WorkableBand(band, state_.values.mode) != state_.values.band) {
        OnBandChosen(bandIndex);
    }
}

void EntryForm::ResetReportsForMode(bool onlyWrongLength) {
    EntryValues& v = state_.values;
    const bool ssb = IsSsb(v.mode);
    const size_t length = ReportLength(ssb);
    const char* fresh = DefaultReport(ssb);
    for (std::string* report : {&v.rstSent, &v.rstReceived}) {
        if (!onlyWrongLength || report->size() != length) {
            *report = fresh;
        }
    }
}

void EntryForm::AfterBandOrModeChange() {
    Redraw();
    EvaluateCallsign();
    if (state_.values.section.size() == kSectionCodeLength) {
        ShowSectionGrid(NumericValue(state_.values.section), Grid::Upper);
    }
    Redraw();
}

// --- Previous contacts and grids ---

void EntryForm::EvaluateCallsign() {
    EntryValues& v = state_.values;
    std::string callsign = Trimmed(v.callsign);
    const bool valid = CheckCallsign(callsign);
    v.callsign = callsign;
    if (!valid) {
        v.callsign.clear();
        if (state_.duplicate) {
            state_.duplicate = false;
            state_.indicators.duplicate = false;
            if (Listening()) {
                ResetMarkers(MarkerGroup::C);
            }
        }
        Redraw();
        return;
    }
    if (Listening()) {
        if (listening_ != nullptr) {
            listening_->OnCallsign1Valid(*this);
        }
        return;
    }
    state_.previous.clear();
    state_.duplicate = false;
    state_.indicators.duplicate = false;
    v.previousCall.clear();
    ResetGrids(Grids::Lower);

    // The station's earlier contacts lie together, next to its entry in the index.
    callsignRows_->ContactsOf(v.callsign, contacts_);
    for (const CallsignContact& c : contacts_) {
        v.previousCall = v.callsign;  // the rows found hold this callsign byte for byte
        if (v.section.empty() && !state_.duplicate) {
            v.section = c.section;
            v.sectionName = Sections().NameOfText(v.section);
            ShowSectionGrid(NumericValue(v.section), Grid::Upper);
        }
        if (c.band == v.band && c.mode == v.mode) {
            state_.indicators.duplicate = true;
            v.sectionName.clear();
            v.section.clear();
            state_.duplicate = true;
            state_.indicators.newMultiplier = false;
        }
        state_.previous.push_back(PreviousContact{std::string(c.day), std::string(c.time),
                                                  std::string(c.band), std::string(c.mode),
                                                  std::string(c.rstSent), std::string(c.rstReceived)});
        std::optional<BandCode> band = DecodeBand(c.band);
        int mode = DecodeMode(c.mode);
        if (band && mode >= 0) {
            state_.cells[GridCell(static_cast<int>(Grid::Lower), mode, band->index)] = true;
        }
    }
    TakeOutsideSection(EntryRow::First);
    if (!state_.previous.empty()) {
        ++state_.previousScrollRequests;
    }
    Redraw();
}

bool EntryForm::TakeOutsideSection(EntryRow row) {
    EntryValues& v = state_.values;
    const bool first = row == EntryRow::First;
    std::string& section = first ? v.section : v.section2;
    const std::string& callsign = first ? v.callsign : v.callsign2;
    if (sectionSource_ == nullptr || !section.empty() || callsign.empty() || state_.duplicate) {
        return false;
    }
    std::optional<std::string> given = sectionSource_->SectionOf(callsign);
    if (!given || given->size() != kSectionCodeLength || !IsAllDigits(*given)) {
        return false;
    }
    section = *given;
    state_.unheardSections[first ? 0 : 1] = *given;
    if (Listening()) {
        ProcessSectionTyped(row);  // as the log's own section is shown
    } else {
        v.sectionName = Sections().NameOfText(v.section);
        ShowSectionGrid(NumericValue(v.section), Grid::Upper);
    }
    return true;
}

void EntryForm::ShowSectionGrid(int32_t code, Grid grid) {
    const WorkedSections& worked = Log().Worked();
    for (int mode = 0; mode < kModeCount; ++mode) {
        uint8_t bits = worked.Bits(code, mode);
        for (int band = 0; band < kBandCount; ++band) {
            state_.cells[GridCell(static_cast<int>(grid), mode, band)] = (bits & BandBit(band)) != 0;
        }
    }
    const int band = BandIndex();
    const int mode = ModeIndex();
    const bool already = band >= 0 && mode >= 0 && worked.IsWorked(code, mode, BandBit(band));
    if (Listening()) {
        Marker& marker = state_.indicators.multiplier[grid == Grid::Lower ? 1 : 0];
        marker.visible = !already;
        marker.on = true;
    } else {
        state_.indicators.newMultiplier = !already;
    }
}

void EntryForm::ResetGrids(Grids which) {
    const int first = which == Grids::Lower ? kCellsPerGrid : 0;
    const int last = which == Grids::Upper ? kCellsPerGrid : kGridCells;
    for (int cell = first; cell < last; ++cell) {
        state_.cells[cell] = false;
    }
}

void EntryForm::SetDuplicate(bool duplicate) {
    state_.duplicate = duplicate;
    state_.indicators.duplicate = duplicate;
}

void EntryForm::SetCallingMarker(Marker marker) {
    state_.indicators.calling = marker;
}

void EntryForm::SetAnswerMarkers(const std::array<Marker, kAnswersPerBandMode>& markers) {
    state_.indicators.answers = markers;
}

void EntryForm::ResetMarkers(MarkerGroup groups) {
    EntryIndicators& ind = state_.indicators;
    if (Has(groups, MarkerGroup::C)) {
        ind.calling = {};
    }
    if (Has(groups, MarkerGroup::R)) {
        ind.answers = {};
    }
    // The M pictures are the same on and off: hidden, they are left switched on.
    if (Has(groups, MarkerGroup::M1)) {
        ind.multiplier[0] = {false, true};
    }
    if (Has(groups, MarkerGroup::M2)) {
        ind.multiplier[1] = {false, true};
    }
}

// --- Clock ---

void EntryForm::UpdateClock(const ClockNow& now, bool forced) {
    EntryValues& v = state_.values;
    state_.clockIntervalMs = NextMinuteInterval(now.local);
    const ClockTime& shown = FormClock(now, v.pcShowsUtc);
    v.time = FormatClockTime(shown);
    if (forced || v.date.size() != 10 || v.time == "0000") {
        v.date = FormatClockDate(shown);
    }
    Redraw();
    if (GetSettings().tips) {
        if (std::optional<std::string> tip = BandChangeTip(now, v.pcShowsUtc)) {
            waitingTip_ = std::move(tip);  // a newer tip takes the place of one still waiting
        }
    }
    ShowWaitingTip();
}

bool EntryForm::HoldsContact() const {
    const EntryValues& v = state_.values;
    return !v.callsign.empty() || (Listening() && !v.callsign2.empty());
}

void EntryForm::ShowWaitingTip() {
    if (!state_.values.autoClock || !GetSettings().tips) {
        waitingTip_.reset();  // tips belong to the automatic clock, when they are wanted
    }
    // The box keeps the clock going; a tip that falls due meanwhile waits for this one.
    while (waitingTip_ && !tipOpen_ && !HoldsContact()) {
        const std::string tip = std::move(*waitingTip_);
        waitingTip_.reset();
        tipOpen_ = true;
        Prompts().ShowMessage(tip, kTipTitle, MessageIcon::Information);
        tipOpen_ = false;
    }
}

void EntryForm::OnClockTick(const ClockNow& now) {
    if (state_.clockRunning) {
        UpdateClock(now, false);
    }
}

void EntryForm::OnAutoClockClicked(bool on, const ClockNow& now) {
    state_.values.autoClock = on;
    if (on) {
        UpdateClock(now, true);
        state_.clockRunning = true;
        MoveFocus(EntryField::Callsign);
    } else {
        state_.clockRunning = false;
        MoveFocus(EntryField::Date);
    }
    Redraw();
}

void EntryForm::OnPcShowsUtcClicked(bool on, const ClockNow& now) {
    state_.values.pcShowsUtc = on;
    UpdateClock(now, true);
}

}  // namespace tarnex
