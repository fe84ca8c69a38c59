#pragma once
// What the person sees around the three exports: questions, messages, and the save
// dialogs' titles, filters, default extensions and proposed names. The window only
// wires these to its prompts. Like every message of the program they are
// Windows-1252 bytes ("\xE8" is e grave), the code page the prompts show; the station
// values put into CabrilloConfirmText are inserted as held (8-bit log text).

#include <string>
#include <string_view>

#include "log/StationSummary.h"

namespace tarnex {

// A save dialog with one filter entry. The pattern lists several extensions separated
// by ';' ("*.log;*.cbr"); a toolkit that wants spaces converts it.
struct ExportDialogTexts {
    const char* title;
    const char* filterText;
    const char* filterPattern;
    const char* defaultExtension;
};

// Cabrillo.
inline constexpr ExportDialogTexts kCabrilloDialog = {"Esporta log in formato Cabrillo",
                                                      "File Cabrillo (*.log, *.cbr)", "*.log;*.cbr", "log"};
inline constexpr const char* kCabrilloConfirmTitle = "Richiesta conferma";
// The yes/no question asked before a Cabrillo export, showing the station data now set.
std::string CabrilloConfirmText(const StationSummary& station, std::string_view ownSectionName);
// The file name proposed by the Cabrillo save dialog: the own callsign in lower case.
// Characters that cannot stand in a file name ('/' of a portable call, '\\', ':' ...)
// become '_', so that the proposal is never read as a folder.
std::string CabrilloInitialFileName(std::string_view callsign);

// ADIF.
inline constexpr ExportDialogTexts kAdifDialog = {"Esporta log in formato ADIF", "File Adif (*.adi)", "*.adi",
                                                  ".adi"};
inline constexpr const char* kAdifListeningTitle = "Richiesta";
// Asked in listening mode before the ADIF save dialog; No stops the export.
inline constexpr const char* kAdifListeningText =
    "Il formato ADIF standard non prevede\n"
    "gli ascolti degli swl.\n"
    "E' tuttavia possibile eportare il log corrente\n"
    "utilizzando il nuovo campo <CALL2> per indicare il\n"
    "secondo nominativo. I due RST saranno esportati\n"
    "come spedito e ricevuto ed i due codici sezione\n"
    "saranno esportati come se fossero numeri progressivi.\n"
    "\n"
    "Vuoi continuare ed esportare il log in formato ADIF?";

// Fastlog.
inline constexpr ExportDialogTexts kFastlogDialog = {"Esporta log come testo per Fastlog",
                                                     "File di testo (*.txt)", "*.txt", "txt"};
// Shown (information icon) instead of the save dialog in listening mode.
inline constexpr const char* kFastlogListeningText =
    "Il programma Fastlog non supporta il modo SWL\n"
    "per cui non \xE8 possibile esportare il log attuale in\n"
    "questo formato.\n";

// Every export: the chosen file cannot be written ("Errore", stop icon).
std::string ExportOpenErrorText(std::string_view fullPath);

}  // namespace tarnex
