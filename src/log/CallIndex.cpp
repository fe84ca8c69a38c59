#include "log/CallIndex.h"

#include <cstring>
#include <functional>

namespace tarnex {

bool CallIndexEntry::HeardCalling(int band, int mode) const {
    return (callingBands[static_cast<size_t>(mode)] & (1u << band)) != 0;
}

void CallIndexEntry::MarkCalling(int band, int mode) {
    callingBands[static_cast<size_t>(mode)] |= static_cast<uint8_t>(1u << band);
}

int CallIndexEntry::AnswerCount(int band, int mode) const {
    return (answerCounts[static_cast<size_t>(band)] >> (2 * mode)) & 3;
}

void CallIndexEntry::SetAnswerCount(int band, int mode, int count) {
    uint8_t& byte = answerCounts[static_cast<size_t>(band)];
    byte = static_cast<uint8_t>((byte & ~(3u << (2 * mode))) |
                                ((static_cast<unsigned>(count) & 3u) << (2 * mode)));
}

void CallIndexEntry::AddAnswer(int band, int mode) {
    int count = AnswerCount(band, mode);
    if (count < kAnswersPerBandMode) {
        SetAnswerCount(band, mode, count + 1);
    }
}

uint64_t CallIndex::HashOf(std::string_view callsign) {
    // A callsign is short: its first and last eight (or four) bytes, overlapping,
    // mixed by multiplication, hold all of it.
    const char* p = callsign.data();
    const size_t n = callsign.size();
    uint64_t a = 0;
    uint64_t b = 0;
    if (n > 16) {
        return std::hash<std::string_view>{}(callsign);
    }
    if (n >= 8) {
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + n - 8, 8);
    } else if (n >= 4) {
        uint32_t x = 0;
        uint32_t y = 0;
        std::memcpy(&x, p, 4);
        std::memcpy(&y, p + n - 4, 4);
        a = x;
        b = y;
    } else if (n > 0) {
        a = static_cast<unsigned char>(p[0]) | (uint64_t{static_cast<unsigned char>(p[n / 2])} << 8) |
            (uint64_t{static_cast<unsigned char>(p[n - 1])} << 16);
    }
    uint64_t h = a * 0x9E3779B97F4A7C15ull + b * 0xC2B2AE3D27D4EB4Full + n;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

namespace {
uint32_t TagOf(uint64_t hash) {
    return static_cast<uint32_t>(hash >> 32);
}
}  // namespace

size_t CallIndex::SlotOf(std::string_view callsign, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    const uint32_t tag = TagOf(hash);
    for (size_t at = static_cast<size_t>(hash) & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.entry == 0 || (slot.tag == tag && entries_[slot.entry - 1].callsign == callsign)) {
            return at;
        }
    }
}

const CallIndexEntry* CallIndex::Find(std::string_view callsign) const {
    if (entries_.empty()) {
        return nullptr;
    }
    const Slot& slot = slots_[SlotOf(callsign, HashOf(callsign))];
    return slot.entry == 0 ? nullptr : &entries_[slot.entry - 1];
}

CallIndexEntry* CallIndex::Find(std::string_view callsign) {
    return const_cast<CallIndexEntry*>(static_cast<const CallIndex&>(*this).Find(callsign));
}

CallIndexEntry& CallIndex::Put(CallIndexEntry entry) {
    if ((entries_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const uint64_t hash = HashOf(entry.callsign);
    Slot& slot = slots_[SlotOf(entry.callsign, hash)];
    if (slot.entry != 0) {
        CallIndexEntry& held = entries_[slot.entry - 1];
        held = std::move(entry);
        return held;
    }
    entries_.push_back(std::move(entry));
    slot = {TagOf(hash), static_cast<uint32_t>(entries_.size())};
    return entries_.back();
}

CallIndexEntry& CallIndex::FindOrAdd(std::string_view callsign, bool& added) {
    return FindOrAdd(callsign, HashOf(callsign), added);
}

CallIndexEntry& CallIndex::FindOrAdd(std::string_view callsign, uint64_t hash, bool& added) {
    if ((entries_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    Slot& slot = slots_[SlotOf(callsign, hash)];
    added = slot.entry == 0;
    if (!added) {
        return entries_[slot.entry - 1];
    }
    entries_.emplace_back().callsign = callsign;
    slot = {TagOf(hash), static_cast<uint32_t>(entries_.size())};
    return entries_.back();
}

void CallIndex::Prefetch(uint64_t hash, bool entry) const {
    if (slots_.empty()) {
        return;
    }
    const Slot& slot = slots_[static_cast<size_t>(hash) & (slots_.size() - 1)];
    if (!entry) {
        __builtin_prefetch(&slot);
    } else if (slot.entry != 0 && slot.tag == TagOf(hash)) {
        __builtin_prefetch(&entries_[slot.entry - 1]);
    }
}

void CallIndex::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    for (const Slot& slot : old) {
        if (slot.entry != 0) {
            const std::string& callsign = entries_[slot.entry - 1].callsign;
            slots_[SlotOf(callsign, HashOf(callsign))] = slot;
        }
    }
}

void CallIndex::Clear() {
    entries_.clear();
    // The table keeps its size: a rebuild refills it without growing it again.
    std::fill(slots_.begin(), slots_.end(), Slot{});
}

}  // namespace tarnex
