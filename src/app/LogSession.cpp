#include "app/LogSession.h"

#include <optional>

#include "app/AppTexts.h"
#include "base/FileSystemText.h"
#include "log/LogFile.h"
#include "util/FileIo.h"

namespace tarnex {

namespace {

constexpr const char* kConfirmTitle = "Richiesta di conferma";

constexpr const char* kNewQuestion =
    "ATTENZIONE!\n\nLa creazione di un nuovo log comporta la\n"
    "cancellazione di tutti i QSO del log attualmente in uso.\n\n"
    "Se vuoi conservarli, salva prima il log attuale con\n"
    "i comandi 'Salva' oppure 'Salva come...'\n\nVuoi continuare comunque ?";
constexpr const char* kOpenQuestion =
    "ATTENZIONE!\n\nL'apertura di un log esistente comporta la\n"
    "cancellazione di tutti i QSO del log attualmente in uso.\n\n"
    "Se vuoi conservarli, salva prima il log attuale con\n"
    "i comandi 'Salva' oppure 'Salva come...'\n\nVuoi continuare?";

constexpr const char* kLogFilter = "File log Tarnex (*.trnx)";
constexpr const char* kLogPattern = "*.trnx";

// Our own messages (Windows-1252 bytes: "\xE8" is e grave, "\xE0" a grave); the paths
// in them are the file system's.
std::string CannotCreateJournal(const std::string& path) {
    return "Impossibile creare file log corrente:\n" + FileSystemText(path) + "\n";
}
std::string CannotReadJournal(const std::string& path) {
    return "Impossibile leggere il file log corrente:\n" + FileSystemText(path) +
           "\n\nIl file non viene modificato. Controllarne i permessi e riavviare il programma,\n"
           "oppure aprire un log o crearne uno nuovo.";
}
std::string CannotWriteJournal(const std::string& path) {
    return "Impossibile scrivere nel file log corrente:\n" + FileSystemText(path) +
           "\n\nI QSO restano nel log in memoria e saranno scritti nel file\n"
           "alla prossima scrittura riuscita.";
}
std::string JournalNotWritten(const std::string& path) {
    return "Il file log corrente non \xE8 stato letto e non viene modificato:\n" + FileSystemText(path) +
           "\n\nI QSO restano solo nel log in memoria: salvarli con 'Salva come...'.";
}
std::string CannotReadLog(const std::string& path) {
    return "Impossibile leggere il log:\n" + FileSystemText(path) + "\n\nIl log attuale resta invariato.";
}
std::string CannotReplaceJournal(const std::string& path) {
    return "Impossibile scrivere il file log corrente:\n" + FileSystemText(path) +
           "\n\nIl log attuale resta invariato.";
}
std::string CannotSaveLog(const std::string& path) {
    return "Impossibile salvare il log nel file:\n" + FileSystemText(path) +
           "\n\nIl log non \xE8 stato salvato.";
}
std::string CannotClearJournal(const std::string& path) {
    return "Impossibile creare il nuovo log nel file log corrente:\n" + FileSystemText(path) +
           "\n\nIl log attuale resta invariato.";
}

// Appends the error detail (the system's, naming the file) on a line of its own.
std::string WithDetail(std::string text, const std::string& detail) {
    if (!detail.empty()) {
        text += "\n\n(" + FileSystemText(detail) + ")";
    }
    return text;
}

std::string FolderWithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace

LogSession::LogSession(Settings& settings, SectionTable& sections, UserPrompts& prompts,
                       std::string programFolder)
    : settings_(settings),
      sections_(sections),
      prompts_(prompts),
      programFolder_(FolderWithSeparator(std::move(programFolder))),
      log_(settings.logMode),
      journal_(programFolder_ + kJournalFileName),
      recent_(settings.Store()) {
    log_.SetModified(settings_.modified);
    recent_.Load();
}

std::string LogSession::Title() const {
    std::string title = kBaseTitle;
    if (!settings_.openLogName.empty()) {
        title += " - " + FileSystemText(settings_.openLogName);
    }
    return title;
}

void LogSession::NotifyTitle() {
    if (listener_ != nullptr) {
        listener_->TitleChanged(Title());
    }
}

void LogSession::NotifyReplaced() {
    if (listener_ != nullptr) {
        listener_->LogReplaced();
    }
}

void LogSession::SetModifiedAndStore(bool modified) {
    settings_.SetModified(modified);
    log_.SetModified(modified);
}

void LogSession::MarkModified() {
    if (!settings_.modified || !log_.Modified()) {
        SetModifiedAndStore(true);
    }
}

bool LogSession::LoadJournal() {
    std::string error;
    JournalLoad result = journal_.Load(log_, settings_.station, sections_, &error);
    switch (result) {
        case JournalLoad::CreateFailed:
            prompts_.ShowMessage(CannotCreateJournal(journal_.Path()), kErrorTitle, MessageIcon::Stop);
            return false;
        case JournalLoad::ReadFailed:
            // The journal may hold a whole log: never overwrite what could not be read.
            journalUnreadable_ = true;
            journalBehind_ = true;
            prompts_.ShowMessage(WithDetail(CannotReadJournal(journal_.Path()), error), kErrorTitle,
                                 MessageIcon::Stop);
            return false;
        case JournalLoad::Created:
        case JournalLoad::Loaded:
            break;
    }
    journalUnreadable_ = false;
    journalBehind_ = false;
    settings_.logMode = log_.Mode();
    log_.SetModified(settings_.modified);
    NotifyReplaced();
    NotifyTitle();
    return true;
}

void LogSession::ReportJournalWriteFailure(const std::string& error) {
    if (journalUnreadable_) {
        prompts_.ShowMessage(JournalNotWritten(journal_.Path()), kErrorTitle, MessageIcon::Stop);
    } else {
        prompts_.ShowMessage(WithDetail(CannotWriteJournal(journal_.Path()), error), kErrorTitle,
                             MessageIcon::Stop);
    }
}

bool LogSession::JournalAppend(const std::string& line) {
    if (netHook_ != nullptr && !log_.Empty()) {
        return netHook_->EntryAdded(log_.RowCount() - 1);
    }
    return AppendJournalLine(line);
}

void LogSession::EntryEdited(size_t row) {
    if (netHook_ != nullptr) {
        netHook_->EntryEdited(row);
    }
}

void LogSession::EntriesDeleting(const std::vector<size_t>& rows) {
    if (netHook_ != nullptr) {
        netHook_->EntriesDeleting(rows);
    }
}

void LogSession::EntriesSorted() {
    if (netHook_ != nullptr) {
        netHook_->EntriesSorted();
    }
}

void LogSession::StationSummaryChanged() {
    if (netHook_ != nullptr) {
        netHook_->StationSummaryChanged();
    }
}

bool LogSession::AppendJournalLine(const std::string& line) {
    MarkModified();
    if (journalUnreadable_) {
        ReportJournalWriteFailure("");
        return false;
    }
    if (journalBehind_) {
        // The journal missed an earlier change: the row just added is already in the
        // log, so a whole rewrite brings the journal up to date.
        return RewriteJournal();
    }
    FileResult appended = journal_.Append(line);
    if (!appended) {
        journalBehind_ = true;
        ReportJournalWriteFailure(appended.error);
        return false;
    }
    return true;
}

bool LogSession::RewriteJournal() {
    if (journalUnreadable_) {
        journalBehind_ = true;
        ReportJournalWriteFailure("");
        return false;
    }
    FileResult written = journal_.Rewrite(log_, settings_.station);
    if (!written) {
        journalBehind_ = true;
        ReportJournalWriteFailure(written.error);
        return false;
    }
    journalBehind_ = false;
    return true;
}

void LogSession::SwitchMode(LogMode mode) {
    log_.SetMode(mode);
    settings_.logMode = mode;
    settings_.SetOpenLog("", "");
    SetModifiedAndStore(false);
    NotifyReplaced();
    NotifyTitle();
    RewriteJournal();
}

bool LogSession::ConfirmReplace(const char* question) {
    if (!settings_.modified) {
        return true;
    }
    return prompts_.AskYesNo(question, kConfirmTitle);
}

void LogSession::New() {
    if (netHook_ != nullptr && !netHook_->MayReplaceLog()) {
        return;
    }
    if (!ConfirmReplace(kNewQuestion)) {
        return;
    }
    // The journal is replaced first: when that fails, the log stays as it is on
    // screen and on disk.
    FileResult written = journal_.WriteHeaderOnly(log_.Mode(), settings_.station);
    if (!written) {
        prompts_.ShowMessage(WithDetail(CannotClearJournal(journal_.Path()), written.error), kErrorTitle,
                             MessageIcon::Stop);
        return;
    }
    journalUnreadable_ = false;
    journalBehind_ = false;
    log_.Clear();
    NotifyReplaced();
    settings_.SetOpenLog("", "");
    SetModifiedAndStore(false);
    NotifyTitle();
}

void LogSession::Open() {
    if (netHook_ != nullptr && !netHook_->MayReplaceLog()) {
        return;
    }
    if (!ConfirmReplace(kOpenQuestion)) {
        return;
    }
    FileDialogOptions options;
    options.title = "Apri log";
    options.filterText = kLogFilter;
    options.filterPattern = kLogPattern;
    options.mustExist = true;
    std::optional<std::string> chosen = prompts_.ChooseOpenFile(options);
    if (!chosen) {
        return;
    }
    const std::string path = *chosen;
    // Copy first: the current log is kept whole when the chosen file cannot be read
    // or the journal cannot be replaced.
    std::string error;
    std::optional<std::string> bytes = ReadFileBytes(path, &error);
    if (!bytes) {
        prompts_.ShowMessage(WithDetail(CannotReadLog(path), error), kErrorTitle, MessageIcon::Stop);
        return;
    }
    FileResult copied = WriteFileAtomically(journal_.Path(), *bytes);
    if (!copied) {
        prompts_.ShowMessage(WithDetail(CannotReplaceJournal(journal_.Path()), copied.error), kErrorTitle,
                             MessageIcon::Stop);
        return;
    }
    journalUnreadable_ = false;
    journalBehind_ = false;
    // The journal now holds exactly these bytes: loading them is loading the journal.
    ReadLogBytes(*bytes, sections_, log_, settings_.station);
    settings_.logMode = log_.Mode();
    NotifyReplaced();
    settings_.SetOpenLog(path, FileNameOf(path));
    SetModifiedAndStore(false);
    NotifyTitle();
    recent_.Add(path);
}

bool LogSession::WriteLogFile(const std::string& path) {
    FileResult written;
    if (journalBehind_ && !journalUnreadable_) {
        RewriteJournal();
    }
    if (journalBehind_) {
        // The journal does not hold the whole log: the file gets the log itself.
        written = WriteFileAtomically(path, LogFileBytes(log_, settings_.station));
    } else {
        written = CopyFileAtomically(journal_.Path(), path);
    }
    if (!written) {
        prompts_.ShowMessage(WithDetail(CannotSaveLog(path), written.error), kErrorTitle, MessageIcon::Stop);
        return false;
    }
    return true;
}

void LogSession::Save() {
    if (settings_.openLogPath.empty()) {
        SaveAs();
        return;
    }
    if (!WriteLogFile(settings_.openLogPath)) {
        return;
    }
    SetModifiedAndStore(false);
}

void LogSession::SaveAs() {
    FileDialogOptions options;
    options.title = "Salva il log corrente";
    options.filterText = kLogFilter;
    options.filterPattern = kLogPattern;
    options.defaultExtension = "trnx";
    options.confirmOverwrite = true;
    options.folderMustExist = true;
    std::optional<std::string> chosen = prompts_.ChooseSaveFile(options);
    if (!chosen) {
        return;
    }
    const std::string path = *chosen;
    if (!WriteLogFile(path)) {
        return;
    }
    settings_.SetOpenLog(path, FileNameOf(path));
    SetModifiedAndStore(false);
    NotifyTitle();
}

}  // namespace tarnex
