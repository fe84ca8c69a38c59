#include "rig/RigStatus.h"

#include <utility>

#include "log/BandMode.h"
#include "rig/RigMapping.h"

namespace tarnex {

RigStatus RigStatus::Connected(const RadioSample& sample, std::string which) {
    RigStatus status;
    status.connected = true;
    status.frequencyHz = sample.frequencyHz;
    status.band = BandIndexForFrequency(sample.frequencyHz);
    status.mode = ModeIndexForRadioMode(sample.mode);
    status.radioMode = sample.mode;
    status.detail = std::move(which);
    return status;
}

RigStatus RigStatus::Disconnected(std::string why) {
    RigStatus status;
    status.detail = std::move(why);
    return status;
}

std::string RigStatus::BandText() const {
    return band >= 0 && band < kBandCount ? std::string(kBandTexts[static_cast<size_t>(band)]) : "";
}

std::string RigStatus::ModeText() const {
    return mode >= 0 && mode < kModeCount ? std::string(kModeTexts[static_cast<size_t>(mode)]) : "";
}

std::string RigStatus::Text() const {
    if (!connected) {
        return "Radio: non collegata";
    }
    std::string text = "Radio: " + FormatKilohertz(frequencyHz) + " kHz";
    std::string shownMode = mode >= 0 ? ModeText() : radioMode;
    if (!shownMode.empty()) {
        text += " " + shownMode;
    }
    return text;
}

}  // namespace tarnex
