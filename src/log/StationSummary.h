#pragma once
// The station's own data, written in the header of every log file.

#include <string>

namespace tarnex {

struct StationSummary {
    std::string callsign;    // "Nominativo"
    std::string ownSection;  // "Sezione", four digits
    std::string category;    // "Categoria"; "SWL" selects listening mode
    std::string operators;   // "Operatori"
    std::string name;        // "Nome"
    std::string address1;    // "Indirizzo riga 1"
    std::string address2;
    std::string address3;
    std::string comment1;  // "Commento riga 1"
    std::string comment2;
    std::string comment3;  // not a setting: only from a loaded log's header
    bool operator==(const StationSummary&) const = default;
};

}  // namespace tarnex
