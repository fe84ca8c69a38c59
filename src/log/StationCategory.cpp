#include "log/StationCategory.h"

namespace tarnex {

namespace {

constexpr std::array<CategoryTraits, kCategories.size()> kTraits = {{
    {"SINGLE-OP SSB", "SINGLE-OP", "SSB", "ONE", 0, true, false, false},
    {"SINGLE-OP CW", "SINGLE-OP", "CW", "ONE", 1, true, false, false},
    {"SINGLE-OP RTTY", "SINGLE-OP", "RTTY", "ONE", 2, true, false, false},
    {"SINGLE-OP MIXED", "SINGLE-OP", "MIXED", "ONE", -1, true, false, false},
    {"MULTI-ONE", "MULTI-OP", "MIXED", "ONE", -1, false, true, false},
    {"MULTI-MULTI", "MULTI-OP", "MIXED", "UNLIMITED", -1, false, true, false},
    {"SWL", "SINGLE-OP", "MIXED", "SWL", -1, false, false, true},
    {"CHECKLOG", "CHECKLOG", "MIXED", "ONE", -1, false, false, false},
}};

template <size_t N>
bool IsOneOf(std::string_view text, const std::array<const char*, N>& choices) {
    for (const char* choice : choices) {
        if (text == choice) {
            return true;
        }
    }
    return false;
}

}  // namespace

const CategoryTraits* TraitsOfCategory(std::string_view category) {
    for (const CategoryTraits& traits : kTraits) {
        if (category == traits.name) {
            return &traits;
        }
    }
    return nullptr;
}

std::string_view PowerOfEntry(const CategoryTraits& traits, std::string_view power) {
    if (traits.multiOperator) {
        return "HIGH";
    }
    if (traits.listening || power.empty() || !IsOneOf(power, kPowerChoices)) {
        return {};
    }
    return power;
}

std::string_view OverlayOfEntry(const CategoryTraits& traits, std::string_view overlay) {
    if (!traits.singleOperator || overlay.empty() || !IsOneOf(overlay, kOverlayChoices)) {
        return {};
    }
    return overlay;
}

EntryValuesProblem CheckEntryValues(const CategoryTraits& traits, std::string_view power,
                                    std::string_view overlay) {
    if (!IsOneOf(power, kPowerChoices)) {
        return EntryValuesProblem::UnknownPower;
    }
    if (!IsOneOf(overlay, kOverlayChoices)) {
        return EntryValuesProblem::UnknownOverlay;
    }
    if (traits.multiOperator && power == "LOW") {
        return EntryValuesProblem::MultiOperatorNotHigh;
    }
    if (!traits.singleOperator && !overlay.empty()) {
        return EntryValuesProblem::OverlayNotSingleOperator;
    }
    return EntryValuesProblem::None;
}

bool IsSpecialEventCallsign(std::string_view callsign) {
    if (callsign.size() < 3 || callsign[0] != 'I' || callsign[2] < '0' || callsign[2] > '9') {
        return false;
    }
    const char second = callsign[1];
    return second == 'I' || second == 'O' || second == 'R' || second == 'Y';
}

bool HoldsControlCharacter(std::string_view text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

}  // namespace tarnex
