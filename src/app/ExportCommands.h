#pragma once
// The export commands of the "Log" menu: "Esporta -> Cabrillo", "Esporta -> Cabrillo
// 3.0", "Esporta -> ADIF" and "Esporta -> Testo per Fastlog". Each asks what it must
// ask, lets the person choose the file and writes it whole: the file is written to a
// temporary file next to it and renamed, so a file that cannot be written leaves
// nothing behind (and an existing file untouched).
//
// The two Cabrillo files and the ADIF file are what an entrant sends: before them the
// log goes through the checks before sending (check/LogCheck.h), and what they find
// is shown to the person, who goes on or stops (SetFindingsReview).

#include <functional>
#include <string>
#include <vector>

#include "check/LogCheck.h"
#include "export/ExportSink.h"

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
    Stopped,       // the person stopped at what the checks before sending found
};

// Shows what the checks found and returns true when the export is to go on. `recheck`
// runs the same checks again on the log as it is then (after the person corrected an
// entry or the station data).
using FindingsReview = std::function<bool(const std::vector<LogFinding>& findings,
                                          const std::function<std::vector<LogFinding>()>& recheck)>;

class ExportCommands {
  public:
    explicit ExportCommands(LogSession& session) : session_(session) {}

    // Computes and stores the score, asks for confirmation showing the station data,
    // puts a listening log in band order when the option asks for it, lets the person
    // choose the file (the own callsign in lower case proposed) and writes it. After
    // a band-ordered file is written, the log goes back to date and time order.
    ExportOutcome ExportCabrillo();
    // The same question and save dialog; the Cabrillo 3.0 file, with the contest name
    // of the options ("SEZIONI" when the stored one is not a name the tag takes) and
    // the power, overlay and e-mail address of the station summary. Its lines are in
    // date and time order whatever the log's order: the log is never re-ordered.
    ExportOutcome ExportCabrillo3();
    // In listening mode asks first whether to go on with the CALL2 field.
    ExportOutcome ExportAdif();
    // Refuses a listening log with an information message.
    ExportOutcome ExportFastlog();

    // Run before the Cabrillo, Cabrillo 3.0 and ADIF files when findings are left; a
    // clean log goes on without it. Without a review the exports are not checked.
    void SetFindingsReview(FindingsReview review) { review_ = std::move(review); }
    // What the checks find before a file of this kind: the log with the station
    // summary and the power, overlay and e-mail address of the settings.
    std::vector<LogFinding> FindingsBefore(CheckedExport target) const;

    // The save dialog of an export.
    static FileDialogOptions DialogOptions(const ExportDialogTexts& texts, const std::string& initialName);

  private:
    // The save dialog, then the file's bytes (built only when a file was chosen)
    // written whole.
    ExportOutcome ChooseAndWrite(const ExportDialogTexts& texts, const std::string& initialName,
                                 const std::function<std::string()>& bytes);
    // The same, the bytes written into the file as `write` makes them.
    ExportOutcome ChooseAndStream(const ExportDialogTexts& texts, const std::string& initialName,
                                  const std::function<void(ExportSink&)>& write);

    // The checks before sending and the review of their findings: true to go on.
    bool Reviewed(CheckedExport target);

    LogSession& session_;
    FindingsReview review_;
};

}  // namespace tarnex
