#include "net/NetConfig.h"

#include "app/Settings.h"
#include "log/EntryIdentity.h"

#include "util/TextNumber.h"

namespace tarnex {

bool IsLogName(std::string_view name) {
    // The same characters as a position name, a longer limit.
    if (name.empty() || name.size() > kLogNameLimit) {
        return false;
    }
    for (size_t at = 0; at < name.size(); at += kPositionNameLimit) {
        if (!IsPositionName(name.substr(at, kPositionNameLimit))) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> NetConfig::SplitServers(std::string_view list) {
    std::vector<std::string> servers;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        const std::string_view item =
            TrimBlanks(list.substr(start, comma == std::string_view::npos ? list.npos : comma - start));
        if (!item.empty()) {
            servers.emplace_back(item);
        }
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    return servers;
}

std::optional<NetConfig> NetConfig::FromSettings(const Settings& settings) {
    NetConfig config;
    config.servers = SplitServers(settings.netServers);
    if (config.servers.empty()) {
        return std::nullopt;
    }
    config.log = settings.netLog;
    config.position = settings.netPosition;
    return config;
}

std::string NetConfig::Problem() const {
    if (servers.empty()) {
        return "Nessun server indicato in \"Rete server\"";
    }
    if (!IsLogName(log)) {
        return "Nome del log non valido in \"Rete log\": da 1 a 32 lettere, cifre, \"-\" o \"_\"";
    }
    if (!IsPositionName(position)) {
        return "Nome della postazione non valido in \"Rete postazione\": da 1 a 12 lettere, cifre, \"-\" o "
               "\"_\"";
    }
    return {};
}

std::string StreamName(const std::string& log) {
    return "TARNEX_" + log;
}
std::string StreamSubjects(const std::string& log) {
    return "tarnex." + log + ".*";
}
std::string PositionSubject(const std::string& log, const std::string& position) {
    return "tarnex." + log + "." + position;
}
std::string PresenceBucket(const std::string& log) {
    return "TARNEX_" + log + "_POSTAZIONI";
}

}  // namespace tarnex
