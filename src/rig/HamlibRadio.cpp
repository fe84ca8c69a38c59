#include "rig/HamlibRadio.h"

#include <hamlib/rig.h>

#include <string>

#include "rig/HamlibGuard.h"
#include "rig/RigModels.h"

namespace tarnex {

namespace {

// Hamlib's error codes in the operator's words (Windows-1252 bytes).
std::string ErrorText(int code) {
    switch (code < 0 ? -code : code) {
        case RIG_EINVAL:
        case RIG_EARG:
        case RIG_EDOM:
            return "parametro non valido";
        case RIG_ECONF:
            return "configurazione non valida";
        case RIG_ENOMEM:
            return "memoria esaurita";
        case RIG_ENIMPL:
        case RIG_ENAVAIL:
        case RIG_EDEPRECATED:
            return "funzione non disponibile per questo modello";
        case RIG_ETIMEOUT:
            return "nessuna risposta entro il tempo massimo";
        case RIG_EIO:
            return "errore di comunicazione sulla porta";
        case RIG_EPROTO:
        case RIG_ETRUNC:
            return "risposta non valida";
        case RIG_ERJCTED:
            return "comando rifiutato dalla radio";
        case RIG_ENTARGET:
        case RIG_EVFO:
            return "VFO non disponibile";
        case RIG_BUSERROR:
        case RIG_BUSBUSY:
            return "errore sul bus di comunicazione";
        case RIG_ESECURITY:
            return "accesso negato";
        case RIG_EPOWER:
            return "radio spenta";
        default:
            return "errore di Hamlib " + std::to_string(code);
    }
}

// Errors of a request the radio cannot answer, while it still talks.
bool RadioStillTalks(int code) {
    return RIG_IS_SOFT_ERRCODE(-code);
}

}  // namespace

HamlibRadio::HamlibRadio(RigConfig config) : config_(std::move(config)) {}

HamlibRadio::~HamlibRadio() {
    Close();
}

RadioResult HamlibRadio::Failed(const char* what, int code) const {
    return RadioResult::Failed(Describe() + ": " + what + " (" + ErrorText(code) + ")");
}

RadioResult HamlibRadio::Open() {
    Close();
    {
        HamlibGuard guard;
        rig_ = rig_init(static_cast<rig_model_t>(config_.model));
    }
    if (rig_ == nullptr) {
        return RadioResult::Failed("Modello di radio sconosciuto: " + std::to_string(config_.model));
    }
    // Every reading asks the radio: another program may have moved it.
    rig_set_cache_timeout_ms(rig_, HAMLIB_CACHE_ALL, 0);
    int code = RIG_OK;
    if (!config_.port.empty()) {
        code = rig_set_conf(rig_, rig_token_lookup(rig_, "rig_pathname"), config_.port.c_str());
    }
    if (code == RIG_OK && config_.speed > 0 && rig_->caps->port_type == RIG_PORT_SERIAL) {
        code =
            rig_set_conf(rig_, rig_token_lookup(rig_, "serial_speed"), std::to_string(config_.speed).c_str());
    }
    if (code != RIG_OK) {
        return Failed("impostazioni della porta non accettate", code);
    }
    code = rig_open(rig_);
    if (code != RIG_OK) {
        return Failed("apertura non riuscita", code);
    }
    open_ = true;
    return {};
}

RadioResult HamlibRadio::Read(RadioSample& sample) {
    if (!open_) {
        return RadioResult::Failed(Describe() + ": radio non aperta");
    }
    freq_t frequency = 0;
    int code = rig_get_freq(rig_, RIG_VFO_CURR, &frequency);
    if (code != RIG_OK) {
        return Failed("la radio non risponde", code);
    }
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    code = rig_get_mode(rig_, RIG_VFO_CURR, &mode, &width);
    if (code != RIG_OK && !RadioStillTalks(code)) {
        return Failed("la radio non risponde", code);
    }
    sample.frequencyHz = frequency;
    const char* name = code == RIG_OK && mode != RIG_MODE_NONE ? rig_strrmode(mode) : nullptr;
    sample.mode = name != nullptr ? name : "";
    return {};
}

RadioResult HamlibRadio::Tune(double frequencyHz, std::string_view mode) {
    if (!open_) {
        return RadioResult::Failed(Describe() + ": radio non aperta");
    }
    int code = rig_set_freq(rig_, RIG_VFO_CURR, frequencyHz);
    if (code == RIG_OK) {
        code = rig_set_mode(rig_, RIG_VFO_CURR, rig_parse_mode(std::string(mode).c_str()),
                            RIG_PASSBAND_NOCHANGE);
    }
    return code == RIG_OK ? RadioResult{} : Failed("comando non eseguito", code);
}

void HamlibRadio::Close() {
    if (rig_ == nullptr) {
        return;
    }
    if (open_) {
        rig_close(rig_);
        open_ = false;
    }
    HamlibGuard guard;
    rig_cleanup(rig_);
    rig_ = nullptr;
}

std::string HamlibRadio::Describe() const {
    std::string text = RigModelName(config_.model);
    // The port Hamlib uses, also when the settings leave it to the model's default;
    // none for a radio without one (the dummy).
    std::string port = config_.port;
    if (rig_ != nullptr) {
        port = rig_->caps->port_type == RIG_PORT_NONE ? "" : rig_->state.rigport.pathname;
    }
    if (!port.empty()) {
        text += " su " + port;
    }
    return text;
}

}  // namespace tarnex
