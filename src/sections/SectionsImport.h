#pragma once
// Importing the published list of ARI sections from a plain text file: every line
// the section line rule accepts is merged into the table (codes the file does not
// mention keep their names; a later line for a code wins), and the person is told how
// many lines were taken. The menu command runs, in order: kImportQuestionText (Yes/No,
// information icon), the open dialog (kImportDialogTitle, one filter "Tutti i
// documenti" for "*.*"), ImportSectionsFile, ImportCountText (information box), and,
// when the count is not 0, saves "_sez.cod" and opens the sections dialog.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "sections/SectionTable.h"

namespace tarnex {

// Merges every accepted line of the bytes into the table, reading up to the end or
// up to the first line of 200 or more characters. Returns the number of accepted
// lines (a code given twice counts twice).
size_t MergeSectionsText(std::string_view bytes, SectionTable& table);

// Reads the file and merges it; nullopt (table unchanged) when it cannot be read.
std::optional<size_t> ImportSectionsFile(const std::string& path, SectionTable& table);

// Where the list can be downloaded, named in the question.
inline constexpr const char* kSectionsListSite = "www.ari.it";

inline constexpr const char* kImportDialogTitle = "Scegli file di testo con elenco Sezioni";
inline constexpr const char* kImportFilterText = "Tutti i documenti";
inline constexpr const char* kImportFilterPattern = "*.*";
inline constexpr const char* kImportSaveErrorText = "Non posso salvare sul file _sez.cod!";

// The question asked first (Windows-1252 bytes, like every text of the program).
std::string ImportQuestionText();
// "Errore apertura file:\n" + path + "\n\n".
std::string ImportOpenErrorText(std::string_view path);
// The count of accepted lines, with the warning about a binary or invalid file when
// it is 0.
std::string ImportCountText(size_t accepted);

}  // namespace tarnex
