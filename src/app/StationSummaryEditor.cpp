#include "app/StationSummaryEditor.h"

#include <cctype>

#include "app/AppTexts.h"
#include "app/LogSession.h"
#include "base/ContestRules.h"
#include "rules/FieldChecks.h"
#include "sections/SectionTable.h"
#include "util/TextNumber.h"

namespace tarnex {

const char* const StationSummaryEditor::kInvalidText =
    "Correggi i dati!\n\nDevi inserire almeno\nnominativo, nome, sezione e categoria.";
const char* const StationSummaryEditor::kControlCharacterText =
    "Correggi i dati!\n\nIl campo contiene un a capo, una tabulazione\n"
    "o un altro carattere di controllo,\nche romperebbe le righe del file Cabrillo.";
const char* const StationSummaryEditor::kMultiOperatorPowerText =
    "Correggi i dati!\n\nLe categorie MULTI-ONE e MULTI-MULTI\n"
    "gareggiano sempre in alta potenza:\nla potenza deve essere HIGH.";
const char* const StationSummaryEditor::kOverlayText =
    "Correggi i dati!\n\nGli overlay ROOKIE e YOUTH valgono solo\n"
    "per le categorie SINGLE-OP (singolo operatore).";
const char* const StationSummaryEditor::kPowerOverlayChoiceText =
    "Correggi i dati!\n\nLa potenza pu\xF2 essere solo HIGH o LOW\n"
    "e l'overlay solo ROOKIE o YOUTH.";
const char* const StationSummaryEditor::kToListeningQuestion =
    "Attenzione!\nStai passando dal modo QSO al modo SWL\ne ci sono QSO non salvati.\n"
    "Prima di passare al modo SWL conviene salvare\ni QSO con i comandi Salva o Salva come...\n\n"
    "Vuoi continuare comunque?";
const char* const StationSummaryEditor::kToQsoQuestion =
    "Attenzione!\nStai passando dal modo SWL al modo QSO\ne ci sono ascolti non salvati.\n"
    "Prima di passare al modo QSO conviene salvare\ngli ascolti con i comandi Salva o Salva come...\n\n"
    "Vuoi continuare comunque?";

namespace {

constexpr const char* kConfirmTitle = "Richiesta conferma";

// True when text begins with prefix, letter case ignored.
bool BeginsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

size_t SummaryFieldLimit(SummaryField field) {
    return field == SummaryField::Callsign ? kCallsignLongest : 60;
}

std::string& StationSummaryInput::Text(SummaryField field) {
    switch (field) {
        case SummaryField::Callsign:
            return callsign;
        case SummaryField::Name:
            return name;
        case SummaryField::Operators:
            return operators;
        case SummaryField::Address1:
            return address[0];
        case SummaryField::Address2:
            return address[1];
        case SummaryField::Address3:
            return address[2];
        case SummaryField::Comment1:
            return comment[0];
        case SummaryField::Comment2:
            return comment[1];
        case SummaryField::Email:
            break;
    }
    return email;
}

StationSummaryEditor::StationSummaryEditor(LogSession& session) : session_(session) {
    session_.Sections().ForEachKnown([&](int32_t code, const std::string& name) {
        ownSections_.push_back(FormatCode(code) + " - " + name);
    });
}

StationSummaryInput StationSummaryEditor::Initial() const {
    const StationSummary& station = session_.GetSettings().station;
    StationSummaryInput input;
    input.callsign = station.callsign;
    input.name = station.name;
    input.operators = station.operators;
    if (!station.category.empty()) {
        for (size_t i = 0; i < kCategories.size(); ++i) {
            if (BeginsWithNoCase(kCategories[i], station.category)) {
                input.category = static_cast<int>(i);
                break;
            }
        }
    }
    input.address = {station.address1, station.address2, station.address3};
    input.comment = {station.comment1, station.comment2};
    const StationExtras& extras = session_.GetSettings().extras;
    input.power = extras.power;
    input.overlay = extras.overlay;
    input.email = extras.email;
    if (!station.ownSection.empty()) {
        for (size_t i = 0; i < ownSections_.size(); ++i) {
            if (ownSections_[i].compare(0, station.ownSection.size(), station.ownSection) == 0) {
                input.ownSection = static_cast<int>(i);
                break;
            }
        }
    }
    return input;
}

int StationSummaryEditor::CategoryChosen(int category) {
    const bool toListening = category == kListeningCategory;
    const bool modified = session_.Log().Modified();
    if (session_.Log().Mode() == LogMode::Qso && toListening) {
        if (session_.GetSettings().openLogPath.empty() || modified) {
            if (!session_.Prompts().AskYesNo(kToListeningQuestion, kConfirmTitle)) {
                return 0;
            }
        }
    } else if (session_.Log().Mode() == LogMode::Listening && !toListening && modified) {
        if (!session_.Prompts().AskYesNo(kToQsoQuestion, kConfirmTitle)) {
            return kListeningCategory;
        }
    }
    return category;
}

EntryValueChoices StationSummaryEditor::ChoicesOf(int category) {
    EntryValueChoices choices;
    if (category < 0 || static_cast<size_t>(category) >= kCategories.size()) {
        return choices;
    }
    const CategoryTraits& traits = *TraitsOfCategory(kCategories[static_cast<size_t>(category)]);
    choices.powerChoosable = !traits.multiOperator && !traits.listening;
    choices.fixedPower = traits.multiOperator ? "HIGH" : "";
    choices.overlayChoosable = traits.singleOperator;
    return choices;
}

std::string StationSummaryEditor::TooLongText(size_t limit) {
    return "Non digitare pi\xF9 di " + std::to_string(limit) + " caratteri.";
}

SummarySaveResult StationSummaryEditor::Save(StationSummaryInput& input) {
    for (SummaryField field : kSummaryFields) {
        const size_t limit = SummaryFieldLimit(field);
        if (input.Text(field).size() > limit) {
            session_.Prompts().ShowMessage(TooLongText(limit), kProgramName, MessageIcon::Exclamation);
            return {false, field};
        }
    }
    for (SummaryField field : kSummaryFields) {
        if (HoldsControlCharacter(input.Text(field))) {
            session_.Prompts().ShowMessage(kControlCharacterText, kErrorTitle, MessageIcon::Stop);
            return {false, field};
        }
    }
    const bool callsignValid = CheckCallsign(input.callsign);
    const bool valid = callsignValid && input.name.size() >= 3 && input.ownSection >= 0 &&
                       static_cast<size_t>(input.ownSection) < ownSections_.size() && input.category >= 0 &&
                       static_cast<size_t>(input.category) < kCategories.size();
    if (!valid) {
        session_.Prompts().ShowMessage(kInvalidText, kErrorTitle, MessageIcon::Stop);
        return {false, std::nullopt};
    }
    const char* refusal = nullptr;
    switch (CheckEntryValues(*TraitsOfCategory(kCategories[static_cast<size_t>(input.category)]), input.power,
                             input.overlay)) {
        case EntryValuesProblem::None:
            break;
        case EntryValuesProblem::UnknownPower:
        case EntryValuesProblem::UnknownOverlay:
            refusal = kPowerOverlayChoiceText;
            break;
        case EntryValuesProblem::MultiOperatorNotHigh:
            refusal = kMultiOperatorPowerText;
            break;
        case EntryValuesProblem::OverlayNotSingleOperator:
            refusal = kOverlayText;
            break;
    }
    if (refusal != nullptr) {
        session_.Prompts().ShowMessage(refusal, kErrorTitle, MessageIcon::Stop);
        return {false, std::nullopt};
    }
    return {true, std::nullopt};
}

bool StationSummaryEditor::Apply(const StationSummaryInput& input,
                                 const std::function<void(const std::string&)>& showOwnSection) {
    Settings& settings = session_.GetSettings();
    StationSummary station = settings.station;  // the third comment line stays
    station.callsign = input.callsign;
    if (input.ownSection >= 0 && static_cast<size_t>(input.ownSection) < ownSections_.size()) {
        station.ownSection =
            ownSections_[static_cast<size_t>(input.ownSection)].substr(0, kSectionCodeLength);
    }
    station.name = input.name;
    station.operators = input.operators;
    if (input.category >= 0 && static_cast<size_t>(input.category) < kCategories.size()) {
        station.category = kCategories[static_cast<size_t>(input.category)];
    }
    station.address1 = input.address[0];
    station.address2 = input.address[1];
    station.address3 = input.address[2];
    station.comment1 = input.comment[0];
    station.comment2 = input.comment[1];
    settings.SetStation(station);
    StationExtras extras{input.power, input.overlay, input.email};
    const CategoryTraits* traits = TraitsOfCategory(station.category);
    if (traits != nullptr && traits->multiOperator) {
        extras.power = "HIGH";
    }
    settings.SetStationExtras(extras);
    if (showOwnSection) {
        showOwnSection(station.ownSection);
    }

    const LogMode mode = LogModeForCategory(station.category);
    if (mode != session_.Log().Mode()) {
        // Empties the log, forgets the log file, clears "modified" and rewrites the
        // journal with the new summary and mode.
        session_.SwitchMode(mode);
        session_.StationSummaryChanged();
        return true;
    }
    session_.RewriteJournal();
    session_.StationSummaryChanged();
    return false;
}

}  // namespace tarnex
