#include "sections/SectionsImport.h"

#include "sections/SectionsFile.h"
#include "util/FileIo.h"

namespace tarnex {

size_t MergeSectionsText(std::string_view bytes, SectionTable& table) {
    return ApplySectionLines(bytes, table);
}

std::optional<size_t> ImportSectionsFile(const std::string& path, SectionTable& table) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return MergeSectionsText(*bytes, table);
}

std::string ImportQuestionText() {
    return std::string(
               "Il file di testo con l'elenco delle Sezioni Ari deve\n"
               "avere il codice sezione di 4 cifre nei primi 4 caratteri di ogni\n"
               "riga, poi un solo spazio e quindi il nome della sezione.\n\n"
               "Eventuali righe iniziali e finali di diverso formato non sono\n"
               "un problema perch\xE9 sono automaticamente ignorate.\n\n"
               "Si consiglia di scaricare il file sezioni.txt dal sito ") +
           kSectionsListSite + "\n\nVuoi continuare ed importare l'elenco Sezioni ?";
}

std::string ImportOpenErrorText(std::string_view path) {
    return "Errore apertura file:\n" + std::string(path) + "\n\n";
}

std::string ImportCountText(size_t accepted) {
    std::string text =
        "Sono stati importati codici e nomi\ndi " + std::to_string(accepted) + " Sezioni Ari.\n\n";
    if (accepted == 0) {
        text += "Attenzione!\nForse il file era binario o in formato non valido!";
    }
    return text;
}

}  // namespace tarnex
