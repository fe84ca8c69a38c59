#include "rig/RigMapping.h"

#include <array>
#include <cmath>

#include "log/BandMode.h"

namespace tarnex {

namespace {

struct BandEdges {
    double lowHz;
    double highHz;
};

// The IARU Region 1 amateur allocations of the six contest bands, both edges
// inclusive, in the order of kBandTexts: 160 m 1810-2000 kHz, 80 m 3500-3800 kHz,
// 40 m 7000-7200 kHz, 20 m 14000-14350 kHz, 15 m 21000-21450 kHz, 10 m 28000-29700 kHz.
constexpr std::array<BandEdges, kBandCount> kBandEdges = {{
    {1'810'000, 2'000'000},
    {3'500'000, 3'800'000},
    {7'000'000, 7'200'000},
    {14'000'000, 14'350'000},
    {21'000'000, 21'450'000},
    {28'000'000, 29'700'000},
}};

struct ModeName {
    std::string_view radioMode;
    int modeIndex;
};

// Hamlib's names. The data variants of the sidebands (PKTUSB, PKTLSB) are left out
// on purpose: a radio in data mode may carry RTTY by audio tones as well as a voice
// keyer, so it tells nothing sure about the contest mode, and the operator's choice
// stands.
constexpr std::array<ModeName, 6> kModeNames = {{
    {"USB", 0},
    {"LSB", 0},
    {"CW", 1},
    {"CWR", 1},
    {"RTTY", 2},
    {"RTTYR", 2},
}};

}  // namespace

int BandIndexForFrequency(double frequencyHz) {
    for (int i = 0; i < kBandCount; ++i) {
        const BandEdges& band = kBandEdges[static_cast<size_t>(i)];
        if (frequencyHz >= band.lowHz && frequencyHz <= band.highHz) {
            return i;
        }
    }
    return -1;  // also NaN, which compares false with every edge
}

int ModeIndexForRadioMode(std::string_view radioMode) {
    for (const ModeName& name : kModeNames) {
        if (name.radioMode == radioMode) {
            return name.modeIndex;
        }
    }
    return -1;
}

std::string FormatKilohertz(double frequencyHz) {
    // Tenths of a kilohertz; a value no radio gives (negative, not a number, beyond
    // 100 GHz) shows as zero rather than overflowing the conversion.
    long long tenths = 0;
    if (std::isfinite(frequencyHz) && frequencyHz > 0 && frequencyHz < 1e11) {
        tenths = std::llround(frequencyHz / 100.0);
    }
    std::string digits = std::to_string(tenths / 10);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text.push_back('.');
        }
        text.push_back(digits[i]);
    }
    text.push_back(',');
    text.push_back(static_cast<char>('0' + tenths % 10));
    return text;
}

}  // namespace tarnex
