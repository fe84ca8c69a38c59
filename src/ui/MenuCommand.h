#pragma once
// Every command of the main window's menu bar.

namespace tarnex {

enum class MenuCommand {
    // "File"
    NewLog,      // "Nuovo log"
    Open,        // "Apri"
    Save,        // "Salva\tF5"
    SaveAs,      // "Salva come..."
    Print,       // "Stampa\tF2"
    Exit,        // "Esci"
    // "Log"
    StationSummary,  // "Dati riassuntivi\tF4"
    ShowScore,       // "Mostra punteggio\tF8"
    SortByDateTime,  // "Riordina per data ed ora"
    ClearInput,      // "Cancella campi input\tF9"
    ExportCabrillo,  // "Esporta -> Cabrillo"
    ExportCabrillo3,  // "Esporta -> Cabrillo 3.0"
    ExportFastlog,   // "Esporta -> Testo per Fastlog"
    ExportAdif,      // "Esporta -> ADIF"
    // "Qso"
    EditEntries,    // "Modifica"
    DeleteEntries,  // "Elimina"
    // "Strumenti"
    Options,         // "Opzioni"
    SectionsList,    // "Elenco Sezioni Ari"
    ImportSections,  // "Importa elenco Sezioni da file di testo"
    UpdateHistory,   // "Aggiorna storico nominativi..."
    // "Aiuto"
    About,         // "Info"
    Instructions,  // "Istruzioni\tF1"
};

}  // namespace tarnex
