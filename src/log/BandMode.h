#pragma once
// The six contest bands and three modes, with their decoding from text.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/ContestRules.h"

namespace tarnex {

// Band texts in index order: the band list of every entry form.
constexpr std::array<std::string_view, kBandCount> kBandTexts = {"1,8", "3,5", "7", "14", "21", "28"};
// Metres, for the score report.
constexpr std::array<std::string_view, kBandCount> kBandMetres = {"160m", "80m", "40m", "20m", "15m", "10m"};
// Mode texts in index order: the mode list of every entry form.
constexpr std::array<std::string_view, kModeCount> kModeTexts = {"SSB", "CW", "RTTY"};

// The band and mode of a fresh program, and of a stored band or mode that is no entry
// of its list: "7" and "SSB".
inline constexpr const char* kDefaultBand = kBandTexts[2].data();
inline constexpr const char* kDefaultMode = kModeTexts[kModeSsb].data();

// True for the text "SSB": the mode whose reports have two digits.
inline bool IsSsb(std::string_view mode) {
    return mode == kModeTexts[kModeSsb];
}
// The report a form puts for a mode: "59" in SSB, "599" in any other.
inline const char* DefaultReportFor(std::string_view mode) {
    return DefaultReport(IsSsb(mode));
}
// The band the entry form shows for a band and mode chosen together: the band itself,
// or 3,5 in place of 1,8 in RTTY.
std::string_view WorkableBand(std::string_view band, std::string_view mode);

struct BandCode {
    int index = 0;
    uint8_t bit = 1;
};

inline uint8_t BandBit(int index) {
    return static_cast<uint8_t>(1u << index);
}

// Decodes a band by its first one or two characters; nullopt when it is no band.
// (Here, so that loops over many rows inline it.)
inline std::optional<BandCode> DecodeBand(std::string_view text) {
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

// Decodes a mode by its first character: 0 SSB, 1 CW, 2 RTTY, -1 anything else.
inline int DecodeMode(std::string_view text) {
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

// Position of an exact band or mode text in its list, -1 when not listed.
int BandListIndex(std::string_view text);
int ModeListIndex(std::string_view text);

}  // namespace tarnex
