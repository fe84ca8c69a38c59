#include "export/ExportTexts.h"

#include <string_view>

namespace tarnex {

std::string CabrilloConfirmText(const StationSummary& station, std::string_view ownSectionName) {
    std::string text =
        "Attenzione!\n"
        "Prima di esportare in formato Cabrillo\n"
        "accertarsi di aver impostato nei dati riassuntivi almeno\n"
        "il nominativo, il nome, la categoria e la propria sezione.\n"
        "\n"
        "In questo momento sono impostati i seguenti dati\n"
        "\n"
        "Nominativo: ";
    text += station.callsign;
    text += "\nNome: ";
    text += station.name;
    text += "\nSezione: ";
    text += station.ownSection;
    text += " (";
    text += ownSectionName;
    text += ")\nCategoria: ";
    text += station.category;
    text += "\nVuoi continuare?";
    return text;
}

std::string CabrilloInitialFileName(std::string_view callsign) {
    constexpr std::string_view kNotInFileNames = "/\\:*?\"<>|";
    std::string name(callsign);
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (kNotInFileNames.find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return name;
}

std::string ExportOpenErrorText(std::string_view fullPath) {
    std::string text = "Errore apertura file:\n";
    text += fullPath;
    text += "\n\n";
    return text;
}

}  // namespace tarnex
