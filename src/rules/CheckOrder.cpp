#include "rules/CheckOrder.h"

#include <array>
#include <utility>

#include "rules/FieldChecks.h"
#include "sections/SectionTable.h"

namespace tarnex {

namespace {

constexpr std::string_view kNoText;

constexpr std::array<CheckStep, 6> kQsoEntry = {{
    {CheckKind::Callsign, FormField::Callsign, kNoText, kNoText, MessageIcon::Stop, true},
    {CheckKind::EntryDate, FormField::Date, kNoText, kNoText},
    {CheckKind::Report, FormField::RstReceived, kNoText, kNoText},
    {CheckKind::Report, FormField::RstSent, kNoText, kNoText},
    {CheckKind::EntrySection, FormField::Section, kNoText, kNoText},
    {CheckKind::OwnSectionSet, FormField::OwnSection, kOwnSectionMissingText, kWarningTitle,
     MessageIcon::Exclamation},
}};

constexpr std::array<CheckStep, 5> kListeningEntry = {{
    {CheckKind::EntrySection, FormField::Section, kNoText, kNoText},
    {CheckKind::Callsign, FormField::Callsign, kNoText, kNoText, MessageIcon::Stop, true},
    {CheckKind::Callsign, FormField::Callsign2, kNoText, kNoText, MessageIcon::Stop, true},
    {CheckKind::Report, FormField::RstSent, kNoText, kNoText},
    {CheckKind::Report, FormField::RstReceived, kNoText, kNoText},
}};

constexpr std::array<CheckStep, 6> kQsoEdit = {{
    {CheckKind::Callsign, FormField::Callsign, kCallsignErrorText, kErrorTitle},
    {CheckKind::DialogDate, FormField::Date, kDateErrorText, kErrorTitle},
    {CheckKind::DialogTime, FormField::Time, kTimeErrorText, kErrorTitle},
    {CheckKind::Report, FormField::RstSent, kRstSentErrorText, kErrorTitle},
    {CheckKind::Report, FormField::RstReceived, kRstReceivedErrorText, kErrorTitle},
    {CheckKind::DialogSection, FormField::Section, kQsoSectionQuestion, kQuestionTitle,
     MessageIcon::Question},
}};

constexpr std::array<CheckStep, 5> kListeningEdit = {{
    {CheckKind::BothCallsigns, FormField::Callsign, kCallsignsErrorText, kErrorTitle},
    {CheckKind::DialogDate, FormField::Date, kDateErrorText, kErrorTitle},
    {CheckKind::DialogTime, FormField::Time, kTimeErrorText, kErrorTitle},
    {CheckKind::Report, FormField::RstSent, kRstErrorText, kErrorTitle},
    {CheckKind::DialogSection, FormField::Section, kListeningSectionQuestion, kQuestionTitle,
     MessageIcon::Question},
}};

CheckOutcome Fail(const CheckStep& step, FormField focus, UserPrompts& prompts) {
    if (!step.message.empty()) {
        prompts.ShowMessage(std::string(step.message), std::string(step.title), step.icon);
    }
    return {false, focus};
}

}  // namespace

std::string* TextOf(FormValues& values, FormField field) {
    static constexpr std::pair<FormField, std::string FormValues::*> kTexts[] = {
        {FormField::Callsign, &FormValues::callsign}, {FormField::Callsign2, &FormValues::callsign2},
        {FormField::Date, &FormValues::date},         {FormField::Time, &FormValues::time},
        {FormField::RstSent, &FormValues::rstSent},   {FormField::RstReceived, &FormValues::rstReceived},
        {FormField::Section, &FormValues::section},   {FormField::OwnSection, &FormValues::ownSection},
    };
    for (const auto& [shown, text] : kTexts) {
        if (shown == field) {
            return &(values.*text);
        }
    }
    return nullptr;
}

std::span<const CheckStep> QsoEntryChecks() {
    return kQsoEntry;
}
std::span<const CheckStep> ListeningEntryChecks() {
    return kListeningEntry;
}
std::span<const CheckStep> QsoEditChecks() {
    return kQsoEdit;
}
std::span<const CheckStep> ListeningEditChecks() {
    return kListeningEdit;
}

CheckOutcome RunChecks(std::span<const CheckStep> steps, FormValues& values, const SectionTable& sections,
                       UserPrompts& prompts) {
    for (const CheckStep& step : steps) {
        std::string* field = TextOf(values, step.field);
        std::string scratch;
        std::string& text = field ? *field : scratch;
        bool passed = true;
        FormField focus = step.field;
        switch (step.check) {
            case CheckKind::Callsign:
                passed = CheckCallsign(text);
                break;
            case CheckKind::BothCallsigns: {
                bool first = CheckCallsign(values.callsign);
                bool second = CheckCallsign(values.callsign2);
                passed = first && second;
                focus = first ? FormField::Callsign2 : FormField::Callsign;
                break;
            }
            case CheckKind::EntryDate:
                passed = values.autoClock || CheckDate(text, kEntryLowestYear);
                break;
            case CheckKind::DialogDate:
                passed = CheckDate(text, kDialogLowestYear, kDialogHighestYear);
                break;
            case CheckKind::DialogTime:
                passed = CheckDialogTime(text);
                break;
            case CheckKind::Report:
                passed = CheckReport(text, values.mode);
                break;
            case CheckKind::EntrySection:
                passed = CheckEntrySection(text, sections);
                break;
            case CheckKind::OwnSectionSet:
                passed = !text.empty();
                break;
            case CheckKind::DialogSection:
                switch (CheckDialogSection(text, sections)) {
                    case DialogSection::Known:
                        break;
                    case DialogSection::Unknown:
                        if (!prompts.AskYesNo(std::string(step.message), std::string(step.title))) {
                            return {false, focus};
                        }
                        break;
                    case DialogSection::Refused:
                        prompts.ShowMessage(kSectionErrorText, kErrorTitle, MessageIcon::Stop);
                        return {false, focus};
                }
                break;
        }
        if (!passed) {
            if (step.emptyOnFailure && field) {
                field->clear();
            }
            return Fail(step, focus, prompts);
        }
    }
    return {true, FormField::None};
}

}  // namespace tarnex
