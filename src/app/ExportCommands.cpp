#include "app/ExportCommands.h"

#include <optional>

#include "app/LogSession.h"
#include "app/ScoreCommand.h"
#include "base/FileSystemText.h"
#include "base/UserPrompts.h"
#include "export/AdifExport.h"
#include "export/Cabrillo3Export.h"
#include "export/CabrilloExport.h"
#include "export/ExportTexts.h"
#include "export/FastlogExport.h"
#include "export/FileExportSink.h"
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
    return ChooseAndStream(texts, initialName, [&](ExportSink& out) { out.Add(bytes()); });
}

ExportOutcome ExportCommands::ChooseAndStream(const ExportDialogTexts& texts, const std::string& initialName,
                                              const std::function<void(ExportSink&)>& write) {
    UserPrompts& prompts = session_.Prompts();
    std::optional<std::string> path = prompts.ChooseSaveFile(DialogOptions(texts, initialName));
    if (!path) {
        return ExportOutcome::Cancelled;
    }
    AtomicFileWriter file(*path);
    if (file.Good()) {
        FileExportSink sink(file);
        write(sink);
    }
    if (!file.Finish()) {
        prompts.ShowMessage(ExportOpenErrorText(FileSystemText(*path)), kErrorTitle, MessageIcon::Stop);
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

std::vector<LogFinding> ExportCommands::FindingsBefore(CheckedExport target) const {
    const Settings& settings = session_.GetSettings();
    CheckRequest request;
    request.station = &settings.station;
    request.extras = settings.extras;
    request.target = target;
    return CheckLog(session_.Log(), session_.Sections(), request);
}

bool ExportCommands::Reviewed(CheckedExport target) {
    if (!review_) {
        return true;
    }
    const std::vector<LogFinding> findings = FindingsBefore(target);
    return findings.empty() || review_(findings, [this, target] { return FindingsBefore(target); });
}

ExportOutcome ExportCommands::ExportCabrillo() {
    // The checks come first: what the person corrects there reaches the score and the
    // question.
    if (!Reviewed(CheckedExport::Cabrillo)) {
        return ExportOutcome::Stopped;
    }
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
    ExportOutcome outcome = ChooseAndStream(
        kCabrilloDialog, CabrilloInitialFileName(station.callsign),
        [&](ExportSink& out) { ExportCabrilloTo(out, log, station, sections, score.claimedScore, options); });
    if (outcome == ExportOutcome::Written && byBand) {
        log.SortByDateTime();
    }
    return outcome;
}

ExportOutcome ExportCommands::ExportCabrillo3() {
    if (!Reviewed(CheckedExport::Cabrillo3)) {
        return ExportOutcome::Stopped;
    }
    const ScoreResult score = ComputeAndStoreScore(session_);
    const Settings& settings = session_.GetSettings();
    const StationSummary& station = settings.station;
    const SectionTable& sections = session_.Sections();
    if (!session_.Prompts().AskYesNo(CabrilloConfirmText(station, sections.NameOfText(station.ownSection)),
                                     kCabrilloConfirmTitle)) {
        return ExportOutcome::Declined;
    }
    Cabrillo3Options options;
    // A name edited by hand into the settings file may not be one the tag takes.
    options.contest =
        IsCabrilloContestName(settings.contestName) ? settings.contestName : kDefaultContestName;
    options.extras = settings.extras;
    return ChooseAndStream(kCabrilloDialog, CabrilloInitialFileName(station.callsign), [&](ExportSink& out) {
        ExportCabrillo3To(out, session_.Log(), station, sections, score.claimedScore, options);
    });
}

ExportOutcome ExportCommands::ExportAdif() {
    if (!Reviewed(CheckedExport::Adif)) {
        return ExportOutcome::Stopped;
    }
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
