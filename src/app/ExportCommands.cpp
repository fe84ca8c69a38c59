#include "app/ExportCommands.h"

#include <optional>

#include "app/LogSession.h"
#include "app/ScoreCommand.h"
#include "base/UserPrompts.h"
#include "export/AdifExport.h"
#include "export/CabrilloExport.h"
#include "export/ExportTexts.h"
#include "export/FastlogExport.h"
#include "export/ListeningBandOrder.h"
#include "util/FileIo.h"

namespace tarnex {

FileDialogOptions ExportCommands::DialogOptions(const ExportDialogTexts& texts,
                                                const std::string& initialName) {
    FileDialogOptions options;
    options.title = texts.title;
    options.filterText = texts.filterText;
    options.filterPattern = texts.filterPattern;
    options.defaultExtension = texts.defaultExtension;
    options.initialName = initialName;
    options.confirmOverwrite = true;
    options.folderMustExist = true;
    return options;
}

ExportOutcome ExportCommands::ChooseAndWrite(const ExportDialogTexts& texts, const std::string& initialName,
                                             const std::function<std::string()>& bytes) {
    UserPrompts& prompts = session_.Prompts();
    std::optional<std::string> path = prompts.ChooseSaveFile(DialogOptions(texts, initialName));
    if (!path) {
        return ExportOutcome::Cancelled;
    }
    if (!WriteFileAtomically(*path, bytes())) {
        prompts.ShowMessage(ExportOpenErrorText(*path), kErrorTitle, MessageIcon::Stop);
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

ExportOutcome ExportCommands::ExportCabrillo() {
    // The claimed score of the file is the one computed now; it stays stored even
    // when the export goes no further.
    const ScoreResult score = ComputeAndStoreScore(session_);
    Settings& settings = session_.GetSettings();
    const StationSummary& station = settings.station;
    const SectionTable& sections = session_.Sections();
    const std::string& ownSectionName = sections.NameOfText(station.ownSection);
    if (!session_.Prompts().AskYesNo(CabrilloConfirmText(station, ownSectionName), kCabrilloConfirmTitle)) {
        return ExportOutcome::Declined;
    }
    ContestLog& log = session_.Log();
    CabrilloOptions options;
    options.listeningByBand = settings.listeningCabrilloByBand;
    // The log itself shows the band order while the file is chosen and written; it
    // stays so when the export goes no further.
    const bool byBand = UsesListeningBandOrder(log, options);
    if (byBand) {
        ApplyListeningBandOrder(log);
    }
    ExportOutcome outcome = ChooseAndWrite(kCabrilloDialog, CabrilloInitialFileName(station.callsign), [&] {
        return tarnex::ExportCabrillo(log, station, sections, score.claimedScore, options);
    });
    if (outcome == ExportOutcome::Written && byBand) {
        log.SortByDateTime();
    }
    return outcome;
}

ExportOutcome ExportCommands::ExportAdif() {
    const ContestLog& log = session_.Log();
    if (log.Mode() == LogMode::Listening &&
        !session_.Prompts().AskYesNo(kAdifListeningText, kAdifListeningTitle)) {
        return ExportOutcome::Declined;
    }
    return ChooseAndWrite(kAdifDialog, "",
                          [&] { return tarnex::ExportAdif(log, session_.GetSettings().station); });
}

ExportOutcome ExportCommands::ExportFastlog() {
    const ContestLog& log = session_.Log();
    if (log.Mode() == LogMode::Listening) {
        session_.Prompts().ShowMessage(kFastlogListeningText, kInformationTitle, MessageIcon::Information);
        return ExportOutcome::NotAvailable;
    }
    return ChooseAndWrite(kFastlogDialog, "", [&] { return tarnex::ExportFastlog(log).value_or(""); });
}

}  // namespace tarnex
