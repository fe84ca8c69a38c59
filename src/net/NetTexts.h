#pragma once
// The texts of the network status and of its reasons (Windows-1252 bytes).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnex::net_texts {

// "Rete: 3 postazioni, in linea" / "Rete: non collegata, 2 QSO da inviare".
std::string Status(bool online, int positions, size_t unsent);

std::string Connecting();
std::string NoServer(const std::vector<std::string>& servers, const std::string& detail);
std::string NotNats(const std::vector<std::string>& servers, const std::string& detail);
std::string NoJetStream();
std::string UnknownLog(const std::string& log);
std::string NameInUse(const std::string& position);
std::string ConnectionLost();
std::string ServerProblem(const std::string& detail);
std::string SendFailed(const std::string& detail);
std::string BadEvents(uint64_t count, uint64_t lastSequence);
std::string FilesProblem(const std::string& detail);
std::string ChangeRefused();
std::string NoReplace(const std::string& log);

}  // namespace tarnex::net_texts
