#pragma once
// What a position needs to join a shared log, from the settings "Rete server"
// (comma-separated server addresses; empty: no network), "Rete log" and "Rete
// postazione", and the names the log has on the server.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnex {

class Settings;

// A log name: 1 to 32 letters, digits, "-" or "_" (it becomes part of the server's
// names for the log).
constexpr size_t kLogNameLimit = 32;
bool IsLogName(std::string_view name);

struct NetConfig {
    std::vector<std::string> servers;
    std::string log;
    std::string position;

    // nullopt when "Rete server" is empty: the log is a single-computer log.
    static std::optional<NetConfig> FromSettings(const Settings& settings);
    // The addresses of a comma-separated list, trimmed, empty ones left out.
    static std::vector<std::string> SplitServers(std::string_view list);
    // Why these values cannot be used (for the person), or empty.
    std::string Problem() const;
};

// The server's names for a log.
std::string StreamName(const std::string& log);      // "TARNEX_<log>"
std::string StreamSubjects(const std::string& log);  // "tarnex.<log>.*"
std::string PositionSubject(const std::string& log,
                            const std::string& position);  // "tarnex.<log>.<position>"
std::string PresenceBucket(const std::string& log);        // "TARNEX_<log>_POSTAZIONI"

// Settings of the server side of a log.
constexpr int64_t kDuplicateWindowSeconds = 48 * 3600;  // a whole contest and its day after
constexpr int64_t kPresenceTtlSeconds = 10;             // a position unheard for this long is offline
constexpr int64_t kPresenceBeatMillis = 2000;

}  // namespace tarnex
