#pragma once
// Every stored setting with its section, key, type and default, read once at start-up
// into typed values; each setter writes its value back at once.

#include <array>
#include <cstdint>
#include <string>

#include "base/SettingsStore.h"
#include "log/BandMode.h"
#include "log/LogTypes.h"
#include "log/StationExtras.h"
#include "log/StationSummary.h"

namespace tarnex {

inline constexpr const char* kParametri = "Parametri";
inline constexpr const char* kDatiRiassuntivi = "Dati riassuntivi";

enum class SettingId {
    Banda,
    Modo,
    Nominativo,
    Sezione,
    Nome,
    Operatori,
    Categoria,
    Indirizzo1,
    Indirizzo2,
    Indirizzo3,
    Commento1,
    Commento2,
    Potenza,
    Overlay,
    Email,
    Punteggio,
    PathLogAperto,
    NomeLogAperto,
    Modificato,
    CabrilloSwlSeparati,
    Consigli,
    ColoreSfondo,
    ColoreTesto,
    RadioModello,
    RadioPorta,
    RadioVelocita,
    RadioIntervallo,
    NomeContest,
    ReteServer,
    ReteLog,
    RetePostazione,
};

struct SettingDef {
    SettingId id;
    const char* section;
    const char* key;
    bool isInteger;
    const char* stringDefault;
    int32_t intDefault;
};

// In the order start-up reads them.
// The keys are Windows-1252 bytes like every text of the program ("\xE0" is a grave).
inline constexpr std::array<SettingDef, 31> kSettingDefs = {{
    {SettingId::Banda, kParametri, "Banda", false, kDefaultBand, 0},
    {SettingId::Modo, kParametri, "Modo", false, kDefaultMode, 0},
    {SettingId::Nominativo, kDatiRiassuntivi, "Nominativo", false, "", 0},
    {SettingId::Sezione, kDatiRiassuntivi, "Sezione", false, "", 0},
    {SettingId::Nome, kDatiRiassuntivi, "Nome", false, "", 0},
    {SettingId::Operatori, kDatiRiassuntivi, "Operatori", false, "", 0},
    {SettingId::Categoria, kDatiRiassuntivi, "Categoria", false, "SINGLE-OP CW", 0},
    {SettingId::Indirizzo1, kDatiRiassuntivi, "Indirizzo riga 1", false, "", 0},
    {SettingId::Indirizzo2, kDatiRiassuntivi, "Indirizzo riga 2", false, "", 0},
    {SettingId::Indirizzo3, kDatiRiassuntivi, "Indirizzo riga 3", false, "", 0},
    {SettingId::Commento1, kDatiRiassuntivi, "Commento riga 1", false, "", 0},
    {SettingId::Commento2, kDatiRiassuntivi, "Commento riga 2", false, "", 0},
    {SettingId::Potenza, kDatiRiassuntivi, "Potenza", false, "", 0},
    {SettingId::Overlay, kDatiRiassuntivi, "Overlay", false, "", 0},
    {SettingId::Email, kDatiRiassuntivi, "Email", false, "", 0},
    {SettingId::Punteggio, kParametri, "Punteggio", true, "", 0},
    {SettingId::PathLogAperto, kParametri, "Path log aperto", false, "", 0},
    {SettingId::NomeLogAperto, kParametri, "Nome log aperto", false, "", 0},
    {SettingId::Modificato, kParametri, "Modificato", true, "", 0},
    {SettingId::CabrilloSwlSeparati, kParametri, "File Cabrillo SWL separati", true, "", 0},
    {SettingId::Consigli, kParametri, "Consigli", true, "", 1},
    {SettingId::ColoreSfondo, kParametri, "Colore sfondo", true, "", 11563120},
    {SettingId::ColoreTesto, kParametri, "Colore testo", true, "", 65535},
    // The radio: Hamlib's model number (0 none), the serial device or "host:port" of a
    // rigctld, the serial speed (0 the model's own default) and the poll interval in ms.
    {SettingId::RadioModello, kParametri, "Radio modello", true, "", 0},
    {SettingId::RadioPorta, kParametri, "Radio porta", false, "", 0},
    {SettingId::RadioVelocita, kParametri, "Radio velocit\xE0", true, "", 0},
    {SettingId::RadioIntervallo, kParametri, "Radio intervallo", true, "", 500},
    {SettingId::NomeContest, kParametri, "Nome contest Cabrillo", false, "SEZIONI", 0},
    // Several positions, one log: the servers (comma-separated; empty: no network),
    // the shared log's name and this position's name.
    {SettingId::ReteServer, kParametri, "Rete server", false, "", 0},
    {SettingId::ReteLog, kParametri, "Rete log", false, "", 0},
    {SettingId::RetePostazione, kParametri, "Rete postazione", false, "", 0},
}};

const SettingDef& DefOf(SettingId id);

// Colours are 0x00BBGGRR.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
inline Rgb ColourToRgb(int32_t colour) {
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}
inline int32_t RgbToColour(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

class Settings {
  public:
    explicit Settings(SettingsStore& store) : store_(store) {}

    // Reads every setting in start-up order; missing values take their defaults.
    void Load();

    // The values in memory.
    std::string band = kDefaultBand;
    std::string mode = kDefaultMode;
    StationSummary station{"", "", "SINGLE-OP CW", "", "", "", "", "", "", "", ""};
    // "Potenza", "Overlay", "Email": settings only, never in a log file's header.
    StationExtras extras;
    LogMode logMode = LogMode::Qso;  // from the category at start-up
    int32_t score = 0;
    std::string openLogPath;
    std::string openLogName;
    bool modified = false;
    bool listeningCabrilloByBand = false;
    bool tips = true;
    int32_t backgroundColour = 11563120;
    int32_t textColour = 65535;
    int32_t radioModel = 0;
    std::string radioPort;
    int32_t radioSpeed = 0;
    int32_t radioIntervalMs = 500;
    // The "CONTEST:" value of the Cabrillo 3.0 file (the organiser may rename it).
    std::string contestName = "SEZIONI";
    std::string netServers;
    std::string netLog;
    std::string netPosition;

    // Each changes the value in memory and writes it to the store at once.
    void SetBand(const std::string& value);
    void SetMode(const std::string& value);
    void SetOwnSection(const std::string& value);
    void SetScore(int32_t value);
    void SetOpenLog(const std::string& path, const std::string& name);
    void SetModified(bool value);
    void SetListeningCabrilloByBand(bool value);
    void SetTips(bool value);
    void SetBackgroundColour(int32_t value);
    void SetTextColour(int32_t value);
    // The four radio settings, as the options save them together.
    void SetRadio(int32_t model, const std::string& port, int32_t speed, int32_t intervalMs);
    void SetNet(const std::string& servers, const std::string& log, const std::string& position);
    // Writes the ten stored station-summary values (the third comment line is not a
    // setting).
    void SetStation(const StationSummary& value);
    // Writes "Potenza", "Overlay" and "Email".
    void SetStationExtras(const StationExtras& value);
    void SetContestName(const std::string& value);

    SettingsStore& Store() { return store_; }

  private:
    void WriteString(SettingId id, const std::string& value);
    void WriteFileName(SettingId id, const std::string& value);
    void WriteInt(SettingId id, int32_t value);
    SettingsStore& store_;
};

// Listening mode exactly when the category is "SWL" (case-sensitive).
inline LogMode LogModeForCategory(const std::string& category) {
    return category == "SWL" ? LogMode::Listening : LogMode::Qso;
}

}  // namespace tarnex
