#pragma once
// The three export commands of the "Log" menu: "Esporta -> Cabrillo",
// "Esporta -> ADIF" and "Esporta -> Testo per Fastlog". Each asks what it must ask,
// lets the person choose the file and writes it whole: the file is written to a
// temporary file next to it and renamed, so a file that cannot be written leaves
// nothing behind (and an existing file untouched).

#include <functional>
#include <string>

namespace tarnex {

class LogSession;
struct FileDialogOptions;
struct ExportDialogTexts;

// How an export ended.
enum class ExportOutcome {
    Written,       // the file was written
    Declined,      // the person answered No to the question
    NotAvailable,  // the format cannot hold this log (Fastlog in listening mode)
    Cancelled,     // the file dialog was cancelled
    Failed,        // the file could not be written; the person was told
};

class ExportCommands {
  public:
    explicit ExportCommands(LogSession& session) : session_(session) {}

    // Computes and stores the score, asks for confirmation showing the station data,
    // puts a listening log in band order when the option asks for it, lets the person
    // choose the file (the own callsign in lower case proposed) and writes it. After
    // a band-ordered file is written, the log goes back to date and time order.
    ExportOutcome ExportCabrillo();
    // In listening mode asks first whether to go on with the CALL2 field.
    ExportOutcome ExportAdif();
    // Refuses a listening log with an information message.
    ExportOutcome ExportFastlog();

    // The save dialog of an export.
    static FileDialogOptions DialogOptions(const ExportDialogTexts& texts, const std::string& initialName);

  private:
    // The save dialog, then the file's bytes (built only when a file was chosen)
    // written whole.
    ExportOutcome ChooseAndWrite(const ExportDialogTexts& texts, const std::string& initialName,
                                 const std::function<std::string()>& bytes);

    LogSession& session_;
};

}  // namespace tarnex
