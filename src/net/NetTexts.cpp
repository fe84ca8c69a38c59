#include "net/NetTexts.h"

namespace tarnex::net_texts {

namespace {
std::string List(const std::vector<std::string>& servers) {
    std::string text;
    for (const std::string& server : servers) {
        text += (text.empty() ? "" : ", ") + server;
    }
    return text;
}
std::string Detail(const std::string& detail) {
    return detail.empty() ? std::string() : " (" + detail + ")";
}
}  // namespace

std::string Status(bool online, int positions, size_t unsent) {
    const std::string queued = std::to_string(unsent) + " QSO da inviare";
    if (!online) {
        return "Rete: non collegata, " + queued;
    }
    std::string text = "Rete: " + std::to_string(positions) +
                       (positions == 1 ? " postazione" : " postazioni") + ", in linea";
    if (unsent > 0) {
        text += ", " + queued;
    }
    return text;
}

std::string Connecting() {
    return "Collegamento al server in corso";
}

std::string NoServer(const std::vector<std::string>& servers, const std::string& detail) {
    return "Nessun server raggiungibile: " + List(servers) + Detail(detail);
}

std::string NotNats(const std::vector<std::string>& servers, const std::string& detail) {
    return "Il server " + List(servers) + " non risponde come un server NATS" + Detail(detail);
}

std::string NoJetStream() {
    return "Il server non ha JetStream attivo: avviarlo con l'opzione -js";
}

std::string UnknownLog(const std::string& log) {
    return "Il log \"" + log + "\" non esiste sul server (si crea con: tarnex-cli net create --log " + log +
           ")";
}

std::string NameInUse(const std::string& position) {
    return "Il nome di postazione \"" + position + "\" \xE8 gi\xE0 usato da un'altra postazione in linea";
}

std::string ConnectionLost() {
    return "Collegamento al server perso: nuovo tentativo in corso";
}

std::string ServerProblem(const std::string& detail) {
    return "Il server non risponde come previsto" + Detail(detail);
}

std::string SendFailed(const std::string& detail) {
    return "Invio al server non riuscito" + Detail(detail) + ": nuovo tentativo in corso";
}

std::string BadEvents(uint64_t count, uint64_t lastSequence) {
    if (count == 1) {
        return "Ignorato un messaggio non valido nel log di rete (numero " + std::to_string(lastSequence) +
               ")";
    }
    return "Ignorati " + std::to_string(count) + " messaggi non validi nel log di rete (l'ultimo: numero " +
           std::to_string(lastSequence) + ")";
}

std::string FilesProblem(const std::string& detail) {
    return "Impossibile scrivere i file della rete" + Detail(detail);
}

std::string ChangeRefused() {
    return "Modifica non inviata: un campo contiene \"^\" o non entra in una riga del log";
}

std::string NoReplace(const std::string& log) {
    return "Il log \xE8 condiviso in rete (\"" + log +
           "\"): per aprire o creare un altro log togliere prima \"Rete server\" nelle opzioni.";
}

}  // namespace tarnex::net_texts
