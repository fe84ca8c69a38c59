#include "log/CallIndex.h"

#include <bit>
#include <cstring>
#include <functional>
#include <utility>

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

bool CallIndexEntry::Call::SameLong(const Words& a, const Words& b) {
    return std::memcmp(reinterpret_cast<const char*>(a[0]), reinterpret_cast<const char*>(b[0]),
                       static_cast<size_t>(a[1] & ~kLongMark)) == 0;
}

void CallIndexEntry::Call::Assign(std::string_view bytes) {
    Words words = WordsOf(bytes);
    if (bytes.size() > kInline) {
        char* held = new char[bytes.size()];
        std::memcpy(held, bytes.data(), bytes.size());
        words[0] = reinterpret_cast<uint64_t>(held);
    }
    Release();
    words_ = words;
}

void CallIndexEntry::Call::Release() {
    if (IsLong()) {
        delete[] LongBytes();
    }
    words_ = {};
}

CallIndexEntry::Call& CallIndexEntry::Call::operator=(const Call& other) {
    if (this != &other) {
        Assign(other.View());
    }
    return *this;
}

CallIndexEntry::Call& CallIndexEntry::Call::operator=(Call&& other) noexcept {
    if (this != &other) {
        Release();
        words_ = std::exchange(other.words_, Words{});
    }
    return *this;
}

CallIndexEntry::Call& CallIndexEntry::Call::operator=(std::string_view bytes) {
    Assign(bytes);
    return *this;
}

uint64_t CallIndex::LongHash(std::string_view callsign) {
    return Mix(std::hash<std::string_view>{}(callsign) + callsign.size());
}

const CallIndexEntry* CallIndex::Find(std::string_view callsign) const {
    if (size_ == 0) {
        return nullptr;
    }
    const Slot& slot = slots_[SlotOf(KeyOf(callsign))];
    return slot.entry == 0 ? nullptr : &At(slot.entry - 1);
}

CallIndexEntry* CallIndex::Find(std::string_view callsign) {
    return const_cast<CallIndexEntry*>(static_cast<const CallIndex&>(*this).Find(callsign));
}

void CallIndex::Grow() {
    Resize(slots_.empty() ? 64 : slots_.size() * 2);
}

CallIndexEntry& CallIndex::AddAt(size_t at, uint64_t hash) {
    if ((size_ >> kBlockBits) == blocks_.size()) {
        blocks_.push_back(std::make_unique<CallIndexEntry[]>(kBlockSize));
    }
    ++size_;
    slots_[at] = {TagOf(hash), static_cast<uint32_t>(size_)};
    return At(size_ - 1);
}

CallIndexEntry& CallIndex::Put(CallIndexEntry entry) {
    if ((size_ + 1) * kSlotsPerEntry > slots_.size()) {
        Grow();
    }
    const Key key = KeyOf(entry.callsign);
    const size_t at = SlotOf(key);
    CallIndexEntry& held = slots_[at].entry != 0 ? At(slots_[at].entry - 1) : AddAt(at, key.hash);
    held = std::move(entry);
    return held;
}

CallIndexEntry& CallIndex::Add(size_t at, std::string_view callsign, uint64_t hash) {
    CallIndexEntry& entry = AddAt(at, hash);
    entry.callsign = callsign;
    return entry;
}

void CallIndex::Reserve(size_t count) {
    size_t slots = slots_.empty() ? 64 : slots_.size();
    while (slots < count * kSlotsPerEntry) {
        slots *= 2;
    }
    if (slots != slots_.size()) {
        Resize(slots);
    }
}

void CallIndex::Resize(size_t slots) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slots, Slot{});
    shift_ = 32 - static_cast<unsigned>(std::countr_zero(slots));
    const size_t mask = slots - 1;
    const unsigned shift = shift_;
    Slot* const table = slots_.data();
    // The tag holds the leading bits of the hash, so each place is found from the old
    // table alone.
    for (const Slot& slot : old) {
        if (slot.entry != 0) {
            size_t at = static_cast<size_t>(uint64_t{slot.tag} >> shift);
            while (table[at].entry != 0) {
                at = (at + 1) & mask;
            }
            table[at] = slot;
        }
    }
}

void CallIndex::Clear() {
    blocks_.clear();
    size_ = 0;
    // The table keeps its size: a rebuild refills it without growing it again.
    std::fill(slots_.begin(), slots_.end(), Slot{});
}

}  // namespace tarnex
