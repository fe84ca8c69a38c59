#pragma once
// The master list of active contest callsigns that Debian ships with hamradio-files: one
// callsign per line, "#" lines are comments. Only the Italian callsigns are kept: those
// that begin with "I" (the whole I block of prefixes belongs to Italy, and it is the
// rule by which the entry form takes a callsign), 3 to 14 characters A-Z, 0-9 and "/".
// That keeps the stations abroad that operate in Italy ("I/DL1ABC") and leaves out the
// Italian ones abroad ("DL/IK2ABC"), which the entry form would refuse.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnex {

inline constexpr const char* kMasterCallsPath = "/usr/share/hamradio-files/MASTER.SCP";

bool IsItalianCall(std::string_view call);

// The Italian callsigns of a master list's bytes, ascending and each once.
std::vector<std::string> ItalianMasterCalls(std::string_view bytes);

// The same from a file; nullopt when it cannot be read (missing: the lookup goes on
// with the log and the history).
std::optional<std::vector<std::string>> LoadMasterCalls(const std::string& path);

}  // namespace tarnex
