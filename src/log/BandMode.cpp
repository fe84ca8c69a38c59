#include "log/BandMode.h"

namespace tarnex {

int BandListIndex(std::string_view text) {
    for (int i = 0; i < kBandCount; ++i) {
        if (kBandTexts[static_cast<size_t>(i)] == text) {
            return i;
        }
    }
    return -1;
}

int ModeListIndex(std::string_view text) {
    for (int i = 0; i < kModeCount; ++i) {
        if (kModeTexts[static_cast<size_t>(i)] == text) {
            return i;
        }
    }
    return -1;
}

std::string_view WorkableBand(std::string_view band, std::string_view mode) {
    if (!IsWorkable(BandListIndex(band), ModeListIndex(mode))) {
        return kBandTexts[kRttyLowestBand];
    }
    return band;
}

}  // namespace tarnex
