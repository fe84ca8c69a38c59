#pragma once
// The six contest bands and three modes, with their decoding from text.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnex {

constexpr int kBandCount = 6;
constexpr int kModeCount = 3;

// Band texts in index order: the band list of every entry form.
constexpr std::array<std::string_view, kBandCount> kBandTexts = {"1,8", "3,5", "7", "14", "21", "28"};
// Metres, for the score report.
constexpr std::array<std::string_view, kBandCount> kBandMetres = {"160m", "80m", "40m", "20m", "15m", "10m"};
// Mode texts in index order: the mode list of every entry form.
constexpr std::array<std::string_view, kModeCount> kModeTexts = {"SSB", "CW", "RTTY"};

struct BandCode {
    int index = 0;
    uint8_t bit = 1;
};

// Decodes a band by its first one or two characters; nullopt when it is no band.
std::optional<BandCode> DecodeBand(std::string_view text);
inline uint8_t BandBit(int index) { return static_cast<uint8_t>(1u << index); }

// Decodes a mode by its first character: 0 SSB, 1 CW, 2 RTTY, -1 anything else.
int DecodeMode(std::string_view text);

// Position of an exact band or mode text in its list, -1 when not listed.
int BandListIndex(std::string_view text);
int ModeListIndex(std::string_view text);

}  // namespace tarnex
