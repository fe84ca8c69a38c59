#include "log/CallIndex.h"

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
    byte = static_cast<uint8_t>((byte & ~(3u << (2 * mode))) | ((static_cast<unsigned>(count) & 3u) << (2 * mode)));
}

void CallIndexEntry::AddAnswer(int band, int mode) {
    int count = AnswerCount(band, mode);
    if (count < 3) {
        SetAnswerCount(band, mode, count + 1);
    }
}

const CallIndexEntry* CallIndex::Find(std::string_view callsign) const {
    auto it = entries_.find(callsign);
    return it == entries_.end() ? nullptr : &it->second;
}

CallIndexEntry* CallIndex::Find(std::string_view callsign) {
    auto it = entries_.find(callsign);
    return it == entries_.end() ? nullptr : &it->second;
}

CallIndexEntry& CallIndex::Put(CallIndexEntry entry) {
    auto it = entries_.find(entry.callsign);
    if (it != entries_.end()) {
        it->second = std::move(entry);
        return it->second;
    }
    std::string key = entry.callsign;
    return entries_.emplace(std::move(key), std::move(entry)).first->second;
}

}  // namespace tarnex
