#pragma once
// What the station says about its entry beyond the log file's header: the power,
// the overlay and an e-mail address. They live in the settings only ("Potenza",
// "Overlay", "Email" in "Dati riassuntivi"), so the log file keeps the header other
// programs read; the Cabrillo 3.0 file and the checks before sending use them.

#include <string>

namespace tarnex {

struct StationExtras {
    std::string power;    // "", "HIGH" or "LOW"; empty: not chosen
    std::string overlay;  // "", "ROOKIE" or "YOUTH"
    std::string email;
    bool operator==(const StationExtras&) const = default;
};

}  // namespace tarnex
