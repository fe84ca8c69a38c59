#pragma once
// The two commands of the menu "Strumenti" on the list of ARI sections, and what
// "Salva" of the sections dialog decides. The dialog only shows the rows and asks;
// the rules are here and talk to the person through UserPrompts.
//
// "Elenco Sezioni Ari": the dialog runs; after its Salva the whole table goes to
// "_sez.cod" (ShowSectionsList).
// "Importa elenco Sezioni da file di testo": the question, the open dialog, the merge
// and its count, then (when anything was taken) "_sez.cod" and the sections dialog
// (ImportSectionsList).

#include <functional>
#include <string>
#include <vector>

#include "sections/SectionRows.h"

namespace tarnex {

class SectionTable;
class UserPrompts;

// "Salva" of the sections dialog: the rows go into the table in their order. A code
// met a second time stops there with a message naming both sections: the table then
// holds only the rows above that one, and false tells the dialog to stay open until a
// Salva succeeds.
bool StoreSectionRows(const std::vector<SectionRow>& rows, SectionTable& table, UserPrompts& prompts);

// The message of StoreSectionRows for a row whose code an earlier row already has.
std::string DuplicateSectionText(const std::string& earlierName, const SectionRow& row);

class SectionsCommands {
  public:
    // Runs the sections dialog; true when it ended with Salva.
    using ListDialog = std::function<bool()>;
    // A file path as a message shows it (the window program turns the file system's
    // bytes into the program's code page).
    using PathText = std::function<std::string(const std::string&)>;

    SectionsCommands(SectionTable& table, UserPrompts& prompts, std::string programFolder,
                     PathText pathText = {});

    std::string SectionsFilePath() const;

    // Runs the dialog and, after its Salva, writes the table to "_sez.cod".
    void ShowSectionsList(const ListDialog& dialog);
    // The import, ending in ShowSectionsList when lines were taken and saved.
    void ImportSectionsList(const ListDialog& dialog);

    // The whole table to "_sez.cod", replacing the file in one piece; tells the
    // person when it cannot be written.
    bool SaveTable();

  private:
    SectionTable& table_;
    UserPrompts& prompts_;
    std::string programFolder_;
    PathText pathText_;
};

}  // namespace tarnex
