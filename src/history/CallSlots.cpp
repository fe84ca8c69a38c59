#include "history/CallSlots.h"

#include <algorithm>
#include <cstring>

namespace tarnex {

namespace {

// 0..36 for A-Z, 0-9 and "/"; -1 for any other byte.
int Symbol(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= '0' && c <= '9') {
        return 26 + (c - '0');
    }
    return c == '/' ? 36 : -1;
}

constexpr int kSymbols = 37;
constexpr int kPairBits = 64 - kSymbols;

}  // namespace

uint64_t CallSlots::Summary(std::string_view text) {
    uint64_t summary = 0;
    int previous = -1;
    for (char c : text) {
        const int symbol = Symbol(c);
        if (symbol >= 0) {
            summary |= uint64_t{1} << symbol;
            if (previous >= 0) {
                summary |= uint64_t{1} << (kSymbols + (previous * kSymbols + symbol) % kPairBits);
            }
        }
        previous = symbol;
    }
    return summary;
}

namespace {

uint64_t BigEndian(const char* bytes) {
    uint64_t value = 0;
    for (size_t i = 0; i < 8; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

}  // namespace

CallSlots::Key CallSlots::KeyOf(std::string_view call) {
    call = call.substr(0, kLongest);
    char slot[kSlot] = {};
    std::memcpy(slot, call.data(), call.size());
    slot[kSlot - 1] = static_cast<char>(call.size());
    return {BigEndian(slot), BigEndian(slot + 8)};
}

CallSlots::Key CallSlots::KeyAt(size_t index) const {
    const char* slot = bytes_.data() + index * kSlot;
    return {BigEndian(slot), BigEndian(slot + 8)};
}

void CallSlots::Clear() {
    bytes_.clear();
    summaries_.clear();
}

void CallSlots::Reserve(size_t count) {
    bytes_.reserve(count * kSlot);
    summaries_.reserve(count);
}

void CallSlots::PushBack(std::string_view call) {
    Insert(summaries_.size(), call);
}

void CallSlots::Insert(size_t index, std::string_view call) {
    call = call.substr(0, kLongest);
    char slot[kSlot] = {};
    std::memcpy(slot, call.data(), call.size());
    slot[kSlot - 1] = static_cast<char>(call.size());
    bytes_.insert(bytes_.begin() + static_cast<std::ptrdiff_t>(index * kSlot), slot, slot + kSlot);
    summaries_.insert(summaries_.begin() + static_cast<std::ptrdiff_t>(index), Summary(call));
}

size_t CallSlots::LowerBound(std::string_view call) const {
    size_t low = 0;
    size_t high = summaries_.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (At(middle) < call) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

bool CallSlots::HoldsSorted(std::string_view call) const {
    const size_t at = LowerBound(call);
    return at < summaries_.size() && At(at) == call;
}

}  // namespace tarnex
