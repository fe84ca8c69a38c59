#include "app/Settings.h"

namespace tarnex {

const SettingDef& DefOf(SettingId id) {
    for (const SettingDef& def : kSettingDefs) {
        if (def.id == id) {
            return def;
        }
    }
    return kSettingDefs[0];
}

void Settings::Load() {
    auto str = [&](SettingId id) {
        const SettingDef& d = DefOf(id);
        return store_.ReadString(d.section, d.key, d.stringDefault);
    };
    auto num = [&](SettingId id) {
        const SettingDef& d = DefOf(id);
        return store_.ReadInt(d.section, d.key, d.intDefault);
    };
    band = str(SettingId::Banda);
    mode = str(SettingId::Modo);
    station.callsign = str(SettingId::Nominativo);
    station.ownSection = str(SettingId::Sezione);
    station.name = str(SettingId::Nome);
    station.operators = str(SettingId::Operatori);
    station.category = str(SettingId::Categoria);
    logMode = LogModeForCategory(station.category);
    station.address1 = str(SettingId::Indirizzo1);
    station.address2 = str(SettingId::Indirizzo2);
    station.address3 = str(SettingId::Indirizzo3);
    station.comment1 = str(SettingId::Commento1);
    station.comment2 = str(SettingId::Commento2);
    station.comment3.clear();
    extras.power = str(SettingId::Potenza);
    extras.overlay = str(SettingId::Overlay);
    extras.email = str(SettingId::Email);
    score = num(SettingId::Punteggio);
    auto fileName = [&](SettingId id) {
        const SettingDef& d = DefOf(id);
        return store_.ReadFileName(d.section, d.key, d.stringDefault);
    };
    openLogPath = fileName(SettingId::PathLogAperto);
    openLogName = fileName(SettingId::NomeLogAperto);
    modified = num(SettingId::Modificato) != 0;
    listeningCabrilloByBand = num(SettingId::CabrilloSwlSeparati) != 0;
    tips = num(SettingId::Consigli) != 0;
    backgroundColour = num(SettingId::ColoreSfondo);
    textColour = num(SettingId::ColoreTesto);
    radioModel = num(SettingId::RadioModello);
    radioPort = str(SettingId::RadioPorta);
    radioSpeed = num(SettingId::RadioVelocita);
    radioIntervalMs = num(SettingId::RadioIntervallo);
    contestName = str(SettingId::NomeContest);
    netServers = str(SettingId::ReteServer);
    netLog = str(SettingId::ReteLog);
    netPosition = str(SettingId::RetePostazione);
}

void Settings::WriteString(SettingId id, const std::string& value) {
    const SettingDef& d = DefOf(id);
    store_.WriteString(d.section, d.key, value);
}

void Settings::WriteFileName(SettingId id, const std::string& value) {
    const SettingDef& d = DefOf(id);
    store_.WriteFileName(d.section, d.key, value);
}

void Settings::WriteInt(SettingId id, int32_t value) {
    const SettingDef& d = DefOf(id);
    store_.WriteInt(d.section, d.key, value);
}

void Settings::SetBand(const std::string& value) {
    band = value;
    WriteString(SettingId::Banda, value);
}

void Settings::SetMode(const std::string& value) {
    mode = value;
    WriteString(SettingId::Modo, value);
}

void Settings::SetOwnSection(const std::string& value) {
    station.ownSection = value;
    WriteString(SettingId::Sezione, value);
}

void Settings::SetScore(int32_t value) {
    score = value;
    WriteInt(SettingId::Punteggio, value);
}

void Settings::SetOpenLog(const std::string& path, const std::string& name) {
    openLogPath = path;
    openLogName = name;
    WriteFileName(SettingId::PathLogAperto, path);
    WriteFileName(SettingId::NomeLogAperto, name);
}

void Settings::SetModified(bool value) {
    modified = value;
    WriteInt(SettingId::Modificato, value ? 1 : 0);
}

void Settings::SetListeningCabrilloByBand(bool value) {
    listeningCabrilloByBand = value;
    WriteInt(SettingId::CabrilloSwlSeparati, value ? 1 : 0);
}

void Settings::SetTips(bool value) {
    tips = value;
    WriteInt(SettingId::Consigli, value ? 1 : 0);
}

void Settings::SetBackgroundColour(int32_t value) {
    backgroundColour = value;
    WriteInt(SettingId::ColoreSfondo, value);
}

void Settings::SetTextColour(int32_t value) {
    textColour = value;
    WriteInt(SettingId::ColoreTesto, value);
}

void Settings::SetRadio(int32_t model, const std::string& port, int32_t speed, int32_t intervalMs) {
    radioModel = model;
    radioPort = port;
    radioSpeed = speed;
    radioIntervalMs = intervalMs;
    WriteInt(SettingId::RadioModello, model);
    WriteString(SettingId::RadioPorta, port);
    WriteInt(SettingId::RadioVelocita, speed);
    WriteInt(SettingId::RadioIntervallo, intervalMs);
}

void Settings::SetNet(const std::string& servers, const std::string& log, const std::string& position) {
    netServers = servers;
    netLog = log;
    netPosition = position;
    WriteString(SettingId::ReteServer, servers);
    WriteString(SettingId::ReteLog, log);
    WriteString(SettingId::RetePostazione, position);
}

void Settings::SetStation(const StationSummary& value) {
    station = value;
    WriteString(SettingId::Nominativo, value.callsign);
    WriteString(SettingId::Sezione, value.ownSection);
    WriteString(SettingId::Nome, value.name);
    WriteString(SettingId::Operatori, value.operators);
    WriteString(SettingId::Categoria, value.category);
    WriteString(SettingId::Indirizzo1, value.address1);
    WriteString(SettingId::Indirizzo2, value.address2);
    WriteString(SettingId::Indirizzo3, value.address3);
    WriteString(SettingId::Commento1, value.comment1);
    WriteString(SettingId::Commento2, value.comment2);
}

void Settings::SetStationExtras(const StationExtras& value) {
    extras = value;
    WriteString(SettingId::Potenza, value.power);
    WriteString(SettingId::Overlay, value.overlay);
    WriteString(SettingId::Email, value.email);
}

void Settings::SetContestName(const std::string& value) {
    contestName = value;
    WriteString(SettingId::NomeContest, value);
}

}  // namespace tarnex
