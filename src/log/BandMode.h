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

namespace detail {
// Indexed by a text's first byte: the band it starts (1,8 and 28 for '1' and '2', the
// second character deciding between 1,8 and 14, 21 and 28), the mode, or -1. Tables and
// no branches, as the bands and modes of a log's rows follow no pattern.
struct FirstByteCodes {
    std::array<int8_t, 256> band{};
    std::array<int8_t, 256> mode{};
    constexpr FirstByteCodes() {
        band.fill(-1);
        mode.fill(-1);
        band['1'] = 0;
        band['2'] = 5;
        band['3'] = 1;
        band['7'] = 2;
        mode['S'] = 0;
        mode['C'] = 1;
        mode['R'] = 2;
    }
};
inline constexpr FirstByteCodes kFirstByteCodes;
}  // namespace detail

// Decodes a band by its first one or two characters; nullopt when it is no band.
// (Here, so that loops over many rows inline it.)
inline std::optional<BandCode> DecodeBand(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const unsigned char first = static_cast<unsigned char>(text[0]);
    const char second = text.size() > 1 ? text[1] : '\0';
    // Flags as numbers, so that the compiler keeps them free of jumps.
    const int fourteen = static_cast<int>(first == '1') & static_cast<int>(second == '4');
    const int twentyOne = static_cast<int>(first == '2') & static_cast<int>(second == '1');
    const int index = detail::kFirstByteCodes.band[first] + 3 * fourteen - twentyOne;
    if (index < 0) {
        return std::nullopt;
    }
    return BandCode{index, BandBit(index)};
}

// Decodes a mode by its first character: 0 SSB, 1 CW, 2 RTTY, -1 anything else.
inline int DecodeMode(std::string_view text) {
    return text.empty() ? -1 : detail::kFirstByteCodes.mode[static_cast<unsigned char>(text[0])];
}

// Position of an exact band or mode text in its list, -1 when not listed.
int BandListIndex(std::string_view text);
int ModeListIndex(std::string_view text);

}  // namespace tarnex
