#include "log/BandMode.h"

namespace tarnex {

std::optional<BandCode> DecodeBand(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    int index = -1;
    char second = text.size() > 1 ? text[1] : '\0';
    switch (text[0]) {
        case '1':
            index = second == '4' ? 3 : 0;
            break;
        case '2':
            index = second == '1' ? 4 : 5;
            break;
        case '3':
            index = 1;
            break;
        case '7':
            index = 2;
            break;
        default:
            return std::nullopt;
    }
    return BandCode{index, BandBit(index)};
}

int DecodeMode(std::string_view text) {
    if (text.empty()) {
        return -1;
    }
    switch (text[0]) {
        case 'S':
            return 0;
        case 'C':
            return 1;
        case 'R':
            return 2;
        default:
            return -1;
    }
}

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
